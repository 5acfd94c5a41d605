// The statistics window and its options panel over the log of a played game.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "core/game_list.h"
#include "ui/stats/charts_window.h"
#include "ui/stats/options_panel.h"
#include "ui/stats/statistics_window.h"
#include "ui/ui_test_support.h"

namespace tavrik::test {
namespace {

class StatisticsWindowTest : public MainWindowTest {
 protected:
  // Column 0 holds its longest name with the margins, the value columns share the rest.
  static void ExpectColumnsFit(TfStatistics& statistics) {
    QTableView& grid = *statistics.Grid;
    int longest = 0;
    for (int row = 0; row < grid.model()->rowCount(); ++row) {
      longest =
          std::max(longest, grid.fontMetrics().horizontalAdvance(statistics.CellText(0, row)));
    }
    EXPECT_GE(grid.columnWidth(0), longest + 2 * TfStatistics::CellMargin);
    EXPECT_EQ(grid.columnWidth(1), grid.columnWidth(3));
    EXPECT_EQ(grid.columnWidth(2), grid.columnWidth(3));
    EXPECT_EQ(grid.columnWidth(0) + 3 * grid.columnWidth(3), grid.viewport()->width());
  }
  // Every text the grid shows in its value columns, over all tables.
  static QStringList ValueTexts(TfStatistics& statistics) {
    QStringList texts;
    for (int table = 0; table < statistics.lbTables->count(); ++table) {
      statistics.lbTables->setCurrentRow(table);
      ExpectColumnsFit(statistics);
      for (int row = 0; row < statistics.Grid->model()->rowCount(); ++row) {
        for (int column = 1; column <= 3; ++column) texts << statistics.CellText(column, row);
      }
    }
    return texts;
  }
  // The "Total" hands of the hands-count table (its last row, your result).
  static QString CountedHands(TfStatistics& statistics) {
    statistics.lbTables->setCurrentRow(1);
    return statistics.CellText(1, statistics.Grid->model()->rowCount() - 1).trimmed();
  }
};

TEST_F(StatisticsWindowTest, TheTablesFollowTheGameAndModesOfThePanel) {
  PlayHands(GameMode::AutoHold, 12);
  PlayHands(GameMode::Training, 8);
  ASSERT_EQ(Engine().Logger().RecordCount(), 20U);
  TfStatistics statistics(Engine().Logger(), *preferences);
  statistics.show();
  TOptionsPanel& panel = *statistics.Options;
  // The filter starts with the game and mode of the last hand.
  ASSERT_EQ(panel.cbGame->count(), 2);
  EXPECT_EQ(panel.cbGame->currentIndex(), 1);
  EXPECT_EQ(panel.cbGame->currentText(),
            " " + QString::fromStdString(GameDisplayName(Engine().GameType())));
  std::array<bool, 4> checked{};
  for (size_t mode = 0; mode < 4; ++mode) checked[mode] = panel.cbModes[mode]->isChecked();
  EXPECT_EQ(checked, (std::array<bool, 4>{false, true, false, false}));
  statistics.lbTables->setCurrentRow(1);
  EXPECT_GT(statistics.Grid->model()->rowCount(), 3);  // the game's paying hands
  ExpectColumnsFit(statistics);

  // Mode boxes clicked in turn, and the hands then counted.
  const std::pair<size_t, const char*> steps[] = {{0, "20"}, {1, "12"}, {0, "-"}, {1, "8"}};
  for (const auto& [mode, hands] : steps) {
    panel.cbModes[mode]->click();
    EXPECT_EQ(CountedHands(statistics), hands) << mode;
  }
  EXPECT_EQ(Engine().Logger().Filter().Modes(), 0x02);

  panel.cbGame->setFocus();
  QTest::keyClick(panel.cbGame, Qt::Key_Home);  // ALL POKERS
  EXPECT_EQ(Engine().Logger().Filter().GameType(), -1);
  ASSERT_EQ(statistics.Grid->model()->rowCount(), 3);
  const QStringList names = {"All win hands", "Nothing", "Total"};
  for (int row = 0; row < 3; ++row) EXPECT_EQ(statistics.CellText(0, row).trimmed(), names[row]);
  EXPECT_EQ(CountedHands(statistics), "8");
}

// The menu opens the statistics and the charts over the game's log; Esc closes them. Over
// an empty log every value cell shows a dash.
TEST_F(StatisticsWindowTest, TheMenuOpensTheWindowsAndAnEmptyLogShowsDashes) {
  Answer<TfStatistics>(window->Menus.miShowStats, [](TfStatistics* shown) {
    EXPECT_EQ(shown->lbTables->count(), 6);
    const QStringList values = ValueTexts(*shown);
    // All games: three rows per hand table; no error pattern, only the total row.
    EXPECT_EQ(values.size(), 3 * (5 + 3 * 3 + 4 + 1));
    EXPECT_EQ(values.count("-"), values.size()) << values.join('|').toStdString();
    EXPECT_EQ(shown->lTitle->text(), " ERROR PATTERNS") << "the title follows the table";
    QTest::keyClick(shown, Qt::Key_Escape);
  });
  PlayHands(GameMode::AutoHold, 3);
  Answer<TfStatistics>(window->Menus.miShowStats, [this](TfStatistics* shown) {
    shown->lbTables->setCurrentRow(1);
    EXPECT_EQ(shown->Grid->model()->rowCount(), Engine().CategoryCount() + 2);
    QTest::keyClick(shown, Qt::Key_Escape);
  });
  Answer<TfmCharts>(window->Menus.miShowCharts, [](TfmCharts* shown) {
    EXPECT_EQ(shown->DrawnPoints(0), 3);
    QTest::keyClick(shown, Qt::Key_Escape);
  });
}

}  // namespace
}  // namespace tavrik::test
