#include "records/statistics.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "records/logger.h"
#include "support/test_log.h"

namespace tavrik {
namespace {

enum : int { BALANCE, COUNT, FREQUENCY, PAYBACK, ERRORS, PATTERNS };
constexpr double Now = 46000.5;

// Jacks or better (categories 0..8: 8 is a high pair, 7 two pairs), paytable 0, in mode 0,
// dealt in this run unless told otherwise.
TLogRecord Round(int bet, int coinValueIndex, int handWin, int win, int doubles, int perfectWin,
                 int finalCategory, int perfectCategory, double playerReturn, double bestReturn) {
  TLogRecord record = test::JacksHand(bet, coinValueIndex, handWin, win, doubles, perfectWin,
                                      playerReturn, bestReturn, Now);
  record.FinalCategory = static_cast<uint8_t>(finalCategory);
  record.PerfectCategory = static_cast<uint8_t>(perfectCategory);
  return record;
}

// A log of `records` played in the run that started at Now, with a statistics list on it.
struct TStats : test::TTestLog {
  explicit TStats(const std::vector<TLogRecord>& records)
      : TTestLog(records, Now), list(std::make_unique<TStatisticsList>()) {
    list->SetLogger(logger);
    list->OnChange = [this] { ++changes; };
    list->SetActive(true);
  }
  std::unique_ptr<TStatisticsList> list;
  int changes = 0;
};

TEST(Statistics, HandMadeLogGivesHandComputedFigures) {
  // Left out by the filter: another mode, another game, an earlier run.
  std::vector<TLogRecord> out(3, Round(5, 5, 800, 800, 0, 800, 0, 0, 4000, 4000));
  out[0].Mode = 1;
  out[1].GameType = 3;
  out[2].DealTime = Now - 0.1;
  TStats stats({
      out[0], out[1], out[2],                          // left out
      Round(5, 2, 5, 0, 1, 5, 8, 8, 1, 1),             // double-up lost: doubled -5
      Round(5, 0, 5, 20, 2, 5, 8, 8, 1, 1),            // won twice from 5 at $0.25: doubled +15
      Round(5, 2, 0, 0, 0, 5, 255, 8, 0, 0.1),         // loss exactly 2 %: medium
      Round(5, 2, 10, 10, 0, 0, 7, 255, 0, 1),         // loss exactly 20 %: medium
      Round(4, 2, 0, 0, 0, 0, 255, 255, 0, 1.5),       // 37.5 %: serious
      Round(5, 2, 0, 0, 0, 0, 255, 255, 1, 1 + 1e-8),  // no error
  });
  stats.logger.Filter().SetModes(1);  // the last record's mode: no change
  const TStatisticsList& list = *stats.list;
  ASSERT_EQ(stats.changes, 1);
  EXPECT_EQ(list.RecordCount(), 6);
  EXPECT_EQ(list.CoinsBet(), 29);
  // Balance rows: total, played, won, doubled, errors. Jacks or better rows: 7 two pairs,
  // 8 high pair, 9 nothing, 10 total. Error rows: all, serious, medium, minor.
  // Table, row -> its three values.
  const std::tuple<int, int, std::array<double, 3>> rows[] = {
      {BALANCE, 0, {1, 100.0 / 29, -10.25}},  // won 30, bet 29
      {BALANCE, 1, {-29, -100, -25.25}},
      {BALANCE, 2, {15, 1500.0 / 29, 11.25}},
      {BALANCE, 3, {10, 1000.0 / 29, -1.25}},
      {BALANCE, 4, {5, 500.0 / 29, 5}},
      {COUNT, 7, {1, 0, 1}},
      {COUNT, 8, {2, 3, -1}},
      {COUNT, 9, {3, 3, 0}},
      {COUNT, 10, {6, 6, 0}},
      {FREQUENCY, 7, {100.0 / 6, 0, 100.0 / 6}},
      {FREQUENCY, 8, {100.0 / 3, 50, -100.0 / 6}},
      {FREQUENCY, 10, {100, 100, 0}},
      {PAYBACK, 7, {1000.0 / 29, 0, 1000.0 / 29}},
      {PAYBACK, 8, {1000.0 / 29, 1500.0 / 29, -500.0 / 29}},
      {PAYBACK, 9, {0, 0, 0}},
      {PAYBACK, 10, {2000.0 / 29, 1500.0 / 29, 500.0 / 29}},
      {ERRORS, 0, {50, -260.0 / 29, 500.0 / 29}},
      {ERRORS, 1, {100.0 / 6, -150.0 / 29, 0}},
      {ERRORS, 2, {100.0 / 3, -110.0 / 29, 500.0 / 29}},
      {ERRORS, 3, {0, 0, 0}},
  };
  for (const auto& [table, row, values] : rows) {
    for (size_t column = 0; column < 3; ++column) {
      EXPECT_NEAR(list.Table(table).Values[column][static_cast<size_t>(row)], values[column], 1e-9)
          << list.Name(table) << " row " << row << " column " << column;
    }
  }
  // The grid of the current table as the window shows it.
  stats.list->SetCurrent(BALANCE);
  EXPECT_EQ(stats.changes, 2);
  const std::tuple<int, int, const char*> texts[] = {
      {1, 0, "Coins"},      {0, 2, "   Played"}, {1, 2, "       -29"}, {2, 1, "   3.44828"},
      {3, 3, "     11.25"}, {0, 6, ""},          {4, 1, ""},
  };
  for (const auto& [column, row, text] : texts) {
    EXPECT_EQ(list.GetCell(column, row), text) << column << ", " << row;
  }
  stats.list->SetCurrent(COUNT);
  EXPECT_EQ(list.GetCell(0, 1), "Royal Flush");
  EXPECT_EQ(list.GetCell(3, 11), "-");  // total difference 0
}

TEST(Statistics, ErrorPatternsGroupTheGradedErrors) {
  // Five rounds at 5 coins: cards dealt, the player's and the best hold, their returns.
  const auto round = [](std::array<uint8_t, 5> cards, int yours, int best, double yourReturn,
                        double bestReturn) {
    TLogRecord record = Round(5, 2, 0, 0, 0, 0, 255, 255, yourReturn, bestReturn);
    record.DealtCards = cards;
    record.PlayerMask = static_cast<uint8_t>(yours);
    record.BestMask = static_cast<uint8_t>(best);
    return record;
  };
  TStats stats({
      round({12, 11, 10, 31, 13}, 0b11100, 0b11000, 1, 1.5),      // AS KS (QS) 7D 2C
      round({22, 35, 42, 6, 13}, 0b11111, 0b11100, 1, 3),         // (JC JD) 5H 8S 2C
      round({51, 50, 49, 18, 26}, 0b11100, 0b11000, 2, 3),        // AH KH (QH) 7C 2D
      round({22, 35, 42, 6, 13}, 0b11100, 0b11100, 3, 3),         // no error
      round({22, 35, 42, 6, 13}, 0b11111, 0b11100, 3 - 1e-8, 3),  // too little to count
  });
  const TStatistic& table = stats.list->Table(PATTERNS);
  EXPECT_EQ(table.Rows, (std::vector<std::string>{
                            "discard everything -> high pair",
                            "suited AK with a penalty card -> 3 to a royal flush", "All errors"}));
  const std::array<std::array<double, 3>, 3> values = {
      {{1, 20, 8}, {2, 40, 6}, {3, 60, 14}}};  // errors, % of 5 hands, % of 25 coins
  for (size_t row = 0; row < values.size(); ++row) {
    for (size_t column = 0; column < 3; ++column) {
      EXPECT_NEAR(table.Values[column][row], values[row][column], 1e-9) << row << ", " << column;
    }
  }
}

TEST(Statistics, RowsFollowTheGameAndTexts) {
  TLogRecord deucesWild = Round(5, 2, 5, 5, 0, 5, 3, 255, 1, 1);
  deucesWild.GameType = 3;
  TStats stats({deucesWild, Round(5, 2, 5, 5, 0, 5, 8, 8, 1, 1)});
  TLogFilter& filter = stats.logger.Filter();
  const TStatisticsList& list = *stats.list;
  EXPECT_EQ(list.Table(PAYBACK).Rows.size(), 11u);
  filter.SetGameIndex(0);
  EXPECT_EQ(stats.changes, 2);
  for (int table : {COUNT, FREQUENCY, PAYBACK}) {
    EXPECT_EQ(list.Table(table).Rows,
              (std::vector<std::string>{"All win hands", "Nothing", "Total"}));
    EXPECT_EQ(list.Table(table).TotalRow, 2);
  }
  // Every paying category of every game counts in the one row.
  const auto& counts = list.Table(COUNT).Values;
  EXPECT_EQ(std::tuple(counts[0][0], counts[1][0], counts[1][1]), std::tuple(2.0, 1.0, 1.0));

  std::map<std::pair<std::string, std::string>, std::string> texts = {
      {{"Statistics", "HandsCount"}, "COUNTS"},
      {{"Statistics.Hands", "Column2"}, "Yours"},
      {{"Statistics.Hands", "Nothing"}, "No win"},
      {{"Errors", "Serious"}, "Grave"},
  };
  stats.list->Localize([&](const std::string& section, const std::string& key) {
    return texts[{section, key}];
  });
  EXPECT_EQ(stats.changes, 3);
  EXPECT_EQ(list.Name(COUNT), "COUNTS");
  EXPECT_EQ(list.Table(COUNT).Columns, (std::array<std::string, 4>{"", "Yours", "", ""}));
  EXPECT_EQ(list.Table(ERRORS).Rows[1], "   Grave");
  filter.SetGameIndex(1);  // deuces wild
  EXPECT_EQ(list.Table(COUNT).Rows.size(), 12u);
  EXPECT_EQ(list.Table(COUNT).Rows[10], "No win");
  EXPECT_EQ(list.Table(COUNT).Values[0][3], 1);

  // Nothing selected: every value shows "-".
  filter.SetModes(0);
  EXPECT_EQ(list.RecordCount(), 0);
  for (int table = 0; table < list.Count(); ++table) {
    stats.list->SetCurrent(table);
    for (size_t row = 1; row <= list.Table(table).Rows.size(); ++row) {
      for (int column = 1; column <= 3; ++column) {
        EXPECT_EQ(list.GetCell(column, static_cast<int>(row)), "-") << table << ", " << row;
      }
    }
  }
}

TEST(Statistics, ListOutlivesTheFilterItFollows) {
  TStats stats({Round(5, 2, 5, 5, 0, 5, 8, 8, 1, 1)});
  TLogger& logger = stats.logger;
  logger.Append(Round(5, 2, 0, 0, 0, 0, 255, 255, 1, 1));  // drops the filter
  EXPECT_EQ(logger.FilterGeneration(), 0u);
  stats.list->Recompute();  // follows the new one
  EXPECT_EQ(stats.list->RecordCount(), 2);
  logger.Filter().SetModes(0);
  EXPECT_EQ(stats.list->RecordCount(), 0);
  // The filter's own choice deletes: it must live until the pass is over.
  TLogFilter& filter = logger.Filter();
  filter.SetModes(1);
  const uint64_t generation = logger.FilterGeneration();
  EXPECT_EQ(logger.ClearByFilter([&](const TLogRecord& r) { return filter.Matches(r); }), 2);
  EXPECT_EQ(logger.FilterGeneration(), 0u);
  // Same subscription id on the current filter as the list's on the dropped one.
  int calls = 0;
  logger.Filter().Subscribe([&] { ++calls; });
  EXPECT_EQ(logger.FilterGeneration(), generation + 1);
  stats.list.reset();
  logger.Filter().SetModes(1);
  EXPECT_EQ(calls, 1);
  logger.Clear();
  EXPECT_EQ(logger.FilterGeneration(), 0u);
}

}  // namespace
}  // namespace tavrik
