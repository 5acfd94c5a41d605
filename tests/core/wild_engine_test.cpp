#include "core/wild_engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/payout_storage.h"
#include "support/hand_text.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

constexpr int kWildGames[] = {GAME_DEUCES_WILD, GAME_JOKER_POKER, GAME_DOUBLE_JOKER_POKER};

// The engine of one wild game with its built-in paytable at `coins`.
struct TWildFixture {
  explicit TWildFixture(int game, int coins = 5) : description(CreateDescription(game)) {
    TempFolder folder;
    owner = CreateEngineForGame(game);
    engine = dynamic_cast<TWildEngine*>(owner.get());
    engine->SetPayout(&payout);
    payout.SetPay(TPayoutStorage(folder.Path() / "none.dat").GetPaytable(game, 0), coins);
  }
  // Deals the cards of `text` ("JK" is a joker) and analyses them; returns the best mask.
  int Analyse(const std::string& text) {
    engine->NewDeal();
    Deal(text);
    return engine->GetTheBest();
  }
  void Deal(const std::string& text) {
    const THand cards = test::MakeHand(text);  // no wild rank: keeps every card's rank
    for (int i = 0; i < cards.Count; ++i) {
      engine->Hand.AddCard(cards.CardRank[i], cards.CardSuit[i]);
      engine->Deck.Remove(cards.CardRank[i], cards.CardSuit[i]);
    }
  }
  std::unique_ptr<TPokerDescription> description;
  TPayout payout;
  std::unique_ptr<TPokerEngine> owner;
  TWildEngine* engine = nullptr;
};

struct TListed {
  std::array<int64_t, NaturalHandTypeCount> Natural{};
  std::array<int64_t, WildHandTypeCount> Wild{};
  int64_t Draws = 0;
};

// Every draw of `mask` listed card by card; each final hand classified by the classifier
// of its kind.
TListed ListDraws(const THand& hand, const TDeck& deck, int mask) {
  std::vector<TCard> cards;
  for (int rank = 0; rank < NumRanks; ++rank) {
    for (int suit = 0; suit < NumSuits; ++suit) {
      if (deck.RankSuitCount[rank][suit] > 0) cards.push_back({rank, suit});
    }
  }
  for (int i = 0; i < deck.WildCount; ++i) cards.push_back(TCard{});
  THand held;
  held.SetWildRank(deck.WildRank);
  held.LoadHeld(hand, mask);
  TListed listed;
  const auto visit = [&](auto&& self, const THand& current, size_t from) -> void {
    if (current.Count == 5) {
      ++listed.Draws;
      if (current.WildCount > 0) {
        const int type = ClassifyWildHand(current);
        ASSERT_GE(type, 0);
        ++listed.Wild[static_cast<size_t>(type)];
      } else {
        const int type = ClassifyNaturalHand(current);
        if (type >= 0) ++listed.Natural[static_cast<size_t>(type)];
      }
      return;
    }
    for (size_t i = from; i < cards.size(); ++i) {
      THand next = current;
      next.AddCard(cards[i].Rank, cards[i].Suit);
      self(self, next, i + 1);
    }
  };
  visit(visit, held, 0);
  return listed;
}

// Random deals of a game's deck with 0, 1, 2, ... wild cards in turn.
std::vector<std::string> RandomDeals(int game, int count, uint32_t seed) {
  const auto description = CreateDescription(game);
  std::vector<std::string> wild, natural;
  for (int card = 0; card < 52; ++card) {
    (card % 13 == description->WildRank ? wild : natural).push_back(CardText(CardFromIndex(card)));
  }
  for (int joker = 0; joker < description->JokerCount; ++joker) wild.push_back("JK");
  std::mt19937 random(seed);
  std::vector<std::string> deals;
  for (int i = 0; i < count; ++i) {
    const size_t wildDealt = static_cast<size_t>(i) % (std::min<size_t>(wild.size(), 4) + 1);
    std::shuffle(wild.begin(), wild.end(), random);
    std::shuffle(natural.begin(), natural.end(), random);
    std::vector<std::string> cards(wild.begin(), wild.begin() + static_cast<long>(wildDealt));
    cards.insert(cards.end(), natural.begin(), natural.begin() + static_cast<long>(5 - wildDealt));
    std::shuffle(cards.begin(), cards.end(), random);
    std::string text;
    for (const auto& card : cards) text += card + " ";
    deals.push_back(text);
  }
  return deals;
}

std::vector<std::string> HandPickedDeals(int game) {
  switch (game) {
    case GAME_DEUCES_WILD:
      return {"2S 2H 2D 2C AS", "2S 2H 2D 7C 7S", "2S 2H 5D 9C KS", "2S AS 3D 4H 5C",
              "2S 2D AH 3H 4H", "3H 4H 5H 6H 7H", "TS JS QS KS AS", "2C TS JS QS KS",
              "2C 9S TS JS QS", "AS 3D 5C 6H 9H", "2H 2C KD KS 4C", "2D 6S 6H 6C 9D"};
    case GAME_JOKER_POKER:
      return {"JK AS KS QS JS", "JK 2S 3D 4H 5C", "JK AS 2D 3C 4H", "JK KS 7D 4H 2C",
              "JK 9S TS JS QS", "JK QS QH QD QC", "AS KS QS JS TS", "JK 7C 8D 3S 3H",
              "JK AD 9C 7S 4H", "KH KD 7C 4S 2D"};
    default:
      return {"JK JK 5S 6S 7S", "JK JK AS KD 3C", "JK JK 7C 7D 2H", "JK AS 2S 3S 4S",
              "KS KH 7D 4C 2S", "JK JK TS JH 9D", "JK 8D 8S 8H 3C", "JK JK AH 4H 5H"};
  }
}

// Every count of every hold against the listed draws: the natural and wild type counts,
// the category counts through the engine's maps, and the total of draws.
void CheckAgainstListing(TWildFixture& f, const std::string& deal) {
  SCOPED_TRACE(f.description->Name + ": " + deal);
  f.Analyse(deal);
  const TWildEngine& engine = *f.engine;
  for (int mask = 0; mask < HoldMaskCount; ++mask) {
    const TListed listed = ListDraws(engine.Hand, engine.Deck, mask);
    ASSERT_EQ(listed.Draws, engine.DrawCount(mask));
    for (int type = 0; type < NaturalHandTypeCount; ++type) {
      ASSERT_EQ(engine.Count[mask][type], listed.Natural[type])
          << "mask " << mask << " " << NaturalHandTypeNames[type];
    }
    for (int type = 0; type < WildHandTypeCount; ++type) {
      ASSERT_EQ(engine.WildCounts[mask][type], listed.Wild[type])
          << "mask " << mask << " " << WildHandTypeNames[type];
    }
    std::array<int64_t, MaxCategories> categories{};
    for (int type = 0; type < NaturalHandTypeCount; ++type) {
      if (engine.TypeCategory[type] >= 0)
        categories[engine.TypeCategory[type]] += listed.Natural[type];
    }
    for (int type = 0; type < WildHandTypeCount; ++type) {
      if (engine.WildTypeCategory[type] >= 0)
        categories[engine.WildTypeCategory[type]] += listed.Wild[type];
    }
    int64_t paying = 0;
    for (int c = 0; c <= engine.LastCategory; ++c) {
      ASSERT_EQ(engine.GetCategoryCount(c, mask), categories[c])
          << "mask " << mask << " category " << c;
      paying += categories[c];
    }
    ASSERT_EQ(engine.GetCategoryCount(engine.LastCategory + 1, mask), listed.Draws - paying);
  }
}

class WildEngineListing : public testing::TestWithParam<int> {};

// The heart of the engine: for hand-picked deals and seeded random deals with 0 to 4 wild
// cards, every count equals the number of listed draws.
TEST_P(WildEngineListing, CountsEqualListedDrawsForEveryMask) {
  const int game = GetParam();
  TWildFixture f(game);
  auto deals = HandPickedDeals(game);
  const int randomDeals = std::getenv("TAVRIK_EXHAUSTIVE") != nullptr ? 60 : 12;
  for (const auto& deal : RandomDeals(game, randomDeals, 4000u + static_cast<uint32_t>(game)))
    deals.push_back(deal);
  for (const auto& deal : deals) {
    CheckAgainstListing(f, deal);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(WildGames, WildEngineListing, testing::ValuesIn(kWildGames),
                         [](const testing::TestParamInfo<int>& param) {
                           return std::string(param.param == GAME_DEUCES_WILD ? "DeucesWild"
                                              : param.param == GAME_JOKER_POKER
                                                  ? "JokerPoker"
                                                  : "DoubleJokerPoker");
                         });

}  // namespace
}  // namespace tavrik
