#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavrik {

// Dollars per coin by coin value index.
inline constexpr std::array<double, 6> CoinValues = {0.25, 0.5, 1, 5, 25, 100};

// The coin value of a record's CoinValueIndex in dollars; 0 for an index the program
// never writes.
inline double CoinDollars(uint8_t coinValueIndex) {
  return coinValueIndex < CoinValues.size() ? CoinValues[coinValueIndex] : 0;
}

// Dollars as every window writes them: "$0.25108", "-$1.25", with `decimals` decimals
// ("$0.00" for nothing; a negative amount that rounds to 0 shows no sign).
std::string MoneyText(double dollars, int decimals);

}  // namespace tavrik
