// The charts window over the log of a played game.
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "core/data_files.h"
#include "ui/stats/charts_window.h"
#include "ui/stats/options_panel.h"
#include "ui/ui_test_support.h"

namespace tavrik::test {
namespace {

using ChartsWindowTest = MainWindowTest;

TEST_F(ChartsWindowTest, EachChartIsDrawnFollowingTheOptionsAndSaved) {
  Engine().SetCoinValue(3);  // $5
  PlayHands(GameMode::AutoHold, 15);
  PlayHands(GameMode::Training, 15);
  TfmCharts charts(Engine().Logger(), *preferences);
  charts.show();
  TOptionsPanel& panel = *charts.Options;
  ASSERT_EQ(charts.lbCharts->count(), ChartCount);

  // Per chart: the title, the left axis, the legends, whether dollars can be chosen.
  const std::tuple<const char*, const char*, QStringList, bool> cases[] = {
      {"  BALANCE PROGRESS", "Balance,coins", {"Your progress", "Perfect strategy progress"}, true},
      {"  ACCURACY PROGRESS", "Accuracy,%", {"Playing accuracy"}, false},
      {"  HANDS PER HOUR PROGRESS", "Rate,hands per hour", {"Hands per hour progress"}, false},
      {"  ERRORS EFFECT PROGRESS",
       "Loss,coins",
       {"Real loss on errors ", "Expected loss on errors"},
       true},
      {"  DOUBLEUP BALANCE", "Balance,coins", {"Doubleup balance"}, true},
  };
  for (int chart = ChartCount - 1; chart >= 0; --chart) {
    const auto& [title, leftAxis, legends, units] = cases[chart];
    SCOPED_TRACE(title);
    charts.lbCharts->setCurrentRow(chart);
    EXPECT_EQ(charts.Charts().Chart(), chart);
    EXPECT_EQ(charts.lTitle->text(), title);
    EXPECT_EQ(charts.LeftAxisTitle(), leftAxis);
    EXPECT_EQ(panel.rbDollars->isEnabled(), units);
    ASSERT_EQ(charts.ShownSeries(), legends.size());
    for (int s = 0; s < charts.ShownSeries(); ++s) {
      EXPECT_EQ(charts.Legend(s), legends[s]);
      EXPECT_EQ(charts.DrawnPoints(s), static_cast<int>(charts.Charts().Series().Points()));
    }
  }

  // The filter starts with the last hand's mode; both modes, then the unit.
  EXPECT_EQ(charts.DrawnPoints(0), 15);
  panel.cbModes[0]->click();
  EXPECT_EQ(charts.DrawnPoints(1), 30);
  const double coins = charts.Charts().Series().Values[0].back();
  ASSERT_NE(coins, 0);
  panel.rbDollars->click();
  EXPECT_EQ(charts.LeftAxisTitle(), "Balance,$");
  EXPECT_EQ(charts.Charts().Series().Values[0].back(), coins * 5);

  const QString picture = QString::fromStdString((folder.Path() / "chart.png").string());
  ASSERT_TRUE(charts.SavePicture(picture));
  EXPECT_GE(QImage(picture).width(), 600);
  const auto csv = folder.Path() / "chart.csv";
  ASSERT_TRUE(charts.ExportCsv(QString::fromStdString(csv.string())));
  const QString text = QString::fromStdString(ReadWholeFile(csv).value_or(""));
  const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 31);
  EXPECT_EQ(lines[0], "hands,Your progress,Perfect strategy progress");
  EXPECT_TRUE(lines[30].startsWith("30,"));
  EXPECT_FALSE(charts.ExportCsv(QString::fromStdString((folder.Path() / "no/such.csv").string())));
}

}  // namespace
}  // namespace tavrik::test
