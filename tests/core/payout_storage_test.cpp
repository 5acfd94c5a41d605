#include "core/payout_storage.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

constexpr int JacksOrBetter = GAME_JACKS_OR_BETTER;

std::string ReadText(const std::filesystem::path& path) {
  return ReadWholeFile(path).value_or("");
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

TEST(PayoutStorage, BuiltInPaytables) {
  TempFolder folder;
  TPayoutStorage storage;
  ASSERT_EQ(storage.Games.size(), 9u);
  // Coins paid for the first categories at 1 and 5 coins; the last category pays 5 at 5 coins.
  struct Case {
    int game;
    std::array<int, 3> oneCoin;
    std::array<int, 3> fiveCoins;
  };
  const Case cases[] = {
      {0, {250, 80, 50}, {4000, 400, 250}},  {1, {500, 80, 50}, {4000, 400, 250}},
      {2, {250, 80, 50}, {4000, 400, 250}},  {3, {300, 200, 25}, {4000, 1000, 125}},
      {4, {250, 80, 160}, {4000, 400, 800}}, {5, {800, 100, 50}, {4000, 500, 250}},
      {6, {250, 50, 25}, {4000, 250, 125}},  {7, {400, 200, 100}, {4000, 1000, 500}},
      {8, {250, 50, 25}, {4000, 250, 125}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(GameName(c.game));
    ASSERT_EQ(storage.PaytableCount(c.game), 1);
    const TPaytable table = storage.GetPaytable(c.game, 0);
    // Each built-in line round trips through parsing and formatting.
    const std::string& line = storage.Games[c.game].Lines.at(0);
    EXPECT_EQ(line.size(), 480u);
    EXPECT_EQ(FormatPaytableLine(ParsePaytableLine(line)), line);
    EXPECT_EQ(storage.FindPaytable(c.game, table), 0);
    const int last = CreateDescription(c.game)->LastCategory;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(table[0][i], c.oneCoin[i]);
      EXPECT_EQ(table[4][i], c.fiveCoins[i]);
    }
    EXPECT_EQ(table[4][last], 5);
    for (int coins = 1; coins <= 5; ++coins) {
      const auto& row = table[coins - 1];
      for (int category = 0; category <= last; ++category) {
        EXPECT_GT(row[category], 0);
        // Below the top prize, every row is the one-coin row times the coins.
        if (category > 0) {
          EXPECT_EQ(row[category], coins * table[0][category]);
        }
      }
      for (int category = last + 1; category < MaxCategories; ++category) {
        const bool acesAndEightsQuirk = c.game == 0 && coins == 5 && category == 15;
        EXPECT_EQ(row[category], acesAndEightsQuirk ? 0 : -1);
      }
    }
  }
  EXPECT_FALSE(storage.Modified);
}

TEST(PayoutStorage, ParseErrors) {
  TPaytable table{};
  table[2][7] = 42;
  const std::string line = FormatPaytableLine(table);
  EXPECT_EQ(ParsePaytableLine(line), table);
  EXPECT_EQ(ParsePaytableLine(line + "   17"), table);  // numbers past 80 are ignored
  EXPECT_THROW(ParsePaytableLine(line.substr(0, 474)), TError);
  EXPECT_THROW(ParsePaytableLine(""), TError);
  std::string bad = line;
  bad[100] = 'x';
  EXPECT_THROW(ParsePaytableLine(bad), TError);
  table[0][0] = 1000000;  // would run into its neighbour in six characters
  EXPECT_THROW(FormatPaytableLine(table), TError);
  table[0][0] = -100000;
  EXPECT_THROW(FormatPaytableLine(table), TError);
}

TEST(PayoutStorage, FindAndSetPaytable) {
  TempFolder folder;
  TPayoutStorage storage(folder.Path() / "Quelbin.dat");
  TPaytable table = storage.GetPaytable(JacksOrBetter, 0);
  EXPECT_EQ(storage.FindPaytable(JacksOrBetter, table), 0);
  EXPECT_EQ(storage.FindPaytable(GAME_TENS_OR_BETTER, table), -1);
  table[0][3] = 8;  // 8/5 instead of 9/6 full house
  EXPECT_EQ(storage.FindPaytable(JacksOrBetter, table), -1);

  storage.SetPaytable(JacksOrBetter, -1, table);
  EXPECT_TRUE(storage.Modified);
  EXPECT_EQ(storage.PaytableCount(JacksOrBetter), 2);
  EXPECT_EQ(storage.FindPaytable(JacksOrBetter, table), 1);
  EXPECT_EQ(storage.GetPaytable(JacksOrBetter, 1), table);

  table[0][4] = 5;
  storage.SetPaytable(JacksOrBetter, 1, table);  // replaces
  EXPECT_EQ(storage.PaytableCount(JacksOrBetter), 2);
  EXPECT_EQ(storage.GetPaytable(JacksOrBetter, 1)[0][4], 5);
  storage.SetPaytable(JacksOrBetter, 7, table);  // past the end appends
  EXPECT_EQ(storage.PaytableCount(JacksOrBetter), 3);

  EXPECT_THROW(storage.GetPaytable(JacksOrBetter, 3), TError);
  EXPECT_THROW(storage.GetPaytable(JacksOrBetter, -1), TError);
  EXPECT_THROW(storage.PaytableCount(9), TError);
  EXPECT_THROW(storage.SetPaytable(-1, 0, table), TError);
}

// An unchanged catalogue writes nothing; an added paytable is saved when the storage goes,
// in the file's layout, and read back on the next start.
TEST(PayoutStorage, AddedPaytableIsSavedAndReadBack) {
  TempFolder folder;
  const auto file = folder.DataFolder() / "Quelbin.dat";
  { TPayoutStorage storage; }
  EXPECT_FALSE(std::filesystem::exists(file));
  TPaytable added{};
  {
    TPayoutStorage storage;
    EXPECT_EQ(storage.File(), file);
    added = storage.GetPaytable(JacksOrBetter, 0);
    added[4][0] = 4700;
    storage.SetPaytable(JacksOrBetter, -1, added);
  }  // destruction saves
  std::string expected;
  TPayoutStorage reference(folder.Path() / "unused.dat");
  for (int game = 0; game < GameCount; ++game) {
    expected.append("[").append(GameName(game)).append("]\n");
    expected += reference.Games[game].Lines[0] + "\n";
    if (game == JacksOrBetter) expected += FormatPaytableLine(added) + "\n";
    expected += "\n";
  }
  EXPECT_EQ(ReadText(file), expected);
  TPayoutStorage reloaded;
  EXPECT_FALSE(reloaded.Modified);
  EXPECT_EQ(reloaded.PaytableCount(JacksOrBetter), 2);
  EXPECT_EQ(reloaded.GetPaytable(JacksOrBetter, 1), added);
  EXPECT_EQ(reloaded.PaytableCount(GAME_DEUCES_WILD), 1);
  added[0][3] = 16;
  reloaded.SetPaytable(GAME_DEUCES_WILD, -1, added);
  reloaded.Save();
  EXPECT_FALSE(reloaded.Modified);
  EXPECT_EQ(TPayoutStorage().GetPaytable(GAME_DEUCES_WILD, 1), added);
}

TEST(PayoutStorage, DamagedFileDoesNotStopLoadingAndIsLeftAlone) {
  TempFolder folder;
  const auto file = folder.DataFolder() / "Quelbin.dat";
  TPayoutStorage builtIn(folder.Path() / "none.dat");
  TPaytable custom = builtIn.GetPaytable(GAME_BONUS_POKER, 0);
  custom[0][5] = 8;
  const std::string customLine = FormatPaytableLine(custom);
  struct Case {
    const char* what;
    std::string text;
    int bonusCount;         // paytables of Bonus Poker after loading
    bool bonusFirstCustom;  // whether Bonus Poker's first paytable is the custom one
  };
  const Case cases[] = {
      {"binary garbage", std::string("\x01\x02\xff\0garbage", 11), 1, false},
      {"empty", "", 1, false},
      {"section of an unknown game", "[No such game]\n" + customLine + "\n", 1, false},
      {"a short line", "[Bonus Poker]\n   250    80\n", 1, false},
      {"a bad line before a good one",
       "[Bonus Poker]\n" + customLine.substr(0, 300) + "x\n" + customLine + "\n", 2, false},
      {"a good line with CRLF", "[Bonus Poker]\r\n" + customLine + "\r\n\r\n", 1, true},
      {"a section without lines", "[Bonus Poker]\n\n[Jacks or better]\n", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteText(file, c.text);
    {
      TPayoutStorage storage;
      ASSERT_EQ(storage.PaytableCount(GAME_BONUS_POKER), c.bonusCount);
      EXPECT_EQ(storage.GetPaytable(GAME_BONUS_POKER, 0) == custom, c.bonusFirstCustom);
      if (c.bonusCount == 2) {
        EXPECT_EQ(storage.GetPaytable(GAME_BONUS_POKER, 1), custom);
      }
      for (int game = 0; game < GameCount; ++game) {
        EXPECT_GE(storage.PaytableCount(game), 1);
        EXPECT_NO_THROW(storage.GetPaytable(game, 0));
      }
    }
    EXPECT_EQ(ReadText(file), c.text) << "the player's file must not be rewritten";
  }
}

}  // namespace
}  // namespace tavrik
