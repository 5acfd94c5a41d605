#pragma once

#include <array>
#include <cstdint>

#include "core/card_bunch.h"
#include "core/hand_types.h"
#include "core/poker_description.h"

namespace tavrik {

// The WildHandType of five cards holding at least one wild card, or -1 for five natural
// cards. A fixed decision on the number of wild cards and the shape of the natural cards
// (rank and suit histograms, lowest and highest rank); no substitution is tried.
// Four wild cards are WILD_4_A or WILD_4_WA, never five of a kind. The ace-low straight
// window is A-2-3-4-5 (in Deuces Wild A, 3, 4, 5 and wild cards).
int ClassifyWildHand(const THand& hand);

// The category paid for each wild hand type, or -1: categories 0..lastCategory are ordered
// by `pay`, highest first (passes of adjacent exchanges; equal payouts keep the lower
// index first), and each type goes to the first category in that order whose set holds it.
std::array<int32_t, WildHandTypeCount> BuildWildTypeMap(
    const std::array<THandTypeSet, MaxCategories>& wildTypeSets,
    const std::array<int32_t, MaxCategories>& pay, int lastCategory);

}  // namespace tavrik
