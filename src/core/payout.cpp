#include "core/payout.h"

#include <string>

#include "core/error.h"

namespace tavrik {

void TPayout::SetPay(const TPaytable& table, int coins) {
  Require(coins >= 1 && coins <= MaxCoins, "Bet out of range: " + std::to_string(coins));
  Require(LastCategory >= 0 && LastCategory < MaxCategories,
          "Category out of range: " + std::to_string(LastCategory));
  Pay = {};
  for (int category = 0; category <= LastCategory; ++category) {
    Pay[static_cast<size_t>(category)] =
        table[static_cast<size_t>(coins - 1)][static_cast<size_t>(category)];
  }
}

}  // namespace tavrik
