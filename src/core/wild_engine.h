#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/poker_engine.h"
#include "core/wild_classification.h"

namespace tavrik {

// Exact draw analysis of a game with wild cards (jokers or deuces). Keeps the natural
// engine's model and adds, for every hold mask, the number of draws whose final hand holds
// at least one wild card, by WildHandType; these counts are folded into the same category
// counts, so returns, probabilities and the best hold read as in a natural game.
//
// Invariant after an analysis: for every mask, Count[mask] plus WildCounts[mask] plus the
// draws of no type add up to C(Deck.Count, cards drawn).
class TWildEngine : public TPokerEngine {
 public:
  TWildEngine() { WildTypeCategory.fill(-1); }

  // Base, then zeroes WildCounts; rebuilds WildTypeCategory when the payouts changed since
  // it was built, so that a wild hand is paid the best category it can make at this bet.
  void Prepare() override;
  // Base, then builds WildTypeCategory from the attached payout.
  void ResetDeal() override;
  // Classifies Hand into row 0: WildCounts when it holds a wild card, else Count.
  void CheckCombination() override;
  // Base, then the wild types of mask 31.
  void CheckEmpty() override;
  // Base, then the wild types of one mask 1..30.
  void CheckDraw(int mask) override;
  // Base, then folds WildCounts into CatCount.
  void SumCategories() override;
  // Base, then adds to the wild types of one mask 1..30 what the suits add to their rank part.
  void CheckDraw1(int mask) override;
  // The same for mask 31.
  void CheckEmpty1() override;
  // Base, then the deck's suit tables and a zeroed row 0 of WildCounts.
  void ClearCounts() override;
  // Base, then the deck's jokers and wild rank and the categories' wild type sets.
  void SetDescription(const TPokerDescription& description) override;
  // With a wild card in Hand, the category of its wild type (row 0), else the base rule.
  int GetHandCategory() const override;

  // Classifies `hand` (five cards, `wild` of them wild) and stores `value` at
  // WildCounts[mask][type]; does nothing for five natural cards.
  void InternalCheckCombination(const THand& hand, int wild, int mask, uint32_t value);
  // WildTypeCategory from WildTypeSets and the payouts the attached payout holds now (all 0
  // without a payout). Runs in ResetDeal, and in Prepare whenever the payouts changed.
  void BuildWildTypeMap();
  // Writes the wild types of `mask` from Held (the cards the mask keeps) and Deck (the
  // cards that can come), after Prepare for this deck and Calculator.Init(Held, Deck).
  // Adds to a zeroed row and folds it into CatCount (SumWildTypes then leaves it alone).
  void CountWildDraw(int mask);
  // The same when Held holds no natural card.
  void CountWildDrawNoNatural(int mask);
  // Adds WildCounts[m][t] to CatCount[m][WildTypeCategory[t]] for every paid type, for the
  // masks whose wild types were not folded while they were counted.
  void SumWildTypes();
  void ClearWildCounts() { WildCounts = {}; }

  // Per hold mask and WildHandType, the draws whose final hand has that type.
  std::array<std::array<uint32_t, WildHandTypeCount>, HoldMaskCount> WildCounts{};
  std::array<int32_t, WildHandTypeCount> WildTypeCategory{};  // category per type or -1
  std::array<THandTypeSet, MaxCategories> WildTypeSets{};     // per category
  // WildCounts as they are for any suits of the dealt ranks (no flush counted), kept from
  // the last full analysis for the partial recount of the next deal with the same ranks.
  std::array<std::array<uint32_t, WildHandTypeCount>, HoldMaskCount> WildRankCounts{};

 protected:
  // Base, then takes the flushes of the wild types out of the kept CatCount.
  void KeepRankPart() override;
  // Base, then the row of WildRankCounts.
  void RestoreRankPart(int mask) override;

  // The deals of the game's deck with and without wild cards (WildDealClasses). The
  // whole-game computation analyses the first class of each set of ranks in full and the
  // others (the same ranks in other suits) by the partial recount, which recounts only
  // what depends on suits.
  const std::vector<TDealClass>& DealClasses() const override;

 private:
  using TWildRow = std::array<int64_t, WildHandTypeCount>;
  using TWildWays = std::array<int64_t, 3>;  // for 3, 2 and 1 wild cards
  // What suits change in the types from WILD_3 on (index type - WILD_3), before the ways
  // to draw the wild cards multiply it.
  using TSuitChange = std::array<int64_t, WildHandTypeCount - WILD_3>;
  // C(Wd, w - Wh) for w = 3, 2, 1 with `heldWild` = Wh.
  TWildWays WildWays(int heldWild) const;
  // The shape of Held, as HeldShape gives it for a mask.
  THeldShape HeldCardsShape() const;
  void CountWildRow(int mask);
  void CountWildRanks(TWildRow& t, const THeldShape& held);
  // What suits change in the types of 3, 2 and 1 wild cards, counted only for those whose
  // entry of `needed` is not 0; for a hold of no natural card only the share of
  // `onlySuit` when it is 0..3 (the shares of the suits add up). False when no flush can
  // be made.
  bool CountWildSuits(TSuitChange& t, const THeldShape& held, const TWildWays& needed,
                      int onlySuit);
  // CountWildSuits for a hold of no natural card, once per deal; from the shares kept per
  // suit for the deals of the same ranks when `sameRanks` (partial recount).
  const TSuitChange& EmptyHoldSuits(const THeldShape& held, bool sameRanks);
  // CountWildSuits for the held natural cards of `held` and the dealt cards of `suit` at
  // the positions `part`, kept for the deals of the same ranks.
  const TSuitChange& SuitChange(const THeldShape& held, uint32_t part, int suit);
  // Adds `change` times the ways to the row of `mask`, and to `categories` when given.
  void ApplyWildSuits(int mask, const TSuitChange& change, const TWildWays& ways,
                      std::array<int64_t, MaxCategories>* categories);
  // Adds to the row of `mask` what the suits change, and the change to `categories` when
  // given.
  void AddWildSuits(int mask, const THeldShape& held, const TWildWays& ways,
                    std::array<int64_t, MaxCategories>* categories);
  void RecountWildSuits(int mask);
  // Takes out of `categories` what the row of `mask` holds beyond its rank part.
  void UnfoldWildSuits(int mask, std::array<int64_t, MaxCategories>& categories) const;
  template <class Visit>
  void ForEachWindow(const THeldShape& held, Visit&& visit) const;

  void CountDeckRanks();

  uint64_t deckRanksByCount_ = 0;                // byte d: ranks of which the deck holds d cards
  std::array<int32_t, MaxCategories> mapPay_{};  // the payouts WildTypeCategory was built for
  // The paid types of WildTypeCategory and their categories, for SumWildTypes.
  std::array<uint8_t, WildHandTypeCount> paidType_{}, paidCategory_{};
  size_t paidTypeCount_ = 0;
  // Masks whose wild types are folded already (by CountWildDraw or the partial recount).
  uint32_t wildFolded_ = 0;
  // What the suits add for a hold of no natural card, once counted for this deal.
  TSuitChange emptyHold_{};
  bool emptyHoldKnown_ = false;
  // What the suits change for the held natural cards at the positions of one set and the
  // dealt cards of their suit at the positions of another (index held * 32 + suit), for
  // the deals of the ranks of the last full analysis (rankGroup_), counted for every
  // number of wild cards the game's deck can make (gameWays_).
  struct TSuitCacheEntry {
    uint32_t Ranks = 0;
    TSuitChange Change{};
  };
  std::vector<TSuitCacheEntry> suitCache_;
  TWildWays gameWays_{};
  void CountWildDrawInContext(int mask);
};

// A TPokerEngine for a natural game, a TWildEngine otherwise, with the description set.
std::unique_ptr<TPokerEngine> CreateEngine(const TPokerDescription& description);
// The engine of game 0..8; raises TError for any other index.
std::unique_ptr<TPokerEngine> CreateEngineForGame(int gameIndex);

}  // namespace tavrik
