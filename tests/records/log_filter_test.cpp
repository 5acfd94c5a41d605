#include "records/log_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "core/game_list.h"
#include "records/logger.h"
#include "support/test_log.h"

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
struct TLog : test::TTestLog {
  TLog(const std::vector<TLogRecord>& records, double sessionStart)
      : TTestLog(records, sessionStart) {
    logger.SetShortDateFormat([](double day) { return std::to_string(static_cast<int>(day)); });
  }
};

TEST(LogFilter, BuiltFromTheLog) {
  const double start = Day2 + 0.5;  // of the run
  struct Case {
    const char* what;
    std::vector<TLogRecord> records;
    std::vector<std::pair<int, int>> games;            // after all games
    std::vector<double> days;                          // after the run
    std::tuple<int, int, TModeSet, double> selection;  // game, paytable, modes, from
  };
  const Case cases[] = {
      {"empty log", {}, {}, {}, {-1, -1, AllModes, start}},
      {"last hand today in an earlier run: from today's midnight",
       {Dealt(6, 0, 2, Day1 + 0.4), Dealt(3, 1, 0, Day1 + 0.5), Dealt(6, 0, 1, Day2 + 0.1),
        Dealt(6, 0, 1, Day2 + 0.2)},
       {{6, 0}, {3, 1}},
       {Day2, Day1},
       {6, 0, 0b10, Day2}},
      {"last hand in this run: from the start of the run",
       {Dealt(3, 1, 0, Day1 + 0.5), Dealt(6, 0, 3, Day2 + 0.6)},
       {{3, 1}, {6, 0}},
       {Day2, Day1},
       {6, 0, 0b1000, start}},
      {"days in reverse order of first appearance; a mode of 8 or more selects none",
       {Dealt(2, 0, 0, Day2 + 0.1), Dealt(2, 0, 0, Day1 + 0.1), Dealt(2, 0, 0, Day2 + 0.2),
        Dealt(2, 0, 9, Day1 + 0.2)},
       {{2, 0}},
       {Day1, Day2},
       {2, 0, 0, Day1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TLog log(c.records, start);
    const TLogFilter& filter = log.logger.Filter();
    std::vector<std::string> keys = {GameKey(-1, -1)}, texts = {""};
    for (const auto& [game, paytable] : c.games) keys.push_back(GameKey(game, paytable));
    std::vector<double> days = {start};
    for (double day : c.days) {
      days.push_back(day);
      texts.push_back(' ' + std::to_string(static_cast<int>(day)));
    }
    EXPECT_EQ(filter.GameKeys, keys);
    EXPECT_EQ(filter.DateTexts, texts);
    EXPECT_EQ(filter.DayStarts, days);
    EXPECT_EQ(std::tuple(filter.GameType(), filter.PayIndex(), filter.Modes(), filter.FromDate()),
              c.selection);
    EXPECT_EQ(filter.SessionStart(), start);
    EXPECT_EQ(keys.at(static_cast<size_t>(filter.GetGameIndex())),
              GameKey(filter.GameType(), filter.PayIndex()));
    EXPECT_EQ(days.at(static_cast<size_t>(filter.GetDateIndex())), filter.FromDate());
  }
}

TEST(LogFilter, SelectionsNotifyOnChangeAndChooseRecordsToShowAndToClear) {
  const double start = Day2 + 0.5;
  TLog log({Dealt(6, 0, 2, Day1 + 0.4), Dealt(3, 1, 0, Day2 + 0.2)}, start);
  TLogFilter& filter = log.logger.Filter();
  int calls = 0;
  const int id = filter.Subscribe([&] { ++calls; });
  filter.SetGameIndex(2);  // each already selected
  filter.SetDateIndex(1);
  filter.SetModes(1);
  EXPECT_EQ(calls, 0);
  EXPECT_THROW(filter.SetGameIndex(3), TError);
  EXPECT_THROW(filter.SetDateIndex(-1), TError);

  const TLogRecord records[] = {Dealt(6, 0, 2, Day1),       Dealt(3, 1, 1, start - 1e-6),
                                Dealt(3, 1, 1, start),      Dealt(3, 0, 3, start),
                                Dealt(3, 1, 0, start),      Dealt(3, 1, 8, start),
                                Dealt(3, 1, 1, Day1 - 1e-6)};
  // Game index, date index, modes -> which records match, which the clearing rule deletes
  // (those of the selection dealt up to the date, inclusive).
  const std::tuple<int, int, TModeSet, std::string, std::string> cases[] = {
      // All games from the first day; a mode of 8 never matches.
      {0, 2, 0xFF, "1111100", "1000001"},
      {0, 0, 0xFF, "0011100", "1111101"},  // this run only
      {2, 0, 0b1010, "0010000", "0110001"},
  };
  for (const auto& [game, date, modes, matched, cleared] : cases) {
    filter.SetGameIndex(game);
    filter.SetDateIndex(date);
    filter.SetModes(modes);
    const auto clears = filter.ClearingRule();
    std::string matches, clearing;
    for (const TLogRecord& record : records) {
      matches += filter.Matches(record) ? '1' : '0';
      clearing += clears(record) ? '1' : '0';
    }
    EXPECT_EQ(matches, matched) << game << ", " << date;
    EXPECT_EQ(clearing, cleared) << game << ", " << date;
    EXPECT_EQ(filter.GetGameIndex(), game);
    EXPECT_EQ(filter.GetDateIndex(), date);
  }
  EXPECT_EQ(calls, 6);  // once per change
  filter.Unsubscribe(id);
  filter.SetModes(1);
  EXPECT_EQ(calls, 6);

  // All games and modes of the earlier runs go, this run's hand stays; the rule keeps its
  // own copy of the choice, since clearing drops the filter, and deletes nothing again.
  log.logger.Append(Dealt(6, 0, 1, start + 0.1));
  TLogFilter& next = log.logger.Filter();
  next.SetGameIndex(0);
  next.SetModes(AllModes);
  const auto rule = next.ClearingRule();
  EXPECT_EQ(log.logger.ClearByFilter(rule), 2);
  EXPECT_EQ(log.logger.ClearByFilter(rule), 0);
  ASSERT_EQ(log.logger.RecordCount(), 1u);
  EXPECT_EQ(log.logger.Record(0).DealTime, start + 0.1);
}

}  // namespace
}  // namespace tavrik
