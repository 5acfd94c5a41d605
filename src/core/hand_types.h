#pragma once

#include <array>
#include <string_view>

namespace tavrik {

// Fine hand types of five natural cards. The values are indexes into category bit sets
// and count tables; their order is part of the stored format.
enum NaturalHandType : int {
  FLUSH_STRAIGHT_A_5 = 0,
  FLUSH_STRAIGHT = 1,
  FLUSH_STRAIGHT_T_A = 2,
  // FOUR_OF_KIND_2 + rank
  FOUR_OF_KIND_2 = 3,
  FOUR_OF_KIND_3 = 4,
  FOUR_OF_KIND_4 = 5,
  FOUR_OF_KIND_5 = 6,
  FOUR_OF_KIND_6 = 7,
  FOUR_OF_KIND_7 = 8,
  FOUR_OF_KIND_8 = 9,
  FOUR_OF_KIND_9 = 10,
  FOUR_OF_KIND_T = 11,
  FOUR_OF_KIND_J = 12,
  FOUR_OF_KIND_Q = 13,
  FOUR_OF_KIND_K = 14,
  FOUR_OF_KIND_A = 15,
  FULL_HOUSE = 16,
  FLUSH = 17,
  STRAIGHT_A_5 = 18,
  STRAIGHT = 19,
  STRAIGHT_T_A = 20,
  // THREE_OF_KIND_2 + rank
  THREE_OF_KIND_2 = 21,
  THREE_OF_KIND_3 = 22,
  THREE_OF_KIND_4 = 23,
  THREE_OF_KIND_5 = 24,
  THREE_OF_KIND_6 = 25,
  THREE_OF_KIND_7 = 26,
  THREE_OF_KIND_8 = 27,
  THREE_OF_KIND_9 = 28,
  THREE_OF_KIND_T = 29,
  THREE_OF_KIND_J = 30,
  THREE_OF_KIND_Q = 31,
  THREE_OF_KIND_K = 32,
  THREE_OF_KIND_A = 33,
  TWO_PAIRS = 34,
  // PAIRS_2 + rank
  PAIRS_2 = 35,
  PAIRS_3 = 36,
  PAIRS_4 = 37,
  PAIRS_5 = 38,
  PAIRS_6 = 39,
  PAIRS_7 = 40,
  PAIRS_8 = 41,
  PAIRS_9 = 42,
  PAIRS_T = 43,
  PAIRS_J = 44,
  PAIRS_Q = 45,
  PAIRS_K = 46,
  PAIRS_A = 47,
};
inline constexpr int NaturalHandTypeCount = 48;

// Fine hand types of hands holding wild cards.
enum WildHandType : int {
  WILD_5 = 0,
  WILD_4_A = 1,
  WILD_4_WA = 2,
  // WILD_FIVE_2 + rank
  WILD_FIVE_2 = 3,
  WILD_FIVE_3 = 4,
  WILD_FIVE_4 = 5,
  WILD_FIVE_5 = 6,
  WILD_FIVE_6 = 7,
  WILD_FIVE_7 = 8,
  WILD_FIVE_8 = 9,
  WILD_FIVE_9 = 10,
  WILD_FIVE_T = 11,
  WILD_FIVE_J = 12,
  WILD_FIVE_Q = 13,
  WILD_FIVE_K = 14,
  WILD_FIVE_A = 15,
  WILD_3 = 16,
  WILD_3_FLUSH = 17,
  WILD_3_FLUSH_STR_A_5 = 18,
  WILD_3_FLUSH_STR = 19,
  WILD_3_FLUSH_STR_T_A = 20,
  WILD_2 = 21,
  WILD_2_AND_2_1 = 22,
  WILD_2_FLUSH = 23,
  WILD_2_FLUSH_STR_A_5 = 24,
  WILD_2_FLUSH_STR = 25,
  WILD_2_FLUSH_STR_T_A = 26,
  WILD_2_STRAIGHT_A_5 = 27,
  WILD_2_STRAIGHT = 28,
  WILD_2_STRAIGHT_T_A = 29,
  WILD_1 = 30,
  WILD_1_AND_3_1 = 31,
  WILD_1_AND_2_2 = 32,
  WILD_1_AND_2_1_1 = 33,
  WILD_1_FLUSH = 34,
  WILD_1_FLUSH_STR_A_5 = 35,
  WILD_1_FLUSH_STR = 36,
  WILD_1_FLUSH_STR_T_A = 37,
  WILD_1_STRAIGHT_A_5 = 38,
  WILD_1_STRAIGHT = 39,
  WILD_1_STRAIGHT_T_A = 40,
  WILD_1_KINGS = 41,
};
inline constexpr int WildHandTypeCount = 42;

// Names of the types, in enumeration order.
extern const std::array<std::string_view, NaturalHandTypeCount> NaturalHandTypeNames;
extern const std::array<std::string_view, WildHandTypeCount> WildHandTypeNames;

}  // namespace tavrik
