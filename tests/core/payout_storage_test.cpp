#include "core/payout_storage.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "support/message_lines.h"
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
  // Coins paid for the first categories at 1 coin, by game; at 5 coins the top prize pays
  // 4000 and the last category 5.
  const std::array<int, 3> oneCoin[] = {{250, 80, 50},  {500, 80, 50},   {250, 80, 50},
                                        {300, 200, 25}, {250, 80, 160},  {800, 100, 50},
                                        {250, 50, 25},  {400, 200, 100}, {250, 50, 25}};
  for (int game = 0; game < GameCount; ++game) {
    SCOPED_TRACE(GameName(game));
    ASSERT_EQ(storage.PaytableCount(game), 1);
    const TPaytable table = storage.GetPaytable(game, 0);
    // Each built-in line round trips through parsing and formatting.
    const std::string& line = storage.Games[game].Lines.at(0);
    EXPECT_EQ(line.size(), 480u);
    EXPECT_EQ(FormatPaytableLine(ParsePaytableLine(line)), line);
    EXPECT_EQ(storage.FindPaytable(game, table), 0);
    const int last = CreateDescription(game)->LastCategory;
    EXPECT_EQ((std::array{table[0][0], table[0][1], table[0][2]}), oneCoin[game]);
    EXPECT_EQ(table[4][0], 4000);
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
        const bool acesAndEightsQuirk = game == 0 && coins == 5 && category == 15;
        EXPECT_EQ(row[category], acesAndEightsQuirk ? 0 : -1);
      }
    }
  }
  EXPECT_FALSE(storage.Modified);
}

// Only what the six-character form stores and reads back is accepted, line by line.
TEST(PayoutStorage, LineValidation) {
  const auto lineWith = [](const std::string& first, int count = 80) {
    std::string line = first;
    for (int i = 1; i < count; ++i) line += "     7";
    return line;
  };
  struct Case {
    std::string line;
    int first;          // the first value read, when the line is accepted
    const char* error;  // part of the message, when refused
  };
  const Case cases[] = {
      {lineWith(" 99999"), 99999, nullptr},
      {lineWith("    -1"), -1, nullptr},
      {lineWith("\t0") + "  ", 0, nullptr},
      {lineWith("100000"), 0, "pay 100000 is out of range"},
      {lineWith("    -2"), 0, "pay -2 is out of range"},
      {lineWith("     1", 81), 0, "holds 81 numbers"},
      {lineWith("     1", 79), 0, "holds 79 numbers"},
      {"", 0, "holds 0 numbers"},
      {lineWith("   1x2"), 0, "'1x2' is not a whole number"},
      {lineWith("99999999999"), 0, "is not a whole number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 12));
    if (c.error == nullptr) {
      const TPaytable table = ParsePaytableLine(c.line);
      EXPECT_EQ(table[0][0], c.first);
      EXPECT_EQ(table[4][15], 7);
      EXPECT_EQ(ParsePaytableLine(FormatPaytableLine(table)), table);
    } else {
      const std::string message = RaisedMessage([&] { ParsePaytableLine(c.line); });
      EXPECT_NE(message.find(c.error), std::string::npos) << message;
    }
  }
  for (const int value : {100000, -2}) {
    TPaytable table{};
    table[3][9] = value;
    EXPECT_THROW(FormatPaytableLine(table), TError) << value;
  }
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
  // A table that would be refused when read back is refused at once: Deuces Wild pays
  // category 9, which a Jacks or Better table leaves at -1.
  EXPECT_THROW(reloaded.SetPaytable(GAME_DEUCES_WILD, -1, added), TError);
  EXPECT_FALSE(reloaded.Modified);
  TPaytable deuces = reloaded.GetPaytable(GAME_DEUCES_WILD, 0);
  deuces[0][3] = 16;
  reloaded.SetPaytable(GAME_DEUCES_WILD, -1, deuces);
  reloaded.Save();
  EXPECT_FALSE(reloaded.Modified);
  EXPECT_EQ(TPayoutStorage().GetPaytable(GAME_DEUCES_WILD, 1), deuces);
}

// A damaged file is read as far as it goes and never rewritten; each refused line is
// reported with its place and the reason, and a built-in paytable keeps its index.
TEST(PayoutStorage, DamagedFileDoesNotStopLoadingAndIsLeftAlone) {
  TempFolder folder;
  const auto file = folder.DataFolder() / "Quelbin.dat";
  TPayoutStorage builtIn(folder.Path() / "none.dat");
  const TPaytable standard = builtIn.GetPaytable(GAME_BONUS_POKER, 0);
  TPaytable custom = standard;
  custom[0][5] = 8;
  const std::string customLine = FormatPaytableLine(custom);
  std::string unpaid = customLine;
  unpaid.replace(6 * 18, 6, "    -1");  // 2 coins, category 2
  enum : int { S = 0, C = 1 };          // the standard or the custom paytable
  struct Case {
    const char* what;
    std::string text;
    std::vector<int> bonus;  // Bonus Poker's paytables after loading
    const char* problem;     // part of the one problem reported; none when empty
  };
  const Case cases[] = {
      {"binary garbage", std::string("\x01\x02\xff\0garbage", 11), {S}, "before any section"},
      {"empty", "", {S}, ""},
      {"section of an unknown game",
       "[No such game]\n" + customLine + "\n",
       {S},
       "line 1: section [No such game] names no game"},
      {"a short line",
       "[Bonus Poker]\n   250    80\n",
       {S},
       "line 2 (section [Bonus Poker], paytable 0): the line holds 2 numbers"},
      {"a bad line between good ones",
       "[Bonus Poker]\r\n" + customLine + "\r\n\r\n" + customLine.substr(0, 300) + "x\r\n" +
           customLine + "\r\n",
       {C, S, C},
       "line 4 (section [Bonus Poker], paytable 1): the line holds 50 numbers"},
      {"no pay in a paying category",
       "[Bonus Poker]\n" + unpaid + "\n",
       {S},
       "paytable 0): Straight Flush has no pay at 2 coins"},
      {"a section without lines", "[Bonus Poker]\n\n[Jacks or better]\n", {S}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteText(file, c.text);
    {
      TPayoutStorage storage;
      ASSERT_EQ(storage.PaytableCount(GAME_BONUS_POKER), static_cast<int>(c.bonus.size()));
      for (size_t i = 0; i < c.bonus.size(); ++i) {
        EXPECT_EQ(storage.GetPaytable(GAME_BONUS_POKER, static_cast<int>(i)),
                  c.bonus[i] == C ? custom : standard);
      }
      for (int game = 0; game < GameCount; ++game) {
        EXPECT_GE(storage.PaytableCount(game), 1);
        EXPECT_NO_THROW(storage.GetPaytable(game, 0));
      }
      if (*c.problem == '\0') {
        EXPECT_TRUE(storage.Problems().empty());
        EXPECT_EQ(storage.ProblemReport(), "");
      } else {
        ASSERT_EQ(storage.Problems().size(), 1u);
        EXPECT_NE(storage.Problems()[0].find(c.problem), std::string::npos)
            << storage.Problems()[0];
        EXPECT_NE(storage.ProblemReport().find(storage.Problems()[0]), std::string::npos);
      }
    }
    EXPECT_EQ(ReadText(file), c.text) << "the player's file must not be rewritten";
  }
}

}  // namespace
}  // namespace tavrik
