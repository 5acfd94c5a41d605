#include "core/data_files.h"
#include "core/error.h"
#include "core/game_list.h"
#include "game_test_support.h"

namespace tavrik::test {
namespace {

std::string SavedSettings(const TempFolder& folder) {
  return ReadWholeFile(folder.DataFolder() / "Tavrik.ini").value_or("<missing>");
}

TEST(GameSettings, EveryKeySurvivesARestart) {
  TempFolder folder;
  WriteSettings(folder, "[Preferences]\nAutosave=123456\n");
  double now = 45000;
  {
    TRun run;
    TGameEngine& engine = run.engine;
    engine.SetClock([&now] { return now; });
    engine.SelectPoker(GAME_TENS_OR_BETTER, 0);
    engine.SelectPoker(GAME_BONUS_POKER, 0);
    PlayRounds(engine, 1);
    engine.SetBet(3);
    engine.SetMode(GameMode::RealPlay);
    engine.SetOption(ShowResultHands, false);
    engine.SetCoinValue(4);
    Reload(engine, [](TIniFile& settings) {
      settings.WriteInteger("Params", "Credits", -1234);
      settings.WriteInteger("Params", "Balance", 3'000'000'025);  // more than 32 bits hold
      settings.WriteString("Params", "ER1", "1234.5678901234567");
      settings.WriteString("Params", "ER2", "0.1");
      settings.WriteInteger("Params", "Hands", 77);
    });
    now += (26 * 3600 + 13 * 60 + 5) / 86400.0 - engine.PlayTime();
  }
  const std::string saved = SavedSettings(folder);
  for (const char* line :
       {"0=  2  0\n", "1=  8  0\n", "2=  6  0\n", "Credits=-1234\n", "Balance=3000000025\n",
        "Value=4\n", "ER1=1234.5678901234567\n", "ER2=0.1\n", "Hands=77\n", "Time=26:13:05\n",
        "Bet=3\n", "Mode=2\n", "ShowResultHands=0\n", "ShowWarnings=1\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line << " in\n" << saved;
  }
  const TRun run;
  const TGameEngine& engine = run.engine;
  EXPECT_EQ(engine.GameType(), GAME_BONUS_POKER);
  EXPECT_EQ(engine.MRUList(), (std::vector<std::string>{GameKey(GAME_TENS_OR_BETTER, 0),
                                                        GameKey(GAME_JACKS_OR_BETTER, 0)}));
  EXPECT_EQ(engine.Bet(), 3);
  EXPECT_EQ(engine.Engine().Payout->Pay[0], 750) << "the paytable row of the saved bet";
  EXPECT_EQ(engine.Mode(), GameMode::RealPlay);
  EXPECT_FALSE(engine.HasOption(ShowResultHands));
  EXPECT_TRUE(engine.HasOption(ShowWarnings));
  EXPECT_EQ(engine.Credits(), -1234);
  EXPECT_EQ(engine.PerfectCredits(), -1234);
  EXPECT_EQ(engine.Balance(), 30'000'000.25);
  EXPECT_EQ(engine.CoinValueIndex(), 4);
  EXPECT_EQ(engine.SumPlayerReturn(), 1234.5678901234567);
  EXPECT_EQ(engine.SumPerfectReturn(), 0.1);
  EXPECT_EQ(engine.HandsPlayed(), 77);
  EXPECT_NEAR(engine.PlayTime() * 86400, 26 * 3600 + 13 * 60 + 5, 1e-6);
}

TEST(GameSettings, CountersFollowTheAutosaveFlags) {
  TempFolder folder;
  const std::string params =
      "[Params]\nCredits=100\nBalance=-250\nValue=2\nER1=3,5\nHands=9\nTime=1:00:00 PM\n";
  // Autosave digits; credits, balance, value, ER1, hands, seconds read.
  const std::tuple<const char*, int, double, int, double, int, double> cases[] = {
      {"", 2500, 0, 0, 0, 0, 0},    {"1", 100, 0, 0, 0, 0, 0},  {"2", 2500, -2.5, 0, 0, 0, 0},
      {"3", 2500, 0, 2, 0, 0, 0},   {"4", 2500, 0, 0, 0, 9, 0}, {"5", 2500, 0, 0, 0, 0, 13 * 3600},
      {"6", 2500, 0, 0, 3.5, 0, 0},
  };
  for (const auto& [autosave, credits, balance, value, er1, hands, seconds] : cases) {
    SCOPED_TRACE(autosave);
    WriteSettings(folder, std::string("[Preferences]\nAutosave=") + autosave + "\n" + params);
    {
      TRun run;
      const TGameEngine& engine = run.engine;
      EXPECT_EQ(engine.Credits(), credits);
      EXPECT_EQ(engine.Balance(), balance);
      EXPECT_EQ(engine.CoinValueIndex(), value);
      EXPECT_EQ(engine.SumPlayerReturn(), er1);
      EXPECT_EQ(engine.HandsPlayed(), hands);
      EXPECT_NEAR(engine.PlayTime() * 86400, seconds, 1e-6);
      Reload(run.engine, [](TIniFile& settings) { settings.WriteInteger("Params", "Credits", 5); });
    }
    // A counter that is not kept is not written either: its old value stays in the file.
    const bool keepsCredits = std::string(autosave) == "1";
    EXPECT_NE(SavedSettings(folder).find(keepsCredits ? "Credits=5\n" : "Credits=100\n"),
              std::string::npos);
  }
}

TEST(GameSettings, CountersAtTheirLimitsStillPlayAndSaveBack) {
  TempFolder folder;
  // A counter at the edge of its range; every such start plays a round, logs it and saves
  // every setting after it, which the next start reads again.
  for (const char* counter :
       {"Credits=2147483647", "Credits=-2147483648", "Hands=2147483647", "Hands=-7",
        "Balance=9223372036854775807", "Balance=-9223372036854775808"}) {
    SCOPED_TRACE(counter);
    WriteSettings(folder, std::string("[Preferences]\nAutosave=123456\n[Params]\n") + counter);
    std::filesystem::remove(folder.DataFolder() / "Tavrik.log");
    for (const int bet : {2, 4}) {
      TRun run;
      ASSERT_NO_THROW(PlayRounds(run.engine, 1));
      EXPECT_EQ(run.engine.Logger().RecordCount(), bet / 2);
      EXPECT_GE(run.engine.HandsPlayed(), bet / 2);
      run.engine.SetBet(bet);
    }
    EXPECT_NE(SavedSettings(folder).find("Bet=4\n"), std::string::npos) << SavedSettings(folder);
  }
}

TEST(GameSettings, WriteFailuresAreToldOnceAndNothingIsLost) {
  TempFolder folder;
  WriteSettings(folder, "[Preferences]\nAutosave=4\n");
  const auto stored = [&] {
    return std::pair(ReadWholeFile(folder.DataFolder() / "Tavrik.log").value_or("").size() / 79,
                     TIniFile::Parse(SavedSettings(folder)).ReadInteger("Params", "Hands", 0));
  };
  TRun run;
  PlayRounds(run.engine, 1);
  // The settings reach the file after every round, not only at the end of the run.
  EXPECT_EQ(stored(), std::pair(size_t{1}, 1));
  // The data folder turns into a file: neither the log nor the settings can be written.
  const auto data = folder.DataFolder();
  std::filesystem::rename(data, folder.Path() / "moved");
  std::ofstream(data) << "x";
  ASSERT_NO_THROW(PlayRounds(run.engine, 2));
  ASSERT_EQ(run.windows.Problems.size(), 1U) << "told once";
  EXPECT_NE(run.windows.Problems[0].find("The hand log cannot be written: not a directory. Play "
                                         "goes on; 1 hand is kept in memory"),
            std::string::npos)
      << run.windows.Problems[0];
  EXPECT_NE(run.windows.Problems[0].find("settings"), std::string::npos);
  EXPECT_EQ(run.engine.HandsPlayed(), 3);
  // Once the folder is back, the next round writes every round and the settings.
  std::filesystem::remove(data);
  std::filesystem::rename(folder.Path() / "moved", data);
  PlayRounds(run.engine, 1);
  EXPECT_EQ(stored(), std::pair(size_t{4}, 4));
  EXPECT_EQ(run.windows.Problems.size(), 1U);
}

TEST(GameSettings, SavedGameKeys) {
  TempFolder folder;
  // Settings text; game opened, recent games, mode. The bet is 5 in every case.
  const std::tuple<const char*, int, std::vector<std::string>, GameMode> cases[] = {
      // Without the engine's sections (a first start): Jacks or better.
      {"[Preferences]\nDealSpeed=50\n[Other]\nCredits=7\n", 6, {}, GameMode::Training},
      // Key "0" is the game being played, else the most recent one.
      {"[MRU]\n0=  8  0\n1=  6  0\n", 8, {"  6  0"}, GameMode::Training},
      {"[MRU]\n1=  4  0\n2=  1  0\n", 4, {"  1  0"}, GameMode::Training},
      // Keys that name no game or paytable are skipped; Jacks or better opens.
      {"[MRU]\n0=abcdef\n1=  1  0\n", 6, {"  1  0"}, GameMode::Training},
      {"[MRU]\n0=  4 99\n", 6, {}, GameMode::Training},
      // Duplicates and more than five entries are cut.
      {"[MRU]\n0=  0  0\n1=  1  0\n2=  1  0\n3=  2  0\n4=  4  0\n5=  6  0\n6=  8  0\n",
       0,
       {"  1  0", "  2  0", "  4  0", "  6  0", "  8  0"},
       GameMode::Training},
      // Mode 3 is taken as it is (problem hands are looked for at the first deal); a bet out
      // of range is not.
      {"[Params]\nMode=3\nBet=9\n", 6, {}, GameMode::PlayErrorHands},
  };
  for (const auto& [text, game, recent, mode] : cases) {
    SCOPED_TRACE(text);
    WriteSettings(folder, text);
    const TRun run;
    EXPECT_EQ(run.engine.GameType(), game);
    EXPECT_EQ(run.engine.PayIndex(), 0);
    EXPECT_EQ(run.engine.MRUList(), recent);
    EXPECT_EQ(run.engine.Bet(), 5);
    EXPECT_EQ(run.engine.Mode(), mode);
    EXPECT_TRUE(run.engine.HasOption(ShowResultHands) && run.engine.HasOption(ShowWarnings));
    EXPECT_EQ(run.engine.Credits(), 2500);
    EXPECT_TRUE(run.windows.Opened.empty());
  }
}

TEST(GameSettings, NewGameKeepsOrResetsTheCounters) {
  TempFolder folder;
  for (const bool keep : {true, false}) {
    WriteSettings(folder, std::string("[Preferences]\nSaveForNewGame=") + (keep ? "1" : "0") +
                              "\n[Params]\nCredits=10\n");
    TRun run;
    EXPECT_EQ(run.engine.Credits(), 10) << "the counters are read after the saved game opens";
    run.engine.SelectPoker(GAME_TENS_OR_BETTER, 0);
    EXPECT_EQ(run.engine.Credits(), keep ? 10 : 2500);
  }
}

TEST(GameSettings, BalanceInCents) {
  // The balance is kept in cents, halves rounded to even, in 64 bits.
  const std::pair<double, int64_t> balances[] = {
      {0.125, 12}, {0.375, 38}, {-21'474'836.49, -2'147'483'649}, {30'000'000.25, 3'000'000'025}};
  for (const auto& [dollars, cents] : balances) EXPECT_EQ(BalanceCents(dollars), cents) << dollars;
  EXPECT_THROW(BalanceCents(1e300), TError);
}

}  // namespace
}  // namespace tavrik::test
