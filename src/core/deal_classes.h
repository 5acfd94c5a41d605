#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tavrik {

// A five-card natural deal standing for all deals that differ from it only by a
// permutation of the suits.
struct TDealClass {
  std::array<int8_t, 5> Rank{};  // ascending
  std::array<int8_t, 5> Suit{};
  int32_t Weight = 0;     // deals the class stands for: 4, 12 or 24
  bool NewRanks = false;  // first class of its ranks; the next ones differ only in suits
};

// Every natural five-card deal up to suit permutation: 134459 classes whose weights sum to
// C(52, 5). Classes of the same ranks are adjacent, the first of them marked NewRanks.
// Built on first use.
const std::vector<TDealClass>& NaturalDealClasses();

}  // namespace tavrik
