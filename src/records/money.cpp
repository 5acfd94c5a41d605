#include "records/money.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavrik {

std::string MoneyText(double dollars, int decimals) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.*f", decimals, std::fabs(dollars));
  const bool negative = dollars < 0 && std::strtod(digits, nullptr) != 0;
  return (negative ? "-$" : "$") + std::string(digits);
}

}  // namespace tavrik
