#include "core/calculator.h"

#include <string>

#include "core/error.h"

namespace tavrik {

void detail::ThrowBinomialRange(int n, int k) {
  throw TError("Binomial C(" + std::to_string(n) + ", " + std::to_string(k) +
               ") is outside the table");
}

namespace {

// Per deck count d = 0..4: what a fresh rank adds to the power sums (1, d, d^2, ..., d^5);
// in the natural table an empty rank adds nothing, not even to the rank count.
constexpr std::array<std::array<int32_t, 6>, 5> PowerRow(bool countEmpty) {
  std::array<std::array<int32_t, 6>, 5> rows{};
  for (int d = 0; d <= 4; ++d) {
    rows[d][0] = (d > 0 || countEmpty) ? 1 : 0;
    int32_t power = 1;
    for (int e = 1; e <= 5; ++e) rows[d][e] = power *= d;
  }
  return rows;
}
constexpr auto NaturalPowerRow = PowerRow(false);
constexpr auto WildPowerRow = PowerRow(true);

// Per deck count d and held count h: C(d, 2 - h), 0 when 2 - h is not in 0..d.
constexpr std::array<std::array<int32_t, 5>, 5> PairShare = [] {
  std::array<std::array<int32_t, 5>, 5> share{};
  for (int d = 0; d <= 4; ++d) {
    for (int h = 0; h <= 2; ++h) {
      const int k = 2 - h;
      share[d][h] = k <= d ? detail::BinomialTable.Value[d][k] : 0;
    }
  }
  return share;
}();

}  // namespace

void TCalculator::Init(const TCardBunch& held, const TCardBunch& deck) {
  WithContext("Error in calculator  (Init)", [&] {
    const bool natural = held.WildCount == 0 && deck.WildCount == 0;
    const auto& powerRow = natural ? NaturalPowerRow : WildPowerRow;
    // The running sums stay in registers: six scalars rather than an array that each row
    // would read back from memory right after writing it.
    int32_t s0 = 0, s1 = 0, s2 = 0, s3 = 0, s4 = 0, s5 = 0;
    int32_t pairs0 = 0, pairs1 = 0, pairs2 = 0;  // Pairs[k]: the share of ranks held 2 - k times
    for (int rank = 0; rank < NumRanks; ++rank) {
      const int d = deck.RankCount[rank];
      const int h = held.RankCount[rank];
      if (d < 0 || d > 4 || h < 0 || h > 4) ThrowOutOfRange("Rank count", d < 0 || d > 4 ? d : h);
      const int32_t share = PairShare[d][h];
      pairs2 += h == 0 ? share : 0;
      pairs1 += h == 1 ? share : 0;
      pairs0 += h == 2 ? share : 0;
      if (h == 0) {
        const auto& add = powerRow[d];
        s0 += add[0];
        s1 += add[1];
        s2 += add[2];
        s3 += add[3];
        s4 += add[4];
        s5 += add[5];
      }
      if (!natural) PowerSums[rank] = {s0, s1, s2, s3, s4, s5};
    }
    PowerSums[12] = {s0, s1, s2, s3, s4, s5};
    Pairs = {pairs0, pairs1, pairs2};
    CalcSingles();
  });
}

void TCalculator::Init(const THand& held, const TCardBunch& deck) {
  if (held.WildCount != 0 || deck.WildCount != 0) {
    Init(static_cast<const TCardBunch&>(held), deck);
    return;
  }
  WithContext("Error in calculator  (Init)", [&] {
    std::array<THeldRank, THand::MaxCards> ranks{};
    int count = 0;
    unsigned seen = 0;
    for (int position = 0; position < held.Count; ++position) {
      const int rank = held.CardRank[position];
      if ((seen >> rank) & 1u) continue;
      seen |= 1u << rank;
      RequireInRange(held.RankCount[rank], 1, 4, "Held count");
      ranks[static_cast<size_t>(count++)] = {rank, held.RankCount[rank]};
    }
    if (deck.RankCount != cachedDeck_) SetDeck(deck);
    InitHeldRanks(ranks.data(), count, deck);
  });
}

void TCalculator::SetDeck(const TCardBunch& deck) {
  // Summed apart and kept only when every count is valid: a refused deck leaves the sums
  // of the previous one, still matching cachedDeck_.
  std::array<int32_t, 6> powers{};
  int32_t pairs = 0;
  for (int rank = 0; rank < NumRanks; ++rank) {
    const int d = deck.RankCount[rank];
    if (d < 0 || d > 4) ThrowOutOfRange("Rank count", d);
    for (int e = 0; e <= 5; ++e) powers[e] += NaturalPowerRow[d][e];
    pairs += PairShare[d][0];
  }
  deckPowers_ = powers;
  deckPairs_ = pairs;
  cachedDeck_ = deck.RankCount;
}

void TCalculator::InitHeldRanks(const THeldRank* held, int count, const TCardBunch& deck) {
  std::array<int32_t, 6> sum = deckPowers_;
  // Scalars, not an array indexed by the held count: they stay in registers.
  int32_t freshPairs = deckPairs_, matching = 0, heldPairs = 0;
  for (int i = 0; i < count; ++i) {
    const int d = deck.RankCount[held[i].Rank];
    const int h = held[i].Held;
    for (int e = 0; e <= 5; ++e) sum[e] -= NaturalPowerRow[d][e];
    freshPairs -= PairShare[d][0];
    matching += h == 1 ? d : 0;
    heldPairs += h == 2 ? 1 : 0;
  }
  PowerSums[12] = sum;
  Pairs = {heldPairs, matching, freshPairs};
  CalcSingles();
}

void TCalculator::CalcSingles() {
  WithContext("Error in calculator  (CalcSingles)", [&] {
    CalcFormula(PowerSums[12], Singles[0], 0);
    // Leaving out one value x divides the generating polynomial prod(1 + v t) by (1 + x t):
    // e'_k = e_k - x e'_(k-1). The same numbers CalcFormula gives with x, without divisions.
    for (int x = 1; x <= 4; ++x) {
      auto& row = Singles[x];
      row[0] = 1;
      for (int k = 1; k <= 5; ++k) row[k] = Singles[0][k] - x * row[k - 1];
    }
  });
}

// Newton's identities: k e_k = sum_{i=1..k} (-1)^(i-1) e_(k-i) p_i; every division is exact.
void TCalculator::CalcFormula(const std::array<int32_t, 6>& powers, std::array<int32_t, 6>& row,
                              int x) {
  int64_t p1 = powers[1], p2 = powers[2], p3 = powers[3], p4 = powers[4], p5 = powers[5];
  if (x > 0) {
    const int64_t x2 = x * x, x3 = x2 * x, x4 = x3 * x;
    p1 -= x;
    p2 -= x2;
    p3 -= x3;
    p4 -= x4;
    p5 -= x4 * x;
  }
  const int64_t e1 = p1;
  const int64_t e2 = (e1 * p1 - p2) / 2;
  const int64_t e3 = (e2 * p1 - e1 * p2 + p3) / 3;
  const int64_t e4 = (e3 * p1 - e2 * p2 + e1 * p3 - p4) / 4;
  const int64_t e5 = (e4 * p1 - e3 * p2 + e2 * p3 - e1 * p4 + p5) / 5;
  row = {1,
         static_cast<int32_t>(e1),
         static_cast<int32_t>(e2),
         static_cast<int32_t>(e3),
         static_cast<int32_t>(e4),
         static_cast<int32_t>(e5)};
}

void TCalculator::CalcSingleRange(int low, int high, std::array<int32_t, 6>& row) {
  WithContext("Error in calculator  (CalcSingleRange)", [&] {
    if (high > 12) high = 12;
    Require(high >= 0 && low >= -1 && low <= Ace, "Rank range out of bounds");
    for (int e = 0; e <= 5; ++e) {
      Scratch[e] = PowerSums[high][e] - (low >= 0 ? PowerSums[low][e] : 0);
    }
    CalcFormula(Scratch, row, 0);
  });
}

void TCalculator::InitSuits(const TCardBunch& deck) {
  WithContext("Error in calculator  (InitSuits)", [&] {
    for (int suit = 0; suit < NumSuits; ++suit) {
      int32_t sum = 0;
      for (int rank = 0; rank < NumRanks; ++rank) {
        sum += deck.RankSuitCount[rank][suit];
        SuitPrefix[rank][suit] = sum;
      }
    }
  });
}

int32_t TCalculator::SuitRange(int suit, int low, int high) const {
  return WithContext("Error in calculator  (SuitRange)", [&] {
    if (high > 12) high = 12;
    Require(suit >= 0 && suit < NumSuits && high >= -1, "Suit range out of bounds");
    if (high < 0) return 0;
    int32_t result = SuitPrefix[high][suit];
    if (low >= 0 && low <= Ace) result -= SuitPrefix[low][suit];
    return result;
  });
}

}  // namespace tavrik
