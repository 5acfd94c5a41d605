#include "core/poker_description.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/error.h"
#include "core/hand_types.h"

namespace tavrik {
namespace {

std::vector<std::string> Categories(const TPokerDescription& game) {
  return {game.CategoryName.begin(), game.CategoryName.begin() + game.LastCategory + 1};
}

TEST(PokerDescription, NamesKindsAndCategories) {
  struct Case {
    int index;
    const char* name;
    int wildRank;
    int jokers;
    std::vector<std::string> categories;
  };
  const std::vector<std::string> lower = {"Full House",    "Flush",     "Straight",
                                          "Three of Kind", "Two Pairs", "Jacks or Better"};
  auto eleven = [&](std::vector<std::string> top) {
    top.insert(top.end(), lower.begin(), lower.end());
    return top;
  };
  const Case cases[] = {
      {0, "Aces and Eights", -5, 0,
       eleven({"Royal Flush", "Four Aces or 8", "Four  7", "Straight Flush", "Four of Kind"})},
      {1, "Aces and Faces", -5, 0,
       eleven({"Royal Flush", "Four Aces", "Straight Flush", "Four Faces", "Four 2-10"})},
      {2, "Bonus Poker", -5, 0,
       eleven({"Royal Flush", "Four Aces", "Straight Flush", "Four 2-4", "Four 5-K"})},
      {3,
       "Deuces Wild",
       0,
       0,
       {"Natural Royal Flush", "Four Deuces", "Wild Royal Flush", "Five of Kind", "Straight Flush",
        "Four of Kind", "Full House", "Flush", "Straight", "Three of Kind"}},
      {4, "Double Bonus", -5, 0,
       eleven({"Royal Flush", "Straight Flush", "Four Aces", "Four 2-4", "Four 5-K"})},
      {5,
       "Double Joker Poker",
       -1,
       2,
       {"Natural Royal Flush", "Wild Royal Flush", "Five of Kind", "Straight Flush", "Four of Kind",
        "Full House", "Flush", "Straight", "Three of Kind", "Two Pairs"}},
      {6,
       "Jacks or better",
       -5,
       0,
       {"Royal Flush", "Straight Flush", "Four of Kind", "Full House", "Flush", "Straight",
        "Three of Kind", "Two Pairs", "Jacks or Better"}},
      {7,
       "Joker Poker",
       -1,
       1,
       {"Natural Royal Flush", "Five of Kind", "Wild Royal Flush", "Straight Flush", "Four of Kind",
        "Full House", "Flush", "Straight", "Three of Kind", "Two Pairs", "Kings or Better"}},
      {8,
       "Tens or better",
       -5,
       0,
       {"Royal Flush", "Straight Flush", "Four of Kind", "Full House", "Flush", "Straight",
        "Three of Kind", "Two Pairs", "Tens or Better"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto game = CreateDescription(c.index);
    EXPECT_EQ(game->GameIndex, c.index);
    EXPECT_EQ(game->Name, c.name);
    EXPECT_EQ(game->WildRank, c.wildRank);
    EXPECT_EQ(game->JokerCount, c.jokers);
    EXPECT_EQ(game->IsNatural(), c.wildRank < 0 && c.jokers == 0);
    EXPECT_EQ(dynamic_cast<const TWildPokerDescription*>(game.get()) != nullptr,
              !game->IsNatural());
    EXPECT_EQ(Categories(*game), c.categories);
    for (int category = game->LastCategory + 1; category < MaxCategories; ++category) {
      EXPECT_EQ(game->CategoryName[static_cast<size_t>(category)], "");
      EXPECT_TRUE(game->NaturalSet[static_cast<size_t>(category)].Empty());
    }
  }
  EXPECT_THROW(CreateDescription(9), TError);
  EXPECT_THROW(CreateDescription(-1), TError);
}

// Where each natural hand type is paid, per game: the natural games pay each type in at
// most one category, and every category pays for something.
TEST(PokerDescription, NaturalTypesFallIntoTheRightCategories) {
  struct Case {
    int game;
    int type;
    int category;  // -1: paid nowhere
  };
  const Case cases[] = {
      {6, FLUSH_STRAIGHT_T_A, 0},
      {6, FLUSH_STRAIGHT_A_5, 1},
      {6, FOUR_OF_KIND_2, 2},
      {6, FOUR_OF_KIND_A, 2},
      {6, STRAIGHT_A_5, 5},
      {6, STRAIGHT_T_A, 5},
      {6, PAIRS_T, -1},
      {6, PAIRS_J, 8},
      {6, PAIRS_A, 8},
      {8, PAIRS_T, 8},
      {8, PAIRS_9, -1},
      {0, FOUR_OF_KIND_2 + 6, 1},
      {0, FOUR_OF_KIND_A, 1},
      {0, FOUR_OF_KIND_2 + 5, 2},
      {0, FOUR_OF_KIND_2 + 4, 4},
      {0, FOUR_OF_KIND_2 + 7, 4},
      {0, FOUR_OF_KIND_K, 4},
      {4, FOUR_OF_KIND_A, 2},
      {4, FOUR_OF_KIND_2 + 2, 3},
      {4, FOUR_OF_KIND_2 + 3, 4},
      {2, FOUR_OF_KIND_A, 1},
      {2, FLUSH_STRAIGHT, 2},
      {1, FOUR_OF_KIND_J, 3},
      {1, FOUR_OF_KIND_2 + 8, 4},
      {1, FOUR_OF_KIND_K, 3},
      {7, PAIRS_Q, -1},
      {7, PAIRS_K, 10},
      {3, PAIRS_A, -1},
      {3, TWO_PAIRS, -1},
      {3, THREE_OF_KIND_2, 9},
      {5, TWO_PAIRS, 9},
      {5, FLUSH_STRAIGHT_T_A, 0},
  };
  for (const auto& c : cases) {
    const auto game = CreateDescription(c.game);
    int found = -1;
    for (int category = 0; category <= game->LastCategory; ++category) {
      if (game->NaturalSet[static_cast<size_t>(category)].Has(c.type)) {
        EXPECT_EQ(found, -1) << "type in two categories";
        found = category;
      }
    }
    EXPECT_EQ(found, c.category) << game->Name << " " << NaturalHandTypeNames[c.type];
  }
}

TEST(PokerDescription, WildSets) {
  const auto deuces = CreateDescription(GAME_DEUCES_WILD);
  const auto& wild = dynamic_cast<const TWildPokerDescription&>(*deuces);
  EXPECT_TRUE(wild.WildSet[1].Has(WILD_4_A));
  EXPECT_TRUE(wild.WildSet[1].Has(WILD_4_WA));
  EXPECT_TRUE(wild.WildSet[5].Has(WILD_3_FLUSH));  // three deuces and a flush draw pay as four
  EXPECT_TRUE(wild.WildSet[7].Has(WILD_3_FLUSH));
  EXPECT_TRUE(wild.WildSet[5].Has(WILD_3) && wild.WildSet[6].Has(WILD_3));
  EXPECT_TRUE(wild.WildSet[0].Empty());
  for (int rank = 0; rank < 13; ++rank) EXPECT_TRUE(wild.WildSet[3].Has(WILD_FIVE_2 + rank));

  const auto joker = CreateDescription(GAME_JOKER_POKER);
  const auto& kings = dynamic_cast<const TWildPokerDescription&>(*joker);
  EXPECT_TRUE(kings.WildSet[10].Has(WILD_1_KINGS));
  EXPECT_TRUE(kings.WildSet[9].Has(WILD_1_AND_2_1_1));
  EXPECT_FALSE(kings.WildSet[9].Has(WILD_2));
  EXPECT_FALSE(kings.WildSet[4].Has(WILD_3_FLUSH));

  const auto two = CreateDescription(GAME_DOUBLE_JOKER_POKER);
  const auto& doubleJoker = dynamic_cast<const TWildPokerDescription&>(*two);
  EXPECT_TRUE(doubleJoker.WildSet[9].Has(WILD_2));
  EXPECT_TRUE(doubleJoker.WildSet[1].Has(WILD_2_FLUSH_STR_T_A));
  EXPECT_FALSE(doubleJoker.WildSet[3].Has(WILD_2_FLUSH_STR_T_A));
}

}  // namespace
}  // namespace tavrik
