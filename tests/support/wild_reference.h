#pragma once

#include <array>
#include <cstdint>
#include <string>

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
    for (int c = 0; c <= game.LastCategory; ++c) {
      const std::string& name = game.CategoryName[c];
      for (size_t k = 0; k < Names.size(); ++k) {
        if (name == Names[k]) category_[k] = c;
      }
    }
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
    if (game_.WildRank >= 0 && wild == 4) result |= Bit(RefFourDeuces);
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
  enum : size_t {
    RefNaturalRoyal,
    RefFourDeuces,
    RefWildRoyal,
    RefFiveOfKind,
    RefStraightFlush,
    RefFourOfKind,
    RefFullHouse,
    RefFlush,
    RefStraight,
    RefThreeOfKind,
    RefTwoPairs,
    RefKingsOrBetter,
    RefNothing
  };
  static constexpr std::array<const char*, 12> Names = {
      "Natural Royal Flush", "Four Deuces",    "Wild Royal Flush",
      "Five of Kind",        "Straight Flush", "Four of Kind",
      "Full House",          "Flush",          "Straight",
      "Three of Kind",       "Two Pairs",      "Kings or Better"};

  static size_t Rank(const std::array<int, 5>& r, const std::array<int, 5>& s, bool usesWild) {
    if (r[0] == r[1] && r[1] == r[2] && r[2] == r[3] && r[3] == r[4]) return RefFiveOfKind;
    const int type = ReferenceType(r, s);
    if (type == FLUSH_STRAIGHT_T_A) return usesWild ? RefWildRoyal : RefNaturalRoyal;
    if (type == FLUSH_STRAIGHT_A_5 || type == FLUSH_STRAIGHT) return RefStraightFlush;
    if (type >= FOUR_OF_KIND_2 && type <= FOUR_OF_KIND_A) return RefFourOfKind;
    if (type == FULL_HOUSE) return RefFullHouse;
    if (type == FLUSH) return RefFlush;
    if (type >= STRAIGHT_A_5 && type <= STRAIGHT_T_A) return RefStraight;
    if (type >= THREE_OF_KIND_2 && type <= THREE_OF_KIND_A) return RefThreeOfKind;
    if (type == TWO_PAIRS) return RefTwoPairs;
    if (type == PAIRS_K || type == PAIRS_A) return RefKingsOrBetter;
    return RefNothing;
  }

  uint32_t Bit(size_t rank) const {
    return rank < Names.size() && category_[rank] >= 0 ? 1u << category_[rank] : 0u;
  }

  const TPokerDescription& game_;
  std::array<int, 12> category_ = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};

}  // namespace tavrik::test
