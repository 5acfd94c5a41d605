#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "calc.h"
#include "core/data_files.h"
#include "records/log_record.h"
#include "support/temp_folder.h"

namespace tavrik::calc {
namespace {

namespace fs = std::filesystem;

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
  const TLogRecord records[] = {round(6, 0, 2, 2, 5, 10, 5, 8, 8, 0, 46000.5),
                                round(3, 1, 0, 0, 1, 0, 2, 255, 4, 0.5, 46001.25),
                                round(6, 1, 1, 3, 2, 0, 0, 255, 255, 0, 46001.75)};
  std::string bytes;
  for (const TLogRecord& record : records) {
    const auto one = record.Serialize();
    bytes.append(reinterpret_cast<const char*>(one.data()), one.size());
  }
  return bytes;
}

struct TStatsRun {
  TStatsRun() : log(folder.Path() / "hands.log") {
    std::ofstream(log, std::ios::binary) << LogBytes();
  }
  TCalcResult Run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"stats", "--log", log.string()});
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

TEST(CalcStats, TablesOfTheSelectedRecords) {
  const TStatsRun run;
  const TCalcResult all = run.Run({"--json"});
  ASSERT_EQ(all.ExitCode, 0) << all.Err;
  EXPECT_EQ(all.Err, "");
  EXPECT_EQ(
      all.Out.rfind("{\"records\":3,\"bet\":8,\"tables\":[{\"title\":\"BALANCE\",\"columns\":[\"\","
                    "\"Coins\",\"%\",\"$\"],\"rows\":["
                    "{\"name\":\"Total\",\"values\":[2.0,25.0,-5.25]},"
                    "{\"name\":\"Played\",\"values\":[-8.0,-100.0,-15.25]},"
                    "{\"name\":\"Won\",\"values\":[7.0,87.5,5.5]},"
                    "{\"name\":\"Doubled\",\"values\":[5.0,62.5,5.0]},"
                    "{\"name\":\"Errors\",\"values\":[-2.0,-25.0,-0.5]}]},"
                    "{\"title\":\"HANDS COUNT\",\"columns\":[\"Hands\",",
                    0),
      0u)
      << all.Out;
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
    arguments.push_back("--json");
    const std::string out = run.Run(arguments).Out;
    EXPECT_EQ(out.find(std::string("{\"records\":") + start + ","), 0u) << arguments[1] << out;
  }

  // Text: each table as the statistics window shows it.
  const TCalcResult text = run.Run({});
  EXPECT_EQ(text.Out.rfind("3 records, 8 coins bet\n"
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
                           "All win hands            1               2          -1\n",
                           0),
            0u)
      << text.Out;
}

TEST(CalcStats, BadLogsAndOptions) {
  const TStatsRun run;
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--modes", "4"}, "--modes must be a number from 0 to 3, not '4'"},
      {{"--modes", "1,"}, "--modes must be a number from 0 to 3, not ''"},
      {{"--from", "2026-02-29"}, "--from must be a date written YYYY-MM-DD, not '2026-02-29'"},
      {{"--from", "2026-01-0x"}, "--from must be a date"},
      {{"--paytable", "1"}, "--paytable needs --game"},
      {{"--game", "6", "--game", "3"}, "stats takes one --game"},
      {{"--game", "10"}, "unknown game '10'"},
      {{"--bet", "5"}, "--bet is not an option of stats"},
      {{"all"}, "all is not an option of stats"},
      {{"--log", "/nonexistent/hands.log"}, "cannot read the log /nonexistent/hands.log: no such"},
      {{"--log", "/"}, "cannot read the log /: not a regular file"},
  };
  for (const auto& [arguments, message] : cases) {
    const TCalcResult result = run.Run(arguments);
    EXPECT_EQ(result.ExitCode, 2) << message;
    EXPECT_EQ(result.Out, "") << message;
    EXPECT_NE(result.Err.find(message), std::string::npos) << result.Err;
    EXPECT_EQ(std::count(result.Err.begin(), result.Err.end(), '\n'), 1) << result.Err;
  }
  // A log cut short: its whole records count, the fragment is reported and left in place.
  const std::string torn = LogBytes() + std::string(30, 'x');
  std::ofstream(run.log, std::ios::binary) << torn;
  const TCalcResult result = run.Run({"--json"});
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_EQ(result.Out.find("{\"records\":3,"), 0u);
  EXPECT_NE(result.Err.find("ignored the last 30 bytes of " + run.log.string()), std::string::npos)
      << result.Err;
  EXPECT_EQ(ReadWholeFile(run.log), torn);
}

}  // namespace
}  // namespace tavrik::calc
