#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tavrik {

// A five-card deal standing for all deals that differ from it only by a permutation of the
// suits (and, in a game with wild cards, by which of the wild cards were dealt).
struct TDealClass {
  std::array<int8_t, 5> Rank{};  // natural ranks ascending, then wild cards as -1
  std::array<int8_t, 5> Suit{};  // -1 for a wild card
  int32_t Weight = 0;            // deals the class stands for: 4, 12 or 24 without wild cards
  bool NewRanks = false;         // first class of its ranks; the next ones differ only in suits
};

// Every natural five-card deal up to suit permutation: 134459 classes whose weights sum to
// C(52, 5). Classes of the same ranks are adjacent, the first of them marked NewRanks.
// Built on first use.
const std::vector<TDealClass>& NaturalDealClasses();

// Every deal of a deck with wild cards (`wildRank` 0..12 makes that rank's four cards wild,
// -1 none; `jokerCount` 0..2 jokers) up to suit permutation: first the deals without a wild
// card (five cards of the other ranks), then by the number w = 1.. of wild cards dealt the
// classes of 5 - w natural cards followed by w wild cards, weighted by C(wild cards, w) times
// the suit permutations. The weights sum to C(deck size, 5). Built on first use per deck.
const std::vector<TDealClass>& WildDealClasses(int wildRank, int jokerCount);

}  // namespace tavrik
