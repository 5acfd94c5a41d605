#include "game/game_settings.h"

#include <fstream>

#include "core/data_files.h"
#include "core/game_list.h"
#include "game_test_support.h"

namespace tavrik::test {
namespace {

namespace fs = std::filesystem;

void WriteSettings(const TempFolder& folder, const std::string& text) {
  fs::create_directories(folder.DataFolder());
  std::ofstream(folder.DataFolder() / "Tavrik.ini", std::ios::binary) << text;
}

std::string SavedSettings(const TempFolder& folder) {
  return ReadWholeFile(folder.DataFolder() / "Tavrik.ini").value_or("<missing>");
}

// One run of the program: preferences, then the engine, freed in the reverse order (which
// writes the settings file).
struct TRun {
  TFakeWindows windows;
  TPreferences preferences;
  TGameEngine engine{preferences, windows};
};

TEST(GameSettings, FileWithoutTheSectionsGivesTheDefaults) {
  TempFolder folder;
  WriteSettings(folder, "[Preferences]\nDealSpeed=50\n[Other]\nCredits=7\n");
  TRun run;
  const TGameEngine& engine = run.engine;
  EXPECT_EQ(engine.GameType(), 0);
  EXPECT_EQ(engine.PayIndex, 0);
  EXPECT_EQ(engine.Bet, 5);
  EXPECT_EQ(engine.Mode, GameMode::Training);
  EXPECT_EQ(engine.Options, ShowResultHands | ShowWarnings);
  EXPECT_EQ(engine.Credits, 2500);
  EXPECT_EQ(engine.PerfectCredits, 2500);
  EXPECT_EQ(engine.Balance, 0);
  EXPECT_TRUE(engine.MRUList.empty());
  EXPECT_EQ(engine.Engine().Payout->Pay[0], 4000) << "the paytable row of the saved bet";
}

TEST(GameSettings, EveryKeySurvivesARestart) {
  TempFolder folder;
  WriteSettings(folder, "[Preferences]\nAutosave=123456\n");
  double now = 45000;
  {
    TRun run;
    TGameEngine& engine = run.engine;
    engine.Clock = [&now] { return now; };
    engine.SelectPoker(GAME_TENS_OR_BETTER, 0);
    engine.SelectPoker(GAME_BONUS_POKER, 0);
    engine.Deal();
    engine.Draw();
    engine.Collect();
    engine.SetBet(3);
    engine.SetMode(GameMode::RealPlay);
    engine.Options = ShowWarnings;
    engine.Credits = -1234;
    engine.Balance = 30'000'000.25;  // 3000000025 cents: more than 32 bits hold
    engine.CoinValueIndex = 4;
    engine.SumPlayerReturn = 1234.5678901234567;
    engine.SumPerfectReturn = 0.1;
    engine.HandsPlayed = 77;
    now += (26 * 3600 + 13 * 60 + 5) / 86400.0 - engine.PlayTime();
  }
  const std::string saved = SavedSettings(folder);
  for (const char* line :
       {"0=  2  0\n", "1=  8  0\n", "2=  0  0\n", "Credits=-1234\n", "Balance=3000000025\n",
        "Value=4\n", "ER1=1234.5678901234567\n", "ER2=0.1\n", "Hands=77\n", "Time=26:13:05\n",
        "Bet=3\n", "Mode=2\n", "ShowResultHands=0\n", "ShowWarnings=1\n", "Autosave=123456\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;
  }
  TRun run;
  const TGameEngine& engine = run.engine;
  EXPECT_EQ(engine.GameType(), GAME_BONUS_POKER);
  EXPECT_EQ(engine.MRUList,
            (std::vector<std::string>{GameKey(GAME_TENS_OR_BETTER, 0), GameKey(0, 0)}));
  EXPECT_EQ(engine.Bet, 3);
  EXPECT_EQ(engine.Engine().Payout->Pay[0], 750);
  EXPECT_EQ(engine.Mode, GameMode::RealPlay);
  EXPECT_EQ(engine.Options, ShowWarnings);
  EXPECT_EQ(engine.Credits, -1234);
  EXPECT_EQ(engine.PerfectCredits, -1234);
  EXPECT_EQ(engine.Balance, 30'000'000.25);
  EXPECT_EQ(engine.CoinValueIndex, 4);
  EXPECT_EQ(engine.SumPlayerReturn, 1234.5678901234567);
  EXPECT_EQ(engine.SumPerfectReturn, 0.1);
  EXPECT_EQ(engine.HandsPlayed, 77);
  EXPECT_NEAR(engine.SavedTime * 86400, 26 * 3600 + 13 * 60 + 5, 1e-6);
}

TEST(GameSettings, CountersFollowTheAutosaveFlags) {
  TempFolder folder;
  const std::string params =
      "[Params]\nCredits=100\nBalance=-250\nValue=2\nER1=3.5\nER2=4\nHands=9\nTime=01:00:00\n";
  struct Case {
    const char* autosave;
    int credits;
    double balance;
    int value;
    double er1;
    int hands;
    double seconds;
  };
  const Case cases[] = {
      {"", 2500, 0, 0, 0, 0, 0},    {"1", 100, 0, 0, 0, 0, 0},  {"2", 2500, -2.5, 0, 0, 0, 0},
      {"3", 2500, 0, 2, 0, 0, 0},   {"4", 2500, 0, 0, 0, 9, 0}, {"5", 2500, 0, 0, 0, 0, 3600},
      {"6", 2500, 0, 0, 3.5, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.autosave);
    WriteSettings(folder, std::string("[Preferences]\nAutosave=") + c.autosave + "\n" + params);
    {
      TRun run;
      const TGameEngine& engine = run.engine;
      EXPECT_EQ(engine.Credits, c.credits);
      EXPECT_EQ(engine.Balance, c.balance);
      EXPECT_EQ(engine.CoinValueIndex, c.value);
      EXPECT_EQ(engine.SumPlayerReturn, c.er1);
      EXPECT_EQ(engine.HandsPlayed, c.hands);
      EXPECT_NEAR(engine.SavedTime * 86400, c.seconds, 1e-6);
      run.engine.Credits = 5;
      run.engine.HandsPlayed = 6;
    }
    // A counter that is not kept is not written either: its old value stays in the file.
    const std::string saved = SavedSettings(folder);
    const bool keepsCredits = std::string(c.autosave) == "1";
    EXPECT_NE(saved.find(keepsCredits ? "Credits=5\n" : "Credits=100\n"), std::string::npos);
    const bool keepsHands = std::string(c.autosave) == "4";
    EXPECT_NE(saved.find(keepsHands ? "Hands=6\n" : "Hands=9\n"), std::string::npos);
  }
}

TEST(GameSettings, SavedGameKeys) {
  TempFolder folder;
  struct Case {
    const char* mru;
    int game;
    std::vector<std::string> recent;
  };
  const Case cases[] = {
      // Key "0" is the game being played, else the most recent one.
      {"0=  8  0\n1=  6  0\n", 8, {"  6  0"}},
      {"1=  4  0\n2=  1  0\n", 4, {"  1  0"}},
      // Keys that name no game or paytable are skipped; the first game opens.
      {"0=abcdef\n1=  6  0\n", 0, {"  6  0"}},
      {"0=  6 99\n", 0, {}},
      // Duplicates and more than five entries are cut.
      {"0=  0  0\n1=  1  0\n2=  1  0\n3=  2  0\n4=  4  0\n5=  6  0\n6=  8  0\n",
       0,
       {"  1  0", "  2  0", "  4  0", "  6  0", "  8  0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mru);
    WriteSettings(folder, std::string("[MRU]\n") + c.mru);
    TRun run;
    EXPECT_EQ(run.engine.GameType(), c.game);
    EXPECT_EQ(run.engine.MRUList, c.recent);
  }
  // A mode of 3 is taken as it is; the problem hands are looked for at the first deal.
  WriteSettings(folder, "[Params]\nMode=3\nBet=9\nShowWarnings=0\n");
  TRun run;
  EXPECT_EQ(run.engine.Mode, GameMode::PlayErrorHands);
  EXPECT_EQ(run.engine.Bet, 5);
  EXPECT_EQ(run.engine.Options, ShowResultHands);
  EXPECT_TRUE(run.windows.Opened.empty());
}

TEST(GameSettings, NewGameKeepsOrResetsTheCounters) {
  TempFolder folder;
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep);
    WriteSettings(folder, std::string("[Preferences]\nSaveForNewGame=") + (keep ? "1" : "0") +
                              "\n[Params]\nCredits=10\n");
    TRun run;
    EXPECT_EQ(run.engine.Credits, 10) << "the counters are read after the saved game opens";
    run.engine.SelectPoker(GAME_TENS_OR_BETTER, 0);
    EXPECT_EQ(run.engine.Credits, keep ? 10 : 2500);
  }
}

TEST(GameSettings, PlayTimeText) {
  struct Case {
    double seconds;
    const char* text;
  };
  const Case written[] = {{0, "00:00:00"},
                          {59.4, "00:00:59"},
                          {3600 + 61, "01:01:01"},
                          {26 * 3600 + 13 * 60 + 5, "26:13:05"},
                          {1000 * 3600, "1000:00:00"},
                          {-5, "00:00:00"}};
  for (const auto& c : written) EXPECT_EQ(FormatPlayTime(c.seconds / 86400), c.text);

  struct Read {
    const char* text;
    std::optional<double> seconds;
  };
  const Read read[] = {
      {"26:13:05", 26 * 3600 + 13 * 60 + 5},
      {" 2:13:05 ", 2 * 3600 + 13 * 60 + 5},
      {"2:13:05 PM", 14 * 3600 + 13 * 60 + 5},
      {"12:00:01 AM", 1},
      {"12:00:00 PM", 12 * 3600},
      {"13:00:00 PM", std::nullopt},
      {"1:60:00", std::nullopt},
      {"1:00", std::nullopt},
      {"", std::nullopt},
      {"a:b:c", std::nullopt},
  };
  for (const auto& c : read) {
    SCOPED_TRACE(c.text);
    const auto days = ParsePlayTime(c.text);
    ASSERT_EQ(days.has_value(), c.seconds.has_value());
    if (days) {
      EXPECT_NEAR(*days * 86400, *c.seconds, 1e-6);
    }
  }
}

TEST(GameSettings, FloatAndBalanceText) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"3.25", 3.25},         {"3,25", 3.25},     {" -0,5 ", -0.5},        {"+2", 2.0},
      {"1e3", 1000.0},        {"", std::nullopt}, {"3.2.1", std::nullopt}, {"nan", std::nullopt},
      {"12abc", std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseFloat(c.text), c.value);
  }
  for (const double value : {0.0, 0.1, -123.456, 1234.5678901234567, 1e-300}) {
    EXPECT_EQ(ParseFloat(FormatFloat(value)), value);
    EXPECT_EQ(FormatFloat(value).find(','), std::string::npos);
  }

  // The balance is kept in cents, halves rounded to even.
  TempFolder folder;
  struct Balance {
    double dollars;
    const char* line;
  };
  const Balance balances[] = {{0.125, "Balance=12\n"},
                              {0.375, "Balance=38\n"},
                              {-21'474'836.49, "Balance=-2147483649\n"},
                              {1e12, "Balance=100000000000000\n"}};
  for (const auto& b : balances) {
    SCOPED_TRACE(b.line);
    {
      TRun run;
      run.engine.Balance = b.dollars;
    }
    EXPECT_NE(SavedSettings(folder).find(b.line), std::string::npos);
  }
}

}  // namespace
}  // namespace tavrik::test
