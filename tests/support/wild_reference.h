#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "core/hand_types.h"
#include "core/poker_description.h"
#include "support/reference_evaluator.h"

namespace tavrik::test {

// What a real machine pays for five cards of a wild game, found the slow way and written
// only for the tests: every wild card is replaced by every rank (duplicates of other cards
// allowed), the replaced hand is ranked as in ordinary poker plus five of a kind, and the
// rank is named as the game's categories name it. Suits matter only for flushes, so the
// wild cards either all take the suit of the natural cards or one that breaks the flush.
class TWildReference {
 public:
  explicit TWildReference(const TPokerDescription& game) : game_(game) {
    for (int c = 0; c <= game.LastCategory; ++c) category_.emplace(game.CategoryName[c], c);
  }

  // Bit set of the categories the hand can be paid as. Wild cards have rank -1; the
  // natural cards are given by rank 0..12 and suit 0..3.
  uint32_t Achievable(const std::array<int, 5>& ranks, const std::array<int, 5>& suits) const {
    std::array<int, 5> r{}, s{};
    int natural = 0;
    for (size_t i = 0; i < 5; ++i) {
      if (ranks[i] >= 0) {
        r[natural] = ranks[i];
        s[natural] = suits[i];
        ++natural;
      }
    }
    const int wild = 5 - natural;
    bool oneSuit = true;
    for (int i = 1; i < natural; ++i) oneSuit = oneSuit && s[i] == s[0];
    const int flushSuit = natural > 0 ? s[0] : 0;
    uint32_t result = 0;
    if (game_.WildRank >= 0 && wild == 4) result |= Bit("Four Deuces");
    const auto rankAll = [&](auto&& self, int position, int lowest) -> void {
      if (position == 5) {
        // Wild cards in the natural cards' suit (a flush when those share one) or in
        // another suit (no flush).
        for (int option = 0; option < 2; ++option) {
          if (option == 0 && !oneSuit) continue;
          for (int i = natural; i < 5; ++i) {
            s[i] = option == 0 ? flushSuit : (natural > 0 ? (flushSuit + 1) % 4 : i % 4);
          }
          result |= Bit(Rank(r, s, wild > 0));
        }
        return;
      }
      for (int rank = lowest; rank < 13; ++rank) {
        r[position] = rank;
        self(self, position + 1, rank);
      }
    };
    rankAll(rankAll, natural, 0);
    return result;
  }

  // The highest payout in `pay` among the categories the hand can be paid as (0 if none).
  int32_t BestPay(uint32_t achievable, const std::array<int32_t, MaxCategories>& pay) const {
    int32_t best = 0;
    for (int c = 0; c <= game_.LastCategory; ++c) {
      if ((achievable >> c) & 1u) best = std::max(best, pay[c]);
    }
    return best;
  }

 private:
  // The rank of the replaced hand, named as the categories of the wild games name it.
  static std::string_view Rank(const std::array<int, 5>& r, const std::array<int, 5>& s,
                               bool usesWild) {
    if (r[0] == r[1] && r[1] == r[2] && r[2] == r[3] && r[3] == r[4]) return "Five of Kind";
    const int type = ReferenceType(r, s);
    if (type == FLUSH_STRAIGHT_T_A) return usesWild ? "Wild Royal Flush" : "Natural Royal Flush";
    if (type == FLUSH_STRAIGHT_A_5 || type == FLUSH_STRAIGHT) return "Straight Flush";
    if (type >= FOUR_OF_KIND_2 && type <= FOUR_OF_KIND_A) return "Four of Kind";
    if (type == FULL_HOUSE) return "Full House";
    if (type == FLUSH) return "Flush";
    if (type >= STRAIGHT_A_5 && type <= STRAIGHT_T_A) return "Straight";
    if (type >= THREE_OF_KIND_2 && type <= THREE_OF_KIND_A) return "Three of Kind";
    if (type == TWO_PAIRS) return "Two Pairs";
    if (type == PAIRS_K || type == PAIRS_A) return "Kings or Better";
    return "";
  }

  // The game's category of that name as a bit; none when the game has no such category.
  uint32_t Bit(std::string_view name) const {
    const auto found = category_.find(name);
    return found == category_.end() ? 0u : 1u << found->second;
  }

  const TPokerDescription& game_;
  std::map<std::string, int, std::less<>> category_;
};

}  // namespace tavrik::test
