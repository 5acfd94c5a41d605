#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "calc.h"
#include "core/data_files.h"
#include "records/log_record.h"
#include "support/temp_folder.h"

namespace tavrik::calc {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::vector<TLogRecord>& records) {
  std::string bytes;
  for (const TLogRecord& record : records) {
    const auto one = record.Serialize();
    bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
  }
  return bytes;
}

// Three rounds on 2025-12-09 and 2025-12-10: Jacks or better paytable 0 in mode 2 (double-up
// won), Deuces wild paytable 1 in mode 0 (a serious error), Jacks or better paytable 1 in
// mode 1 (nothing won); 8 coins bet, 10 won.
std::string LogBytes() {
  const auto round = [](int game, int paytable, int mode, int coinValueIndex, int bet, int win,
                        int perfectWin, int finalCategory, int perfectCategory, double bestReturn,
                        double dealTime) {
    return TLogRecord{.GameType = static_cast<uint8_t>(game),
                      .PayIndex = static_cast<uint8_t>(paytable),
                      .Mode = static_cast<uint8_t>(mode),
                      .CoinValueIndex = static_cast<uint8_t>(coinValueIndex),
                      .Bet = static_cast<uint8_t>(bet),
                      .Win = win,
                      .HandWin = win / 2,
                      .PerfectWin = perfectWin,
                      .FinalCategory = static_cast<uint8_t>(finalCategory),
                      .PerfectCategory = static_cast<uint8_t>(perfectCategory),
                      .BestReturn = bestReturn,
                      .DealTime = dealTime,
                      .DoubleCount = static_cast<uint8_t>(win > 0 ? 1 : 0)};
  };
  return Bytes({round(6, 0, 2, 2, 5, 10, 5, 8, 8, 0, 46000.5),
                round(3, 1, 0, 0, 1, 0, 2, 255, 4, 0.5, 46001.25),
                round(6, 1, 1, 3, 2, 0, 0, 255, 255, 0, 46001.75)});
}

// Six rounds, records 0..5: two serious errors (0, 5), a medium (2), a minor (4), a hold as
// good as the best (1) and one short of it by too little to count (3). Per coin bet, your
// returns are 0.4, 1, 0.5, 0.5, the perfect ones 0.7, 1.03125, 0.5078125, 0.875 and the
// losses 0.3, 0.03125, 0.0078125, 0.375. Record 5 was dealt before record 4.
std::string ErrorLogBytes() {
  const auto round = [](int game, int paytable, int mode, int bet, double yourReturn,
                        double bestReturn, double dealTime) {
    return TLogRecord{.GameType = static_cast<uint8_t>(game),
                      .PayIndex = static_cast<uint8_t>(paytable),
                      .Mode = static_cast<uint8_t>(mode),
                      .Bet = static_cast<uint8_t>(bet),
                      .PlayerReturn = yourReturn,
                      .BestReturn = bestReturn,
                      .DealTime = dealTime};
  };
  TLogRecord first = round(6, 0, 2, 5, 2, 3.5, 46000.5);
  first.DealtCards = {12, 11, 0, 13, 52};
  first.PlayerMask = 0b11100;
  first.BestMask = 0b10011;
  first.HandWin = 3;
  first.PerfectWin = 5;
  return Bytes({first, round(3, 1, 0, 1, 1, 1, 46000.6), round(6, 0, 1, 4, 4, 4.125, 46001.25),
                round(6, 0, 1, 2, 0.5, 0.5 + 1e-8, 46001.3),
                round(3, 1, 1, 1, 0.5, 0.5078125, 46001.75), round(6, 0, 0, 2, 1, 1.75, 46001.5)});
}

struct TStatsRun {
  explicit TStatsRun(const std::string& bytes = LogBytes()) : log(folder.Path() / "hands.log") {
    std::ofstream(log, std::ios::binary) << bytes;
  }
  // `arguments` start with the command; the log is given after it.
  TCalcResult Run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin() + 1, {"--log", log.string()});
    return RunCalc(arguments);
  }
  TempFolder folder;
  fs::path log;
};

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// `text` begins with `part`; a failure shows both.
::testing::AssertionResult Starts(const std::string& text, const std::string& part) {
  if (text.rfind(part, 0) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << part << "\" does not begin\n" << text;
}

TEST(CalcStats, TablesOfTheSelectedRecords) {
  const TStatsRun run;
  const TCalcResult all = run.Run({"stats", "--json"});
  ASSERT_EQ(all.ExitCode, 0) << all.Err;
  EXPECT_EQ(all.Err, "");
  EXPECT_TRUE(
      Starts(all.Out,
             "{\"records\":3,\"bet\":8,\"tables\":[{\"title\":\"BALANCE\",\"columns\":[\"\","
             "\"Coins\",\"%\",\"$\"],\"rows\":["
             "{\"name\":\"Total\",\"values\":[2.0,25.0,-5.25]},"
             "{\"name\":\"Played\",\"values\":[-8.0,-100.0,-15.25]},"
             "{\"name\":\"Won\",\"values\":[7.0,87.5,5.5]},"
             "{\"name\":\"Doubled\",\"values\":[5.0,62.5,5.0]},"
             "{\"name\":\"Errors\",\"values\":[-2.0,-25.0,-0.5]}]},"
             "{\"title\":\"HANDS COUNT\",\"columns\":[\"Hands\","));
  // All games: one row of winning hands in each hand table.
  EXPECT_EQ(Occurrences(all.Out, "\"rows\":[{\"name\":\"All win hands\",\"values\":"), 3);
  // The serious error as a share of the hands and percent of the coins bet, in its row and
  // the row of all errors.
  EXPECT_EQ(Occurrences(all.Out, "\"values\":[33.333333333333336,-6.25,-25.0]}"), 2);

  // Options -> records selected, coins bet.
  const std::pair<std::vector<std::string>, const char*> selections[] = {
      {{"--game", "6"}, "1,\"bet\":5"},
      {{"--game", "jacks or better", "--paytable", "1"}, "1,\"bet\":2"},
      {{"--game", "3", "--paytable", "1", "--modes", "0"}, "1,\"bet\":1"},
      {{"--game", "3"}, "0,\"bet\":0"},
      {{"--modes", "1,0"}, "2,\"bet\":3"},
      {{"--from", "2025-12-10"}, "2,\"bet\":3"},
      {{"--from", "2025-12-11", "--modes", "0,1,2,3"}, "0,\"bet\":0"},
  };
  for (auto [arguments, start] : selections) {
    arguments.insert(arguments.begin(), "stats");
    arguments.push_back("--json");
    EXPECT_TRUE(Starts(run.Run(arguments).Out, std::string("{\"records\":") + start + ","))
        << ::testing::PrintToString(arguments);
  }

  // Text: each table as the statistics window shows it.
  const TCalcResult text = run.Run({"stats"});
  EXPECT_TRUE(Starts(text.Out,
                     "3 records, 8 coins bet\n"
                     "\n"
                     "BALANCE\n"
                     "            Coins           %       $\n"
                     "Total           2    25.00000   -5.25\n"
                     "   Played      -8  -100.00000  -15.25\n"
                     "   Won          7    87.50000    5.50\n"
                     "   Doubled      5    62.50000    5.00\n"
                     "   Errors      -2   -25.00000   -0.50\n"
                     "\n"
                     "HANDS COUNT\n"
                     "Hands          Your result  Perfect result  Difference\n"
                     "All win hands            1               2          -1\n"));
}

TEST(CalcStats, TornLogKeepsItsWholeRecords) {
  // A log cut short: its whole records count, the fragment is reported and left in place.
  const std::string torn = LogBytes() + std::string(30, 'x');
  const TStatsRun run(torn);
  const TCalcResult result = run.Run({"stats", "--json"});
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_TRUE(Starts(result.Out, "{\"records\":3,"));
  EXPECT_TRUE(Starts(result.Err, "tavrik-calc: ignored the last 30 bytes of " + run.log.string()));
  EXPECT_EQ(ReadWholeFile(run.log), torn);
}

TEST(CalcErrors, SelectedGradedAndSorted) {
  const TStatsRun run(ErrorLogBytes());
  // Options -> the records listed, in order.
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{}, "0 2 4 5"},
      {{"--grades", "serious"}, "0 5"},
      {{"--grades", "minor,medium"}, "2 4"},
      {{"--game", "6"}, "0 2 5"},
      {{"--game", "3", "--paytable", "1"}, "4"},
      {{"--game", "3", "--paytable", "0"}, ""},
      {{"--modes", "1"}, "2 4"},
      {{"--from", "2025-12-10"}, "2 4 5"},
      {{"--sort", "hand"}, "0 2 5 4"},
      {{"--sort", "your"}, "0 4 5 2"},  // ties in log order
      {{"--sort", "your", "--descending"}, "2 4 5 0"},
      {{"--sort", "perfect"}, "4 0 5 2"},
      {{"--sort", "difference", "--descending"}, "5 0 2 4"},
  };
  for (auto [arguments, listed] : cases) {
    arguments.insert(arguments.begin(), "errors");
    arguments.push_back("--json");
    const TCalcResult result = run.Run(arguments);
    ASSERT_EQ(result.ExitCode, 0) << result.Err;
    // The number of each "record": field, in output order.
    std::string records;
    for (size_t at = 0; (at = result.Out.find("\"record\":", at + 1)) != std::string::npos;) {
      if (!records.empty()) records += ' ';
      records += std::to_string(std::stoi(result.Out.substr(at + 9)));
    }
    EXPECT_EQ(records, listed) << ::testing::PrintToString(arguments);
  }

  const std::string json = run.Run({"errors", "--grades", "serious", "--json"}).Out;
  EXPECT_TRUE(
      Starts(json,
             "{\"errors\":[{\"record\":0,\"deal_time\":\"2025-12-09T12:00:00\",\"game\":6,"
             "\"paytable\":0,\"bet\":5,\"dealt\":\"AS KS 2S 2C JK\",\"held\":\"AS KS -- -- "
             "--\",\"best\":\"-- -- 2S 2C --\",\"grade\":\"serious\",\"loss\":30.0,"
             "\"your_return\":2.0,\"perfect_return\":3.5,\"your_win\":3,\"perfect_win\":5,"
             "\"your_pattern\":{\"key\":\"sakp\",\"text\":\"suited AK with a penalty card\"},"
             "\"best_pattern\":{\"key\":\"lp\",\"text\":\"low pair\"}},{\"record\":5,"));
  const std::string text = run.Run({"errors", "--grades", "serious"}).Out;
  EXPECT_TRUE(Starts(text,
                     "2 errors\n"
                     "Record  Dealt             Game  Cards           You kept        Best kept  "
                     "     Grade    Loss %\n"
                     "     0  2025-12-09 12:00  6/0   AS KS 2S 2C JK  AS KS -- -- --  -- -- 2S 2C "
                     "--  serious   30.00\n"
                     "        you: suited AK with a penalty card | best: low pair\n"));
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 100u) << line;
}

}  // namespace
}  // namespace tavrik::calc
