#include "core/payout.h"

#include <string>

#include "core/error.h"

namespace tavrik {

void TPayout::SetPay(const TPaytable& table, int coins) {
  RequireInRange(coins, 1, MaxCoins, "Bet");
  RequireInRange(LastCategory, 0, MaxCategories - 1, "Category");
  Pay = {};
  for (int category = 0; category <= LastCategory; ++category) {
    Pay[static_cast<size_t>(category)] =
        table[static_cast<size_t>(coins - 1)][static_cast<size_t>(category)];
  }
}

}  // namespace tavrik
