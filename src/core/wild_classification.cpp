#include "core/wild_classification.h"

#include <utility>

#include "core/error.h"

namespace tavrik {

namespace {

constexpr int King = 11;
constexpr int Ten = 8;
constexpr int Five = 3;

// Straight kinds, in the order of the three types of each family (ace-low first).
constexpr int NoStraight = -1, AceLow = 0, Ordinary = 1, TenToAce = 2;

int StraightKind(const THand& hand) {
  if (hand.MaxRank - hand.MinRank > 4) return NoStraight;
  if (hand.RankCount[Ace] > 0) {
    // MaxRank ignores the ace: the other cards decide between the two windows with an ace.
    if (hand.MaxRank <= Five) return AceLow;
    if (hand.MinRank >= Ten) return TenToAce;
    return NoStraight;
  }
  return hand.MinRank >= Ten ? TenToAce : Ordinary;
}

}  // namespace

int ClassifyWildHand(const THand& hand) {
  const int wild = hand.WildCount;
  const int natural = hand.Count - wild;
  if (wild == 0) return -1;
  Require(hand.Count == 5, "A hand to classify holds five cards");
  if (wild == 5) return WILD_5;
  if (wild == 4) return hand.RankCount[Ace] == 1 ? WILD_4_A : WILD_4_WA;
  if (hand.RankHistogram[static_cast<size_t>(natural)] == 1) return WILD_FIVE_2 + hand.MinRank;
  const int kind = StraightKind(hand);
  const bool flush = hand.SuitHistogram[static_cast<size_t>(natural)] == 1;
  const bool distinct = hand.RankHistogram[1] == natural;
  if (wild == 3) {
    if (!flush) return WILD_3;
    return kind == NoStraight ? WILD_3_FLUSH : WILD_3_FLUSH_STR_A_5 + kind;
  }
  if (wild == 2) {
    if (!distinct) return WILD_2_AND_2_1;
    if (flush) return kind == NoStraight ? WILD_2_FLUSH : WILD_2_FLUSH_STR_A_5 + kind;
    return kind == NoStraight ? WILD_2 : WILD_2_STRAIGHT_A_5 + kind;
  }
  if (!distinct) {
    if (hand.RankHistogram[3] == 1) return WILD_1_AND_3_1;
    if (hand.RankHistogram[2] == 2) return WILD_1_AND_2_2;
    return WILD_1_AND_2_1_1;
  }
  if (flush) return kind == NoStraight ? WILD_1_FLUSH : WILD_1_FLUSH_STR_A_5 + kind;
  if (kind != NoStraight) return WILD_1_STRAIGHT_A_5 + kind;
  return hand.RankCount[King] + hand.RankCount[Ace] > 0 ? WILD_1_KINGS : WILD_1;
}

std::array<int32_t, WildHandTypeCount> BuildWildTypeMap(
    const std::array<THandTypeSet, MaxCategories>& wildTypeSets,
    const std::array<int32_t, MaxCategories>& pay, int lastCategory) {
  RequireInRange(lastCategory, 0, MaxCategories - 1, "Category");
  std::array<int32_t, MaxCategories> order{};
  for (int i = 0; i <= lastCategory; ++i) order[static_cast<size_t>(i)] = i;
  for (bool exchanged = true; exchanged;) {
    exchanged = false;
    for (size_t i = 0; i + 1 <= static_cast<size_t>(lastCategory); ++i) {
      if (pay[static_cast<size_t>(order[i])] < pay[static_cast<size_t>(order[i + 1])]) {
        std::swap(order[i], order[i + 1]);
        exchanged = true;
      }
    }
  }
  std::array<int32_t, WildHandTypeCount> map{};
  map.fill(-1);
  for (int i = 0; i <= lastCategory; ++i) {
    const int32_t category = order[static_cast<size_t>(i)];
    for (int type = 0; type < WildHandTypeCount; ++type) {
      if (map[static_cast<size_t>(type)] < 0 &&
          wildTypeSets[static_cast<size_t>(category)].Has(type))
        map[static_cast<size_t>(type)] = category;
    }
  }
  return map;
}

}  // namespace tavrik
