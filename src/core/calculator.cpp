#include "core/calculator.h"

#include <string>

#include "core/error.h"

namespace tavrik {

void detail::ThrowBinomialRange(int n, int k) {
  throw TError("Binomial C(" + std::to_string(n) + ", " + std::to_string(k) +
               ") is outside the table");
}

void TCalculator::Init(const TCardBunch& held, const TCardBunch& deck) {
  WithContext("Error in calculator  (Init)", [&] {
    Pairs = {};
    if (held.WildCount == 0 && deck.WildCount == 0) {
      auto& row = PowerSums[12];
      row = {};
      for (int rank = 0; rank < NumRanks; ++rank) {
        const int d = deck.RankCount[rank];
        if (held.RankCount[rank] != 0 || d <= 0) continue;
        const auto& power = Powers[static_cast<size_t>(d - 1)];
        row[0] += 1;
        for (int e = 1; e <= 5; ++e) row[e] += power[static_cast<size_t>(e - 1)];
      }
    } else {
      std::array<int32_t, 6> sum{};
      for (int rank = 0; rank < NumRanks; ++rank) {
        const int d = deck.RankCount[rank];
        if (held.RankCount[rank] == 0) {
          sum[0] += 1;
          if (d > 0) {
            const auto& power = Powers[static_cast<size_t>(d - 1)];
            for (int e = 1; e <= 5; ++e) sum[e] += power[static_cast<size_t>(e - 1)];
          }
        }
        PowerSums[rank] = sum;
      }
    }
    for (int rank = 0; rank < NumRanks; ++rank) {
      const int d = deck.RankCount[rank];
      const int k = 2 - held.RankCount[rank];
      if (k >= 0 && k <= d) Pairs[k] += Binomial(d, k);
    }
    CalcSingles();
  });
}

void TCalculator::CalcSingles() {
  WithContext("Error in calculator  (CalcSingles)", [&] {
    for (int x = 0; x <= 4; ++x) CalcFormula(PowerSums[12], Singles[x], x);
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
    Require(high >= 0 && low >= -1 && low <= 12, "Rank range out of bounds");
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
    if (low >= 0 && low <= 12) result -= SuitPrefix[low][suit];
    return result;
  });
}

}  // namespace tavrik
