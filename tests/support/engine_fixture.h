#pragma once

#include <memory>
#include <string>

#include "core/payout_storage.h"
#include "core/wild_engine.h"
#include "support/hand_text.h"
#include "support/temp_folder.h"

namespace tavrik::test {

// The analysis engine of one game with its built-in paytable at `coins`.
struct TEngineFixture {
  explicit TEngineFixture(int game, int coins = 1)
      : description(CreateDescription(game)), owner(CreateEngineForGame(game)), engine(*owner) {
    TempFolder folder;
    engine.SetPayout(&payout);
    payout.SetPay(TPayoutStorage(folder.Path() / "none.dat").GetPaytable(game, 0), coins);
  }
  // A new deal of the cards of `text` ("JK": a joker) from the full deck.
  void Deal(const std::string& text) {
    engine.NewDeal();
    const THand cards = MakeHand(text);  // no wild rank: keeps every card's rank
    for (int i = 0; i < cards.Count; ++i) {
      engine.Hand.AddCard(cards.CardRank[i], cards.CardSuit[i]);
      engine.Deck.Remove(cards.CardRank[i], cards.CardSuit[i]);
    }
  }
  // Deals and analyses `text`; returns the best mask.
  int Analyse(const std::string& text) {
    Deal(text);
    return engine.GetTheBest();
  }
  TWildEngine& Wild() { return dynamic_cast<TWildEngine&>(engine); }

  std::unique_ptr<TPokerDescription> description;
  TPayout payout;
  std::unique_ptr<TPokerEngine> owner;
  TPokerEngine& engine;
};

}  // namespace tavrik::test
