#include "core/poker_description.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/error.h"
#include "core/game_list.h"
#include "core/hand_types.h"
#include "core/wild_engine.h"

namespace tavrik {
namespace {

// Kind and category count of each game, the names those of the game list; each game gets
// the engine of its kind on its full deck.
TEST(PokerDescription, KindsCategoryCountsAndEngines) {
  struct Case {
    int wildRank, jokers, lastCategory;
  };
  const Case cases[] = {{-5, 0, 10}, {-5, 0, 10}, {-5, 0, 10}, {0, 0, 9}, {-5, 0, 10},
                        {-1, 2, 9},  {-5, 0, 8},  {-1, 1, 10}, {-5, 0, 8}};
  for (int index = 0; index < GameCount; ++index) {
    const Case& c = cases[index];
    SCOPED_TRACE(GameName(index));
    const auto game = CreateDescription(index);
    EXPECT_EQ(game->GameIndex, index);
    EXPECT_EQ(game->Name, GameName(index));
    EXPECT_EQ(game->WildRank, c.wildRank);
    EXPECT_EQ(game->JokerCount, c.jokers);
    EXPECT_EQ(game->IsNatural(), c.wildRank < 0 && c.jokers == 0);
    EXPECT_EQ(dynamic_cast<const TWildPokerDescription*>(game.get()) != nullptr,
              !game->IsNatural());
    EXPECT_EQ(game->LastCategory, c.lastCategory);
    const auto engine = CreateEngineForGame(index);
    EXPECT_EQ(dynamic_cast<TWildEngine*>(engine.get()) == nullptr, game->IsNatural());
    EXPECT_EQ(engine->Deck.Count, 52 + c.jokers);
    EXPECT_EQ(engine->Deck.WildCount, c.jokers + (c.wildRank >= 0 ? 4 : 0));
    for (int category = 0; category < MaxCategories; ++category) {
      const bool used = category <= game->LastCategory;
      EXPECT_EQ(game->CategoryName[category].empty(), !used) << category;
      if (!used) {
        EXPECT_TRUE(game->NaturalSet[category].Empty());
      }
    }
  }
  EXPECT_THROW(CreateDescription(9), TError);
  EXPECT_THROW(CreateDescription(-1), TError);
  EXPECT_THROW(CreateEngineForGame(9), TError);
}

// Where each natural hand type is paid, per game: the natural games pay each type in at
// most one category, and every category pays for something.
TEST(PokerDescription, NaturalTypesFallIntoTheRightCategories) {
  struct Case {
    int game, type;
    int category;  // -1: paid nowhere
  };
  std::vector<Case> cases = {
      {6, FOUR_OF_KIND_2, 2},  {6, FOUR_OF_KIND_A, 2}, {6, STRAIGHT_A_5, 5},
      {6, STRAIGHT_T_A, 5},    {6, PAIRS_T, -1},       {6, PAIRS_J, 8},
      {6, PAIRS_A, 8},         {8, PAIRS_T, 8},        {8, PAIRS_9, -1},
      {0, FOUR_OF_KIND_8, 1},  {0, FOUR_OF_KIND_A, 1}, {0, FOUR_OF_KIND_7, 2},
      {0, FOUR_OF_KIND_6, 4},  {0, FOUR_OF_KIND_9, 4}, {0, FOUR_OF_KIND_K, 4},
      {4, FOUR_OF_KIND_A, 2},  {4, FOUR_OF_KIND_4, 3}, {4, FOUR_OF_KIND_5, 4},
      {2, FOUR_OF_KIND_A, 1},  {2, FLUSH_STRAIGHT, 2}, {1, FOUR_OF_KIND_J, 3},
      {1, FOUR_OF_KIND_T, 4},  {1, FOUR_OF_KIND_K, 3}, {7, PAIRS_Q, -1},
      {7, PAIRS_K, 10},        {3, PAIRS_A, -1},       {3, TWO_PAIRS, -1},
      {3, THREE_OF_KIND_2, 9}, {5, TWO_PAIRS, 9},
  };
  cases.insert(
      cases.end(),
      {{6, FLUSH_STRAIGHT_T_A, 0}, {6, FLUSH_STRAIGHT_A_5, 1}, {5, FLUSH_STRAIGHT_T_A, 0}});
  for (const auto& c : cases) {
    const auto game = CreateDescription(c.game);
    int found = -1;
    for (int category = 0; category <= game->LastCategory; ++category) {
      if (game->NaturalSet[category].Has(c.type)) {
        EXPECT_EQ(found, -1) << "type in two categories";
        found = category;
      }
    }
    EXPECT_EQ(found, c.category) << game->Name << " " << NaturalHandTypeNames[c.type];
  }
}

}  // namespace
}  // namespace tavrik
