#include "core/game_list.h"

#include <gtest/gtest.h>

namespace tavrik {
namespace {

TEST(GameList, NamesInCatalogueOrderAndOnScreen) {
  const char* expected[] = {"Aces and Eights", "Aces and Faces", "Bonus Poker",
                            "Deuces Wild",     "Double Bonus",   "Double Joker Poker",
                            "Jacks or better", "Joker Poker",    "Tens or better"};
  ASSERT_EQ(GameNames().size(), 9u);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(GameNames()[i].Name, expected[i]);
    EXPECT_EQ(GameNames()[i].GameIndex, i);
    EXPECT_EQ(GameName(i), expected[i]);
  }
  EXPECT_EQ(GameName(9), "");
  EXPECT_EQ(GameName(-1), "");
  EXPECT_EQ(GameDisplayName(6), "JACKS OR BETTER");
  EXPECT_EQ(GameDisplayName(5), "DOUBLE JOKER POKER");
  EXPECT_EQ(GameDisplayName(-1), "ALL POKERS");
  EXPECT_EQ(GameDisplayName(-7), "ALL POKERS");
}

// Keys written for a game and paytable read back; unreadable parts read as -1.
TEST(GameList, Keys) {
  struct Case {
    const char* key;
    int game, paytable;
    bool written;  // GameKey(game, paytable) gives this key
  };
  const Case cases[] = {
      {"  6  0", 6, 0, true},    {"  8 12", 8, 12, true},     {"  3999", 3, 999, true},
      {" -1  1", -1, 1, true},   {"abc  1", -1, 1, false},    {"  6xyz", 6, -1, false},
      {"", -1, -1, false},       {"  6", 6, -1, false},       {" 6 7 8", 6, -1, false},
      {"  6 +2", 6, 2, false},   {"  6  2junk", 6, 2, false}, {"9999999", 999, 999, false},
      {"      ", -1, -1, false},
  };
  for (const auto& c : cases) {
    if (c.written) {
      EXPECT_EQ(GameKey(c.game, c.paytable), c.key);
    }
    EXPECT_EQ(GameFromKey(c.key), c.game) << "'" << c.key << "'";
    EXPECT_EQ(PaytableFromKey(c.key), c.paytable) << "'" << c.key << "'";
  }
}

}  // namespace
}  // namespace tavrik
