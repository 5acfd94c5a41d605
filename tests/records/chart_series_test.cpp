#include "records/chart_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

#include "records/logger.h"
#include "support/test_log.h"

namespace tavrik {
namespace {

constexpr double Now = 46000.5;
constexpr double Second = 1.0 / 86400;

// Jacks or better, paytable 0, training, dealt at `deal` and collected `seconds` later.
TLogRecord Round(int bet, int coinValueIndex, int handWin, int win, int doubles, int perfectWin,
                 double playerReturn, double bestReturn, double seconds, double deal = Now) {
  TLogRecord record = test::JacksHand(bet, coinValueIndex, handWin, win, doubles, perfectWin,
                                      playerReturn, bestReturn, deal);
  record.Mode = 1;
  record.EndTime = deal + seconds * Second;
  return record;
}

// [chart][series] -> the points; no charts: every series empty.
using TExpected = std::vector<std::vector<std::vector<double>>>;

TEST(ChartSeries, EachChartPlotsTheSelectedRecords) {
  TLogRecord otherGame = Round(5, 2, 800, 800, 0, 800, 900, 900, 1000);
  otherGame.GameType = 3;
  TLogRecord otherMode = otherGame;
  otherMode.GameType = 6;
  otherMode.Mode = 0;
  const std::vector<TLogRecord> handMade = {
      Round(5, 2, 0, 0, 0, 0, 3, 4, 10, Now - 1),  // yesterday: before the chosen date
      otherGame,
      otherMode,
      Round(5, 0, 10, 10, 0, 5, 4, 4, 5),  // $0.25
      Round(5, 3, 5, 20, 2, 5, 1, 3, 5),   // $5, doubled twice
      Round(1, 2, 2, 0, 1, 4, 0.5, 1, 0),  // $1, double-up lost
  };
  // A first record with no expected return and no playing time.
  const std::vector<TLogRecord> degenerate = {Round(5, 2, 0, 0, 0, 0, 0, 0, 0),
                                              Round(5, 2, 5, 5, 0, 5, 1, 2, 6)};
  struct TCase {
    struct {
      const char* name;
      const std::vector<TLogRecord>& records;
      TModeSet modes;
      bool dollars;
    } setup;
    TExpected expected;
  };
  const TCase cases[] = {
      {{"coins", handMade, 2, false},
       {{{5, 20, 19}, {0, 0, 3}},
        {{100 * 7.0 / 8, 100 * 8.0 / 11, 100 * 8.5 / 12}, {}},
        {{480, 540, 720}, {}},
        {{5, 20, 16}, {0, -2, -2.5}},
        {{15, 13}, {}}}},
      {{"dollars", handMade, 2, true},
       {{{1.25, 76.25, 75.25}, {0, 0, 3}},
        {{100 * 7.0 / 8, 100 * 8.0 / 11, 100 * 8.5 / 12}, {}},
        {{480, 540, 720}, {}},
        {{1.25, 76.25, 72.25}, {0, -10, -10.5}},
        {{75, 73}, {}}}},
      {{"degenerate first record", degenerate, 2, false},
       {{{-5, -5}, {-5, -5}}, {{50}, {}}, {{1200}, {}}, {{0, 0}, {0, -1}}, {{}, {}}}},
      {{"nothing selected", handMade, 8, true}, {}},
  };
  for (const auto& [test, charts] : cases) {
    SCOPED_TRACE(test.name);
    test::TTestLog log(test.records, Now);
    TLogFilter& filter = log.logger.Filter();
    filter.SetGame(6, 0);
    filter.SetModes(test.modes);
    ASSERT_EQ(filter.FromDate(), Now);
    for (int chart = 0; chart < ChartCount; ++chart) {
      const TChartSeries series = ComputeChart(chart, log.logger, filter, test.dollars);
      for (size_t s = 0; s < 2; ++s) {
        const std::vector<double> expected =
            charts.empty() ? std::vector<double>{} : charts[static_cast<size_t>(chart)][s];
        const std::vector<double>& actual = series.Values[s];
        ASSERT_EQ(actual.size(), expected.size()) << "chart " << chart << " series " << s;
        for (size_t i = 0; i < actual.size(); ++i) {
          EXPECT_NEAR(actual[i], expected[i], 1e-6 * std::max(1.0, std::abs(expected[i])))
              << "chart " << chart << " series " << s << " point " << i;
        }
      }
    }
  }

  // The full series as text: header from the trimmed legends, one line per hand.
  TChartSeries series{ChartLossOnErrors, {{{1.25, 76.25, 72.25}, {0, -10, -10.5}}}};
  std::ostringstream csv;
  WriteChartCsv(csv, series, {"Real loss on errors ", "Expected \"loss\", so far"});
  EXPECT_EQ(csv.str(),
            "hands,Real loss on errors,\"Expected \"\"loss\"\", so far\"\n"
            "1,1.25,0\n2,76.25,-10\n3,72.25,-10.5\n");
}

TEST(ChartSeries, ReductionKeepsEveryPeakAndTrough) {
  std::mt19937 random(11);
  std::normal_distribution<double> step(0, 1);
  struct TCase {
    size_t length;
    size_t buckets;
  };
  for (const TCase test : {TCase{0, 4}, TCase{1, 4}, TCase{10, 4}, TCase{11, 4}, TCase{1000, 7},
                           TCase{300001, ChartBuckets}}) {
    SCOPED_TRACE(testing::Message() << test.length << " points, " << test.buckets << " buckets");
    std::vector<double> walk(test.length);
    double value = 0;
    for (double& point : walk) point = value += step(random);
    const std::vector<TChartPoint> points = ReduceSeries(walk, test.buckets);
    if (test.length <= 2 * test.buckets + 2) {
      ASSERT_EQ(points.size(), test.length);
    } else {
      ASSERT_LE(points.size(), 2 * test.buckets + 2);
      EXPECT_EQ(points.front(), (TChartPoint{1, walk.front()}));
      EXPECT_EQ(points.back(), (TChartPoint{static_cast<double>(test.length), walk.back()}));
    }
    // Points of the series itself, left to right.
    for (size_t i = 0; i < points.size(); ++i) {
      const auto x = static_cast<size_t>(points[i].X);
      ASSERT_EQ(points[i].X, static_cast<double>(x));
      ASSERT_TRUE(x >= 1 && x <= test.length);
      ASSERT_EQ(points[i].Y, walk[x - 1]);
      if (i > 0) {
        ASSERT_GT(points[i].X, points[i - 1].X);
      }
    }
    if (test.length == 0) continue;
    // Every point of the series lies between the lowest and highest kept point within one
    // bucket's width of it.
    const double width =
        std::ceil(static_cast<double>(test.length) / static_cast<double>(test.buckets));
    for (size_t i = 0; i < test.length; ++i) {
      const double x = static_cast<double>(i + 1);
      auto near = std::lower_bound(points.begin(), points.end(), x - width,
                                   [](const TChartPoint& p, double left) { return p.X < left; });
      double low = walk[i] + 1;
      double high = walk[i] - 1;
      for (; near != points.end() && near->X <= x + width; ++near) {
        low = std::min(low, near->Y);
        high = std::max(high, near->Y);
      }
      ASSERT_TRUE(low <= walk[i] && walk[i] <= high) << "point " << i;
    }
  }
}

}  // namespace
}  // namespace tavrik
