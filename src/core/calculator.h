#pragma once

#include <array>
#include <cstdint>

#include "core/card_bunch.h"

namespace tavrik {

inline constexpr int MaxBinomialN = 53;
inline constexpr int MaxBinomialK = 6;

namespace detail {
struct TBinomialTable {
  std::array<std::array<int32_t, MaxBinomialK + 1>, MaxBinomialN + 1> Value{};
  constexpr TBinomialTable() {
    for (int n = 0; n <= MaxBinomialN; ++n) {
      Value[n][0] = 1;
      for (int k = 1; k <= MaxBinomialK; ++k) {
        Value[n][k] = n == 0 ? 0 : Value[n - 1][k - 1] + Value[n - 1][k];
      }
    }
  }
};
inline constexpr TBinomialTable BinomialTable{};
[[noreturn]] void ThrowBinomialRange(int n, int k);
}  // namespace detail

// C(n, k) for n = 0..53 and k = 0..6 from a table; 0 when k < 0 or k > n. Raises TError
// for n or k beyond the table (never needed for five-card draws from 54 cards).
inline int32_t Binomial(int n, int k) {
  if (k < 0 || k > n) return 0;
  if (n > MaxBinomialN || k > MaxBinomialK) detail::ThrowBinomialRange(n, k);
  return detail::BinomialTable.Value[n][k];
}

// C(n, k) for 0 <= n <= 53 and 0 <= k <= 6 without checks, for the counting loops whose
// arguments are bounded by construction (0 when k > n).
inline int32_t BinomialInRange(int n, int k) {
  return detail::BinomialTable.Value[n][k];
}

// One rank of a held hand and how many of its cards are held.
struct THeldRank {
  int32_t Rank = 0;
  int32_t Held = 0;
};

// Precomputed sums from which the analysis engines count draws without listing them, for
// one held hand against the cards left in the deck. "Fresh" ranks are those of which the
// held hand has no card; d is a rank's count in the deck, h its count in the held hand.
class TCalculator {
 public:
  // Fills Pairs, PowerSums and Singles for this held hand and deck.
  void Init(const TCardBunch& held, const TCardBunch& deck);
  // The same for a held hand; without wild cards it works from the held cards and sums over
  // the deck that are kept while the deck does not change.
  void Init(const THand& held, const TCardBunch& deck);
  // The natural form in two steps, for counting many held hands against one deck:
  // SetDeck sums over the deck's ranks (and checks the counts), InitHeldRanks then takes
  // the held ranks out of those sums. `held` lists each held rank once, `count` of them,
  // with Held in 1..4; the deck must be the one last given to SetDeck.
  void SetDeck(const TCardBunch& deck);
  void InitHeldRanks(const THeldRank* held, int count, const TCardBunch& deck);
  // Fills Singles from row 12 of PowerSums (row x > 0 equals CalcFormula with x).
  void CalcSingles();
  // Elementary symmetric sums e0..e5 (e0 = 1) of the values whose power sums 1..5 are
  // powers[1..5], after leaving out one value x (x = 0 leaves nothing out).
  static void CalcFormula(const std::array<int32_t, 6>& powers, std::array<int32_t, 6>& row, int x);
  // Like Singles[0], over the fresh ranks low+1..high only (low = -1: from rank 0; high is
  // capped at 12). Needs the full PowerSums of a wild-card Init.
  void CalcSingleRange(int low, int high, std::array<int32_t, 6>& row);
  // Fills SuitPrefix from the deck.
  void InitSuits(const TCardBunch& deck);
  // Deck cards of `suit` with rank low+1..high (high capped at 12, low = -1 from rank 0).
  int32_t SuitRange(int suit, int low, int high) const;
  // SuitRange without checks, for the counting loops: suit 0..3, -1 <= low <= high <= 12.
  int32_t SuitRangeInRange(int suit, int low, int high) const {
    return SuitPrefix[high][suit] - (low >= 0 ? SuitPrefix[low][suit] : 0);
  }

  // Row r, entry e: sum over the fresh ranks 0..r of d^e (entry 0 counts the ranks). With
  // no wild cards only row 12 is filled and it counts only fresh ranks with d > 0.
  std::array<std::array<int32_t, 6>, NumRanks> PowerSums{};
  std::array<int32_t, 6> Scratch{};
  // SuitPrefix[r][s]: deck cards of suit s with rank 0..r.
  std::array<std::array<int32_t, NumSuits>, NumRanks> SuitPrefix{};
  // Singles[x][k]: ways to take one card from each of k different fresh ranks, leaving out
  // one fresh rank whose deck count is x (x = 0: nothing left out).
  std::array<std::array<int32_t, 6>, 5> Singles{};
  // Pairs[k]: sum of C(d, k) over the ranks with h = 2 - k. Pairs[0] = held pairs,
  // Pairs[1] = deck cards matching a held single, Pairs[2] = ways to draw a fresh pair.
  std::array<int32_t, 3> Pairs{};

 private:
  std::array<int32_t, NumRanks> cachedDeck_{};  // rank counts the two sums below are for
  std::array<int32_t, 6> deckPowers_{};         // natural power sums over every rank
  int32_t deckPairs_ = 0;                       // sum of C(d, 2) over every rank
};

}  // namespace tavrik
