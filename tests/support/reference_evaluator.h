#pragma once

#include <array>
#include <cstdint>

#include "core/hand_types.h"

namespace tavrik::test {

// A plain five-card evaluator written only for the tests, independent of the engine's
// histogram-based classification: ranks as a bit set, counts per rank, one suit check.
// Returns the NaturalHandType of five natural cards or -1.
inline int ReferenceType(const std::array<int, 5>& ranks, const std::array<int, 5>& suits) {
  std::array<int, 13> count{};
  unsigned bits = 0;
  for (const int rank : ranks) {
    ++count[rank];
    bits |= 1u << rank;
  }
  int fourRank = -1, threeRank = -1, pairs = 0, pairRank = -1;
  for (int rank = 0; rank < 13; ++rank) {
    const int c = count[rank];
    if (c == 4) fourRank = rank;
    if (c == 3) threeRank = rank;
    if (c == 2) {
      ++pairs;
      pairRank = rank;
    }
  }
  if (fourRank >= 0) return FOUR_OF_KIND_2 + fourRank;
  if (threeRank >= 0 && pairs == 1) return FULL_HOUSE;
  if (threeRank >= 0) return THREE_OF_KIND_2 + threeRank;
  if (pairs == 2) return TWO_PAIRS;
  if (pairs == 1) return PAIRS_2 + pairRank;
  const bool flush =
      suits[0] == suits[1] && suits[1] == suits[2] && suits[2] == suits[3] && suits[3] == suits[4];
  int straight = -1;
  if (bits == 0x1F00u) {
    straight = STRAIGHT_T_A;
  } else if (bits == 0x100Fu) {
    straight = STRAIGHT_A_5;
  } else {
    for (int low = 0; low < 8; ++low) {
      if (bits == 0x1Fu << low) straight = STRAIGHT;
    }
  }
  if (flush) {
    if (straight == STRAIGHT_T_A) return FLUSH_STRAIGHT_T_A;
    if (straight == STRAIGHT_A_5) return FLUSH_STRAIGHT_A_5;
    if (straight == STRAIGHT) return FLUSH_STRAIGHT;
    return FLUSH;
  }
  return straight;
}

}  // namespace tavrik::test
