// The errors window over the log of a played game and over a log written here.
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <map>

#include "core/card.h"
#include "core/hand_parser.h"
#include "ui/cards/card_painter.h"
#include "ui/dialogs/all_hands.h"
#include "ui/stats/errors_model.h"
#include "ui/stats/errors_window.h"
#include "ui/stats/options_panel.h"
#include "ui/ui_test_support.h"

namespace tavrik::test {
namespace {

class ErrorsWindowTest : public MainWindowTest {
 protected:
  // Finished training hands, every second one holding only its first card.
  void PlayWithErrors(int hands) {
    PlayHands(GameMode::Training, hands, [this](int hand) {
      if (hand % 2 == 1) return;
      Engine().ReleaseAllHolds();
      window->ToggleCard(0);
    });
  }
  // The dealt cards of the rows of a list built afresh over the log's filter.
  QStringList ExpectedHands(int grades) {
    TErrorList list;
    list.Rebuild(Engine().Logger(), Engine().Logger().Filter(), grades);
    QStringList hands;
    for (size_t row = 0; row < list.Count(); ++row) {
      const auto& dealt = list.Record(row).DealtCards;
      hands << QString::fromStdString(HandWords({dealt.begin(), dealt.end()}));
    }
    return hands;
  }
  static QStringList ShownHands(const TfErrors& errors) {
    QStringList hands;
    const auto& model = errors.Model();
    for (int row = 0; row < model.rowCount(); ++row) hands << model.index(row, 0).data().toString();
    return hands;
  }
};

// Header clicks sort the list, keep the selected error and show the triangle; the grade,
// mode and variant boxes rebuild the list or only repaint it.
TEST_F(ErrorsWindowTest, HeaderClicksSortAndTheBoxesFilterOrRepaint) {
  PlayWithErrors(30);
  TfErrors errors(Engine().Logger(), *preferences);
  errors.show();
  EXPECT_EQ(errors.Grid->rowHeight(0), TCardPainter::CardHeight + 10);
  ASSERT_GE(ExpectedHands(AllGrades).size(), 5);
  QHeaderView& header = *errors.Grid->horizontalHeader();
  errors.Grid->selectRow(0);
  const size_t selected = errors.List().RecordIndex(0);
  // The column clicked, the sort column and the triangle then.
  const std::tuple<int, int, Qt::SortOrder> clicks[] = {
      {3, 4, Qt::AscendingOrder}, {3, -4, Qt::DescendingOrder}, {0, 1, Qt::AscendingOrder}};
  for (const auto& [column, sortColumn, order] : clicks) {
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(column) + 20, 5));
    EXPECT_EQ(errors.List().SortColumn(), sortColumn);
    EXPECT_EQ(header.sortIndicatorSection(), column);
    EXPECT_EQ(header.sortIndicatorOrder(), order);
    const auto row = static_cast<size_t>(errors.Grid->currentIndex().row());
    EXPECT_EQ(errors.List().RecordIndex(row), selected) << "the selected error stays selected";
  }

  TOptionsPanel& panel = *errors.Options;
  QSignalSpy resets(errors.Grid->model(), &QAbstractItemModel::modelReset);
  // The box clicked, the grades then listed (-1: none, the training mode box is off) and
  // whether the list was built again.
  const std::tuple<QCheckBox*, int, bool> steps[] = {
      {panel.cbGrades[0], GradeMedium | GradeMinor, true},
      {panel.cbGrades[1], GradeMinor, true},
      {panel.cbGrades[2], 0, true},
      {panel.cbGrades[0], GradeSerious, true},
      {panel.cbYourVariant, GradeSerious, false},
      {panel.cbBestVariant, GradeSerious, false},
      {panel.cbModes[1], -1, true},
      {panel.cbModes[1], GradeSerious, true},
  };
  for (const auto& [box, grades, rebuilt] : steps) {
    const QImage before = errors.Grid->viewport()->grab().toImage();
    const qsizetype resetsBefore = resets.size();
    box->click();
    EXPECT_EQ(ShownHands(errors), grades < 0 ? QStringList() : ExpectedHands(grades))
        << box->text().toStdString();
    EXPECT_EQ(resets.size() > resetsBefore, rebuilt) << box->text().toStdString();
    EXPECT_TRUE(rebuilt || errors.Grid->viewport()->grab().toImage() != before)
        << "a variant shows or hides the marks on the cards";
  }
}

TEST_F(ErrorsWindowTest, ARowOpensItsOwnHandInTheAllHandsTable) {
  PlayWithErrors(20);  // at 5 coins
  const int categories = Engine().CategoryCount();
  window->SelectGame(3);  // the table now plays deuces wild at 1 coin
  Engine().SetBet(1);
  // Checks the table of the hand in `errorRow` and closes it.
  const auto expectHand = [categories](TfErrors* errors, int errorRow) {
    const TLogRecord record = errors->Model().Record(errorRow);
    return AnswerNextDialog<TfmAllHands>([record, categories](TfmAllHands* dialog) {
      const TAllHandsTable* table = dialog->Table;
      std::map<int, double> returns;  // of each hold
      for (size_t row = 0; row < table->Rows.size(); ++row) {
        const THandStat& stat = table->Rows[row];
        returns[stat.Mask] = static_cast<double>(stat.ExpectedReturn);
        EXPECT_EQ(table->Grid->item(static_cast<int>(row), 1)->font().bold(),
                  stat.Mask == record.BestMask);
      }
      EXPECT_EQ(returns.size(), 32U);
      EXPECT_EQ(table->SelectedMask(), record.PlayerMask);
      EXPECT_EQ(table->ColumnTitles.size(), categories + 3);  // the logged game's
      // The analysis of the logged game, paytable and bet gives the logged returns.
      EXPECT_NEAR(returns[record.PlayerMask], record.PlayerReturn, 1e-9);
      EXPECT_NEAR(returns[record.BestMask], record.BestReturn, 1e-9);
      dialog->reject();
    });
  };
  Answer<TfErrors>(window->Menus.miShowErrors, [&](TfErrors* errors) {
    ASSERT_GE(errors->Model().rowCount(), 2);
    auto first = expectHand(errors, 0);
    const QRect cell = errors->Grid->visualRect(errors->Model().index(0, 1));
    QTest::mouseClick(errors->Grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(errors->Grid->viewport(), Qt::LeftButton, {}, cell.center());
    errors->Grid->setCurrentIndex(errors->Model().index(1, 0));
    auto second = expectHand(errors, 1);
    QTest::keyClick(errors->Grid, Qt::Key_Return);
    EXPECT_TRUE(errors->isVisible()) << "Enter opens the hand, it does not close the window";
    EXPECT_TRUE(first->Answered && second->Answered);
    QTest::keyClick(errors, Qt::Key_Escape);
  });
}

TEST(ErrorsWindow, PaintsTheHandAndCopiesTheRow) {
  TempFolder folder;
  TPreferences preferences;
  TLogger logger(folder.Path() / "Tavrik.log");
  // Deuces wild: AS KD 2C 2H 9S, the player held KD 2C 2H, the best hold 2C 2H.
  logger.Append({.GameType = 3,
                 .Mode = 1,
                 .DealtCards = {12, 37, 13, 39, 7},
                 .CoinValueIndex = 2,
                 .Bet = 5,
                 .PerfectWin = 5,
                 .PlayerMask = 17,
                 .BestMask = 19,
                 .PlayerReturn = 3.5,
                 .BestReturn = 4,
                 .DealTime = logger.SessionStart + 0.01});
  TfErrors errors(logger, preferences);
  errors.show();
  ASSERT_EQ(errors.Model().rowCount(), 1);
  errors.Options->cbYourVariant->setChecked(true);
  errors.Options->cbBestVariant->setChecked(true);
  // Each card as the painter draws it: rank, suit, held by the player, kept by the best
  // hold, wild.
  const std::tuple<int, int, bool, bool, bool> cards[] = {
      {12, 0, false, false, false}, {11, 2, true, false, false}, {0, 1, true, true, true},
      {0, 3, true, true, true},     {7, 0, false, false, false},
  };
  const QRect cell = errors.Grid->visualRect(errors.Model().index(0, 0));
  const QImage shown =
      errors.Grid->viewport()->grab(cell).toImage().convertToFormat(QImage::Format_RGB32);
  const QColor background = errors.Grid->palette().color(QPalette::Base);
  const int width = TCardPainter::CardWidth, height = TCardPainter::CardHeight;
  for (int i = 0; i < 5; ++i) {
    const auto& [rank, suit, held, kept, wild] = cards[i];
    QImage card(width, height, QImage::Format_RGB32);
    QPainter canvas(&card);
    errors.CardPainter().DrawSmallCardMarked(canvas, 0, kept, held, wild, suit, rank, background,
                                             0);
    canvas.end();
    EXPECT_EQ(shown.copy(5 + i * (width + TfErrors::CardGap), 5, width, height), card) << i;
  }

  EXPECT_EQ(errors.Model().index(0, 1).data().toString(), "70.00000%\n$3.50000\n");
  EXPECT_EQ(errors.Model().index(0, 2).data(Qt::ToolTipRole).toString(),
            "Your hold: KD 2C 2H (two deuces: three of a kind)\n"
            "Best hold: 2C 2H (two deuces alone)");
  errors.activateWindow();
  errors.Grid->setFocus();
  errors.Grid->selectRow(0);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(errors.Grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            "AS KD 2C 2H 9S\tKD 2C 2H\t2C 2H\t70.00000% $3.50000\t80.00000% $4.00000 $5.00\t"
            "-10.00000% -$0.50000 -$5.00");
}

}  // namespace
}  // namespace tavrik::test
