#include "records/log_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "core/game_list.h"
#include "records/logger.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

constexpr double Day1 = 46000;  // midnights
constexpr double Day2 = 46001;

TLogRecord Dealt(int game, int paytable, int mode, double dealTime) {
  return {.GameType = static_cast<uint8_t>(game),
          .PayIndex = static_cast<uint8_t>(paytable),
          .Mode = static_cast<uint8_t>(mode),
          .DealTime = dealTime};
}

// A logger over `records` whose run started at `sessionStart`, writing days as their number.
struct TLog {
  TLog(const std::vector<TLogRecord>& records, double sessionStart)
      : logger(folder.Path() / "Tavrik.log") {
    for (const TLogRecord& record : records) logger.Append(record);
    logger.SessionStart = sessionStart;
    logger.SetShortDateFormat([](double day) { return std::to_string(static_cast<int>(day)); });
  }
  TempFolder folder;
  TLogger logger;
};

TEST(LogFilter, BuiltFromTheLog) {
  struct Case {
    const char* what;
    std::vector<TLogRecord> records;
    double sessionStart;
    std::vector<std::string> keys;
    std::vector<std::string> dates;
    std::vector<double> dayStarts;
    int game, paytable;
    TModeSet modes;
    double fromDate;
  };
  const double start = Day2 + 0.5;
  const Case cases[] = {
      {"empty log", {}, start, {GameKey(-1, -1)}, {""}, {start}, -1, -1, AllModes, start},
      {"last hand today in an earlier run: from today's midnight",
       {Dealt(6, 0, 2, Day1 + 0.4), Dealt(3, 1, 0, Day1 + 0.5), Dealt(6, 0, 1, Day2 + 0.1),
        Dealt(6, 0, 1, Day2 + 0.2)},
       start,
       {GameKey(-1, -1), GameKey(6, 0), GameKey(3, 1)},
       {"", " 46001", " 46000"},
       {start, Day2, Day1},
       6,
       0,
       0b10,
       Day2},
      {"last hand in this run: from the start of the run",
       {Dealt(3, 1, 0, Day1 + 0.5), Dealt(6, 0, 3, Day2 + 0.6)},
       start,
       {GameKey(-1, -1), GameKey(3, 1), GameKey(6, 0)},
       {"", " 46001", " 46000"},
       {start, Day2, Day1},
       6,
       0,
       0b1000,
       start},
      {"days in reverse order of first appearance; a mode of 8 or more selects none",
       {Dealt(2, 0, 0, Day2 + 0.1), Dealt(2, 0, 0, Day1 + 0.1), Dealt(2, 0, 0, Day2 + 0.2),
        Dealt(2, 0, 9, Day1 + 0.2)},
       start,
       {GameKey(-1, -1), GameKey(2, 0)},
       {"", " 46000", " 46001"},
       {start, Day1, Day2},
       2,
       0,
       0,
       Day1},
  };
  for (const Case& c : cases) {
    TLog log(c.records, c.sessionStart);
    const TLogFilter& filter = log.logger.Filter();
    EXPECT_EQ(filter.GameKeys, c.keys) << c.what;
    EXPECT_EQ(filter.DateTexts, c.dates) << c.what;
    EXPECT_EQ(filter.DayStarts, c.dayStarts) << c.what;
    EXPECT_EQ(filter.GameType(), c.game) << c.what;
    EXPECT_EQ(filter.PayIndex(), c.paytable) << c.what;
    EXPECT_EQ(filter.Modes(), c.modes) << c.what;
    EXPECT_EQ(filter.FromDate(), c.fromDate) << c.what;
    EXPECT_EQ(filter.SessionStart(), c.sessionStart) << c.what;
    EXPECT_EQ(filter.GameKeys.at(static_cast<size_t>(filter.GetGameIndex())),
              GameKey(c.game, c.paytable))
        << c.what;
    EXPECT_EQ(filter.DayStarts.at(static_cast<size_t>(filter.GetDateIndex())), c.fromDate)
        << c.what;
  }
}

TEST(LogFilter, SelectionsNotifyOnChangeAndChooseRecords) {
  const double start = Day2 + 0.5;
  TLog log({Dealt(6, 0, 2, Day1 + 0.4), Dealt(3, 1, 0, Day2 + 0.2)}, start);
  TLogFilter& filter = log.logger.Filter();
  int calls = 0;
  const int id = filter.Subscribe([&] { ++calls; });
  // Action, notifications expected after it (counted from the start).
  const auto step = [&](auto action, int expectedCalls, const char* what) {
    action();
    EXPECT_EQ(calls, expectedCalls) << what;
  };
  step([&] { filter.SetGameIndex(2); }, 0, "already the last record's game");
  step([&] { filter.SetGameIndex(0); }, 1, "all games");
  step([&] { filter.SetDateIndex(2); }, 2, "from the first day");
  step([&] { filter.SetDateIndex(2); }, 2, "same day");
  step([&] { filter.SetModes(AllModes); }, 3, "all modes");
  step([&] { filter.SetModes(AllModes); }, 3, "same modes");
  EXPECT_THROW(filter.SetGameIndex(3), TError);
  EXPECT_THROW(filter.SetDateIndex(-1), TError);
  EXPECT_EQ(filter.GetDateIndex(), 2);
  EXPECT_EQ(filter.FromDate(), Day1);

  // Record -> matches with all games from the first day, then in this run only, then in
  // game 3 paytable 1 with modes 1 and 3.
  const std::tuple<TLogRecord, bool, bool, bool> cases[] = {
      {Dealt(6, 0, 2, Day1), true, false, false},
      {Dealt(3, 1, 1, start - 1e-6), true, false, false},
      {Dealt(3, 1, 1, start), true, true, true},
      {Dealt(3, 0, 3, start), true, true, false},
      {Dealt(3, 1, 0, start), true, true, false},
      {Dealt(3, 1, 8, start), false, false, false},
      {Dealt(3, 1, 1, Day1 - 1e-6), false, false, false},
  };
  const auto matches = [&](int game) {
    std::vector<bool> result;
    for (const auto& c : cases) result.push_back(filter.Matches(std::get<0>(c)));
    EXPECT_EQ(filter.GetGameIndex(), game);
    return result;
  };
  std::vector<bool> fromDay1, thisSession, game3;
  for (const auto& c : cases) {
    fromDay1.push_back(std::get<1>(c));
    thisSession.push_back(std::get<2>(c));
    game3.push_back(std::get<3>(c));
  }
  filter.SetModes(0x0F | 0xF0);  // modes 4..7 allowed, 8 never
  EXPECT_EQ(matches(0), fromDay1);
  filter.SetDateIndex(0);
  EXPECT_EQ(filter.GetDateIndex(), 0);
  EXPECT_EQ(matches(0), thisSession);
  filter.SetGameIndex(2);
  filter.SetModes(0b1010);
  EXPECT_EQ(matches(2), game3);

  filter.Unsubscribe(id);
  filter.SetModes(1);
  EXPECT_EQ(calls, 7);
}

TEST(LogFilter, LoggerDropsItsFilterWhenTheLogChanges) {
  TLog log({Dealt(6, 0, 2, Day1)}, Day2);
  const auto freshFilter = [&](auto change) {
    log.logger.Filter().SetModes(0);
    const uint64_t before = log.logger.FilterGeneration();
    change();
    EXPECT_EQ(log.logger.FilterGeneration(), 0u);
    EXPECT_NE(log.logger.Filter().Modes(), 0);
    EXPECT_EQ(log.logger.FilterGeneration(), before + 1);
  };
  freshFilter([&] { log.logger.Append(Dealt(3, 0, 1, Day2)); });
  freshFilter([&] {
    // The filter's own choice deletes: it must live until the pass is over.
    TLogFilter& filter = log.logger.Filter();
    filter.SetModes(AllModes);
    EXPECT_EQ(log.logger.ClearByFilter([&](const TLogRecord& r) { return filter.Matches(r); }), 1);
  });
  freshFilter([&] { log.logger.Clear(); });
}

}  // namespace
}  // namespace tavrik
