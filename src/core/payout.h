#pragma once

#include <array>
#include <cstdint>

#include "core/poker_description.h"

namespace tavrik {

inline constexpr int MaxCoins = 5;

// A paytable: for 1..5 coins bet (row coins - 1) the coins paid per category index;
// -1 marks a category the game does not have.
using TPaytable = std::array<std::array<int32_t, MaxCategories>, MaxCoins>;

// The running game's paytable row for the current bet, shared by the game engine and the
// analysis engine, and the accumulators of the whole-game computation.
class TPayout {
 public:
  // Clears the whole-game accumulators.
  void Reset() {
    WinsByDraw = {};
    DealsByDraw = {};
  }
  // Pay[c] = table[coins - 1][c] for c = 0..LastCategory. Raises TError for coins outside 1..5.
  void SetPay(const TPaytable& table, int coins);

  int32_t LastCategory = 0;
  std::array<int32_t, MaxCategories> Pay{};  // coins paid per category at the current bet
  int32_t DeckSize = 0;                      // cards in the full deck
  // Indexed by the number of cards the best hold draws (0..5) and the category.
  std::array<std::array<int64_t, MaxCategories>, 6> WinsByDraw{};
  std::array<int32_t, 6> DealsByDraw{};
};

}  // namespace tavrik
