#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/calculator.h"
#include "core/card_bunch.h"
#include "core/deal_classes.h"
#include "core/hand_types.h"
#include "core/payout.h"
#include "core/poker_description.h"

namespace tavrik {

inline constexpr int HoldMaskCount = 32;  // hold masks 0..31; bit i set = card i replaced

// Number of cards a hold mask draws (its set bits).
inline constexpr std::array<int, HoldMaskCount> CardsDrawn = [] {
  std::array<int, HoldMaskCount> result{};
  for (int mask = 0; mask < HoldMaskCount; ++mask) {
    for (int bit = 0; bit < 5; ++bit) result[mask] += (mask >> bit) & 1;
  }
  return result;
}();

// The fine type of five natural cards, or -1 when the hand has no type (no pair, straight
// or flush). Reads only the hand's shape statistics.
int ClassifyNaturalHand(const THand& hand);

// Exact draw analysis of a natural game: for the five cards in Hand and the cards left in
// Deck, the number of draws ending in each hand type and paying category for every hold
// mask, the expected return of each hold and the best hold. Counts come from counting
// formulas over the rank and suit counters; no draw is listed.
//
// Calling order: SetDescription once; SetPayout; per deal NewDeal, deal five cards into
// Hand while removing them from Deck, GetTheBest and GetHandCategory; then any number of
// DrawReturn, GetCategoryProbability and GetCategoryCount calls. Payout->Pay must hold the
// current bet's row before DrawReturn is used.
class TPokerEngine {
 public:
  TPokerEngine();
  virtual ~TPokerEngine() = default;
  TPokerEngine(const TPokerEngine&) = delete;
  TPokerEngine& operator=(const TPokerEngine&) = delete;

  // Zeroes Count and CatCount and prepares the tables of this deal: the deck's suits and
  // rank counts, the dealt hand grouped by rank, what each hold keeps.
  virtual void Prepare();
  // Empties Hand, refills Deck, copies LastCategory and the deck size into the payout.
  virtual void ResetDeal();
  // Classifies Hand into row 0 of Count (row 0 zeroed by the caller).
  virtual void CheckCombination();
  // Counts for mask 31 (all five cards drawn).
  virtual void CheckEmpty();
  // Counts for one mask 1..30 into Count; the categories of the natural types may be added
  // to CatCount (zeroed by Prepare) at once, the rest are left to SumCategories.
  virtual void CheckDraw(int mask);
  // Folds Count into CatCount for every mask CheckDraw has not folded already.
  virtual void SumCategories();
  // The whole-game computation: every deal up to suit permutation, weighted, analysed
  // with the best hold; results in Payout's WinsByDraw and DealsByDraw (reset first).
  void RunPermutations();
  // One share of the whole-game computation, for running it on several engines at once:
  // the deal classes of every sliceCount-th group of ranks, starting with group `slice`.
  // The payout is reset first; adding up the payouts of slices 0..sliceCount-1 gives
  // exactly the result of RunPermutations, in any order (the sums are integers).
  void RunPermutationSlice(int slice, int sliceCount);
  // One deal class analysed by the partial recount (same ranks as the previous class).
  void Check1(const TDealClass& deal);
  // For one mask 1..30 whose held cards may make a flush and whose rows and CatCount hold
  // their rank part (kept by the last full analysis): adds what the suits of this deal
  // change in the straight and flush types, and the change to CatCount. GetTheBest1 calls
  // it after setting the mask's suitPart_ for this deal.
  virtual void CheckDraw1(int mask);
  // The same for mask 31.
  virtual void CheckEmpty1();
  // Zeroes row 0 of Count and of CatCount, for a partial recount.
  virtual void ClearCounts();
  // Takes the game's name, categories and type-to-category map.
  virtual void SetDescription(const TPokerDescription& description);
  // The paying category of the dealt hand after an analysis, or -1.
  virtual int GetHandCategory() const;
  // Number of deal classes RunPermutations visits.
  int GetHandClassCount() const;

  // Attaches the running paytable (not owned); a non-null payout also resets the deal.
  void SetPayout(TPayout* payout);
  // Empties Hand and refills Deck; the payout is left alone.
  void NewDeal();
  // Analyses Hand against Deck and returns the best hold mask (ties keep the lower mask).
  int GetTheBest();
  // The same after only the straight and flush counts were redone: valid when the analyses
  // since the last GetTheBest were of deals with the same ranks in other suits, at the
  // same payouts, each dealt from the full deck, and nothing else changed the counts.
  int GetTheBest1();
  // The paying category of the five cards in Hand, or -1, without counting any draw: for a
  // final hand that is only to be paid. Leaves no analysis behind (the counts are zeroed).
  int ClassifyHand();
  // Expected coins paid for a hold at the current bet.
  long double DrawReturn(int mask) const;
  // Probability of ending in `category` (LastCategory + 1: losing) with hold `mask`.
  long double GetCategoryProbability(int category, int mask) const;
  // Draws of hold `mask` ending in `category`; for LastCategory + 1, the losing draws.
  int64_t GetCategoryCount(int category, int mask) const;
  // Number of possible draws for hold `mask`: C(Deck.Count, cards drawn).
  int64_t DrawCount(int mask) const;
  // One deal class analysed in full and added to the payout's accumulators.
  void Check(const TDealClass& deal);

  int32_t GameIndex = 0;
  std::string Name;
  TDeck Deck;  // the cards still available
  THand Hand;  // the five dealt cards in table order
  THand Held;  // scratch: the cards kept by the mask being counted
  std::array<std::array<int32_t, NaturalHandTypeCount>, HoldMaskCount> Count{};
  std::array<int32_t, NaturalHandTypeCount> TypeCategory{};
  std::array<std::array<int64_t, MaxCategories>, HoldMaskCount> CatCount{};
  int32_t LastCategory = 0;
  std::vector<std::string> CategoryNames;
  TPayout* Payout = nullptr;
  std::function<void(int)> OnProgress;  // called with ProgressCounter every 100 classes
  int32_t ProgressCounter = 0;
  TCalculator Calculator;  // each engine counts with its own, so engines can run side by side

  // TypeCategory as runs of consecutive types paid in one category, for SumCategories.
  struct TTypeRun {
    int First = 0, Last = 0, Category = 0;
  };
  std::vector<TTypeRun> TypeRuns;

 protected:
  // What a hold keeps, for the straight and flush counts.
  struct THeldShape {
    uint32_t Ranks = 0;             // bit r: a natural card of rank r is held
    bool Distinct = true;           // no rank is held twice
    int32_t MinRank = Ace;          // lowest held rank (the ace counts as 12); 12 when none
    int32_t MaxRank = 0;            // highest held rank other than the ace; 0 when none
    int32_t Suit = -1;              // the suit of every held natural card, -1 when they differ
    bool Wild = false;              // a wild card is held
    int32_t Natural = 0;            // natural cards held
    int32_t WildCount = 0;          // wild cards held
    uint32_t NaturalPositions = 0;  // bit i: the natural card at position i is held
  };
  THeldShape HeldShape(int mask) const;

  // Keeps what the last full analysis made of the ranks alone, for the partial recount of
  // the next deals with the same ranks: CatCount as if no flush could be made (straights
  // all plain), and the straight and flush types of each mask the same way. Reads the
  // counts that analysis left.
  virtual void KeepRankPart();
  bool rankPartKept_ = false;  // since the last full analysis
  // Puts the rank part back into the rows and CatCount of one mask 1..31.
  virtual void RestoreRankPart(int mask);
  // CatCount per mask as if no flush could be made, from the last full analysis, and the
  // coins it pays at the payouts of that analysis.
  std::array<std::array<int64_t, MaxCategories>, HoldMaskCount> rankCatCount_{};
  std::array<int64_t, HoldMaskCount> rankPaySums_{};
  // Per mask 1..31, what its rows and CatCount hold beyond the rank part: SuitPartNone,
  // the suit part of a deal whose dealt cards in the held cards' suit are at the positions
  // of this set (1..31), or SuitPartOther (any other deal).
  static constexpr uint8_t SuitPartNone = 0, SuitPartOther = 0xFF;
  std::array<uint8_t, HoldMaskCount> suitPart_{};
  // The positions of the dealt natural cards of each suit, for the partial recount.
  std::array<uint8_t, NumSuits> suitPositions_{};
  // Counts the full analyses whose rank part was kept: what is kept per set of ranks is
  // marked with it.
  uint32_t rankGroup_ = 1;
  // Masks whose categories are already folded into CatCount; SumCategories folds the others.
  uint32_t foldedMasks_ = 0;

  // Picks the best mask: strictly greater return wins, ties keep the lower. Reads the
  // coins of masks 1..31 from paySums_ and those of mask 0 from CatCount.
  int ChooseBest() const;
  // Coins paid over the draws counted per category: sum of Pay[c] * categories[c].
  int64_t PaySum(const std::array<int64_t, MaxCategories>& categories) const;
  // Adds the analysed class to the payout's accumulators and counts progress.
  void AddClassResult(const TDealClass& deal, int best);
  // Deals a class into Hand (removing the cards from Deck) and takes it back out again.
  void DealClass(const TDealClass& deal);
  void ReturnClass(const TDealClass& deal);
  void CountProgress();
  // Deals the class, analyses it with `analyse`, adds the result, takes the cards back.
  void AnalyseClass(const TDealClass& deal, const char* operation, int (TPokerEngine::*analyse)());
  void CheckRange(int category, int mask) const;
  // Every deal of the game's deck up to suit permutation, for the whole-game computation;
  // classes of the same ranks are adjacent, the first of them marked NewRanks.
  virtual const std::vector<TDealClass>& DealClasses() const;

 private:
  struct TStraights {
    int64_t Wheel = 0, Middle = 0, Top = 0;
    bool Found = false;
  };
  // What the draws of one hold make of one rank: the draws ending in a pair, three or four
  // of that rank, and in a full house with three of it.
  // Left uninitialised by default: the counting fills a few of these per mask.
  struct TRankDraws {
    std::array<int32_t, 3> Group;  // indexed by TRankFamily
    int64_t FullHouses;
    int64_t Taken;  // the three groups together
  };
  enum TRankFamily : int { FamilyPair = 0, FamilyThree = 1, FamilyFour = 2 };
  static constexpr std::array<int, 3> FamilyType = {PAIRS_2, THREE_OF_KIND_2, FOUR_OF_KIND_2};
  // The parts of a hold that decide what a rank's draws can make.
  struct TDrawRules {
    int Drawn = 0;        // cards drawn
    int Natural = 0;      // natural cards in the deck
    bool NoFours = true;  // nothing is held four times
    bool NoThrees = true;
    int HeldPairs = 0;
    bool FullHousePossible = true;
  };
  // Draws of one rank with deck count d and held count h, from the calculator's sums.
  // Inlined into the counting loop: returned through memory, its result would be read
  // back before the stores that made it had landed.
  [[gnu::always_inline]] inline TRankDraws CountRank(const TDrawRules& rules, int d, int h) const;
  // Draws completing a straight with the held cards, all suits (suit = -1) or one suit.
  TStraights CountStraights(const THeldShape& held, int suit) const;
  // Flush and straight counts of a mask whose held cards have different ranks.
  void CountStraightsFlushes(int mask, int drawn, const THeldShape& held);
  // Straight flushes from ace to five, ordinary and from ten to ace, then all flushes.
  using TFlushes = std::array<int32_t, 4>;
  // The five-card flushes of one suit of the deck.
  TFlushes SuitFlushes(int suit) const;
  // The straight and flush types of a mask from its flushes and the straights of its
  // rank part.
  void SetSuitTypes(int mask, const TFlushes& flushes);
  // The flushes of a hold of the natural cards at `heldPositions` whose suit's dealt
  // cards are at `part` (for no natural card, one suit's share), counted by `count` once
  // for the deals of the same ranks.
  const TFlushes& KeptFlushes(uint32_t heldPositions, uint32_t part, const auto& count);
  struct TFlushCacheEntry {
    uint32_t Ranks = 0;  // the rankGroup_ counted for
    TFlushes Flushes{};
  };
  std::vector<TFlushCacheEntry> flushCache_;
  // Adds to CatCount[mask] what its straight and flush types hold beyond the rank part.
  void FoldSuitTypes(int mask);
  void CountNaturalDraw(int mask);
  void CountEmptyStraightsFlushes();
  // Groups the dealt hand by rank and tabulates what each hold keeps; once per deal.
  void PrepareHand();
  // Groups the deck's ranks by count and sets the calculator's deck; once per deal.
  void PrepareRanks();

  // A dealt rank and the positions holding it.
  struct TDealtRank {
    int32_t Rank = 0;
    uint32_t Positions = 0;
  };
  std::array<TDealtRank, THand::MaxCards> dealtRanks_{};
  int dealtRankCount_ = 0;
  uint32_t wildPositions_ = 0;
  // Indexed by the held positions (bit i: card i kept): the ranks and suits of the natural
  // cards kept; bit k of repeatedRanks_ is set when the positions k hold a rank twice.
  std::array<uint16_t, HoldMaskCount> keptRanks_{};
  std::array<uint8_t, HoldMaskCount> keptSuits_{};
  uint32_t repeatedRanks_ = 0;
  // How many ranks have each deck count 0..4.
  std::array<int32_t, 5> ranksByDeck_{};
  // How the ranks of one deck count add to one category through one family of types:
  // a category's draws from ranks the hold lacks are Ranks times that count's draws.
  struct TFreshTerm {
    uint8_t Family = 0, Deck = 0, Category = 0, Ranks = 0;
  };
  std::array<TFreshTerm, 3 * 4 * MaxCategories> freshTerms_{};
  int freshTermCount_ = 0;
  // The straight and flush types (in SuitTypes order) of each mask as if no flush could be
  // made, from the last full analysis.
  std::array<std::array<int32_t, 7>, HoldMaskCount> rankSuitTypes_{};
  // PaySum of CatCount per mask 1..31, kept up to date by the analyses.
  std::array<int64_t, HoldMaskCount> paySums_{};
};

}  // namespace tavrik
