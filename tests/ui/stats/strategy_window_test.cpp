// The strategy window over a log written here.
#include <QLabel>
#include <QTableWidget>

#include "core/payout_storage.h"
#include "ui/stats/strategy_window.h"
#include "ui/ui_test_support.h"

namespace tavrik::test {
namespace {

// Jacks or better, paytable 0: an error whose best hold is three to a royal flush counts in
// that line; the same error under another paytable and a round without error do not.
TEST(StrategyWindow, ShowsTheChartAndThePlayersErrorsPerLine) {
  TempFolder folder;
  TPreferences preferences;
  TLogger logger(folder.Path() / "Tavrik.log");
  // QD JD TD 3C 3S: the player held 3C 3S, the best hold QD JD TD.
  TLogRecord error{.GameType = 6,
                   .DealtCards = {36, 35, 34, 14, 1},
                   .Bet = 5,
                   .PlayerMask = 7,
                   .BestMask = 24,
                   .PlayerReturn = 1,
                   .BestReturn = 4};
  logger.Append(error);
  TLogRecord otherTable = error;
  otherTable.PayIndex = 1;
  logger.Append(otherTable);
  TLogRecord noError = error;
  noError.PlayerMask = 24;
  noError.PlayerReturn = 4;
  logger.Append(noError);

  const TPaytable table = TPayoutStorage(folder.Path() / "none.dat").GetPaytable(6, 0);
  TfStrategy window(logger, preferences, 6, 0, table, 5);
  const QTableWidget& grid = *window.Grid;
  ASSERT_GT(grid.rowCount(), 20);
  EXPECT_EQ(grid.item(0, 0)->text(), "royal flush");
  std::map<QString, QString> errors;
  for (int row = 0; row < grid.rowCount(); ++row) {
    errors[grid.item(row, 0)->text()] = grid.item(row, 3)->text();
  }
  EXPECT_EQ(errors["3 to a royal flush"], "1");
  EXPECT_EQ(errors["low pair"], "-");
  // The costliest lines stand out, each with what it cost and the hands of the errors.
  for (int row = 0; row < grid.rowCount(); ++row) {
    const QTableWidgetItem& line = *grid.item(row, 3);
    EXPECT_EQ(line.font().bold(), line.text() != "-") << row;
    if (line.text() == "-") continue;
    EXPECT_TRUE(
        line.toolTip().endsWith("cost 60.00 % of a bet in all, for example:\n"
                                "QD JD TD 3C 3S: you held 3C 3S, the best hold QD JD TD"))
        << line.toolTip().toStdString();
  }
  EXPECT_EQ(window.lReturns->text(),
            "Playing by the chart returns 99.5429 %, perfect play 99.5439 %.");
}

}  // namespace
}  // namespace tavrik::test
