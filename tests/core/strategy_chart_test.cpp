#include "core/strategy_chart.h"

#include <gtest/gtest.h>

#include "core/game_return.h"
#include "core/payout_storage.h"
#include "support/temp_folder.h"

namespace tavrik {
namespace {

// 9/6 Jacks or better: the chart's perfect return is the whole-game computation's, and
// playing by the chart comes within 0.02 % of it without passing it.
TEST(StrategyChart, JacksOrBetterChartNearPerfectPlay) {
  TempFolder folder;
  const TPaytable table =
      TPayoutStorage(folder.Path() / "none.dat").GetPaytable(GAME_JACKS_OR_BETTER, 0);
  ASSERT_EQ(table[4][3], 45);  // 9 for a full house
  ASSERT_EQ(table[4][4], 30);  // 6 for a flush
  const TStrategyChart chart = DeriveStrategyChart(GAME_JACKS_OR_BETTER, table, 5, 2);
  const TGameReturn perfect = ComputeGameReturn(GAME_JACKS_OR_BETTER, table, 5, 2);
  EXPECT_NEAR(static_cast<double>(chart.PerfectReturn), static_cast<double>(perfect.Return), 1e-12);
  EXPECT_LE(chart.ChartReturn, chart.PerfectReturn);
  EXPECT_GT(chart.ChartReturn, chart.PerfectReturn - 0.0002);
  double shares = 0;
  for (const TChartLine& line : chart.Lines) shares += line.BestShare;
  EXPECT_NEAR(shares, 1, 1e-12);
  ASSERT_FALSE(chart.Lines.empty());
  EXPECT_EQ(chart.Lines.front().Key, "rf");
  EXPECT_EQ(chart.Lines.back().Key, "de");
}

}  // namespace
}  // namespace tavrik
