#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "core/game_list.h"
#include "core/game_return.h"
#include "core/payout_storage.h"
#include "game/game_test_support.h"
#include "support/temp_folder.h"
#include "ui/paytables/choose_dialog.h"
#include "ui/paytables/edit_dialog.h"
#include "ui/paytables/paytable_table.h"
#include "ui/paytables/return_figure.h"
#include "ui/stats/options_panel.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {
namespace {

using test::AnswerNextDialog;

constexpr int Jacks = GAME_JACKS_OR_BETTER;

TPaytable BuiltIn(int game) {
  return TPayoutStorage(std::filesystem::path("/nonexistent/none.dat")).GetPaytable(game, 0);
}

std::array<int, 5> RowOf(const TPaytable& table, int category) {
  std::array<int, 5> row{};
  for (size_t bet = 0; bet < 5; ++bet) row[bet] = table[bet][static_cast<size_t>(category)];
  return row;
}

// Lets the return figure's worker finish (a minute at most).
void WaitForFigure(const TReturnFigure& figure) {
  ASSERT_TRUE(QTest::qWaitFor([&figure] { return !figure.IsPending(); }, 60000));
}

// The editor's cells as the player writes them: the 1-coin cell carries its row unless a
// cell was set apart, an emptied cell is an empty pay, and OK waits for every pay.
TEST(PaytableEditor, RowRuleAndOk) {
  TPreferences preferences;
  const auto description = CreateDescription(Jacks);
  // The row "Straight Flush" before the edit, the column written, the text, the row after.
  using Row = std::array<int, 5>;
  const std::tuple<Row, int, const char*, Row> cases[] = {
      {{2, 4, 6, 8, 10}, 1, "3", {3, 6, 9, 12, 15}},
      {{250, 500, 750, 1000, 4000}, 1, "300", {300, 600, 900, 1200, 4000}},
      {{-1, -1, 6, -1, 99}, 1, "7", {7, 14, 6, 28, 99}},
      {{2, 4, 6, 8, 10}, 1, "", {-1, 4, 6, 8, 10}},
      {{2, 4, 6, 8, 10}, 3, "5", {2, 4, 5, 8, 10}},
      {{-1, -1, -1, -1, -1}, 1, "30000", {30000, 60000, 90000, -1, -1}},
      {{-1, 4, 6, 8, 10}, 1, "0", {0, 4, 6, 8, 10}},
  };
  for (const auto& [start, column, typed, expected] : cases) {
    SCOPED_TRACE(typed);
    TPaytable table = BuiltIn(Jacks);
    for (size_t bet = 0; bet < 5; ++bet) table[bet][1] = start[bet];
    TfEdit editor(*description, table, false, preferences);
    editor.PayoutGrid->item(1, column)->setText(typed);
    EXPECT_EQ(RowOf(editor.Table(), 1), expected);
    EXPECT_EQ(editor.btnOK->isEnabled(), std::count(expected.begin(), expected.end(), -1) == 0);
    EXPECT_EQ(editor.PayoutGrid->item(1, 5)->text(),
              expected[4] < 0 ? QString() : QString::number(expected[4]));
  }

  // Typed at the keyboard: only digits reach the cell. The names column is never current.
  TPaytable empty;
  for (auto& row : empty) row.fill(-1);
  TfEdit editor(*description, empty, true, preferences);
  editor.show();
  QApplication::setActiveWindow(&editor);
  EXPECT_FALSE(editor.btnOK->isEnabled());
  editor.PayoutGrid->setCurrentCell(8, 1);
  QTest::keyClick(editor.PayoutGrid, Qt::Key_Left);
  EXPECT_EQ(editor.PayoutGrid->currentColumn(), 1);
  QTest::keyClick(editor.PayoutGrid, '1');
  auto* cellEditor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(cellEditor, nullptr);
  QTest::keyClicks(cellEditor, "a-2 345");
  QTest::keyClick(cellEditor, Qt::Key_Return);
  QApplication::processEvents();  // the edit is committed from the event queue
  EXPECT_EQ(RowOf(editor.Table(), 8), (std::array<int, 5>{12345, 24690, 37035, 49380, 61725}));
}

// The figure shown is the exact return of the table last asked for; requests made while
// one runs replace each other and the stale results never show.
TEST(PaytableReturn, ShowsTheNewestTablesExactReturn) {
  TPreferences preferences;
  TReturnFigure figure(preferences);
  const TPaytable standard = BuiltIn(Jacks);
  figure.Request(Jacks, standard);
  EXPECT_TRUE(figure.IsPending());
  EXPECT_FALSE(figure.isEnabled());
  TPaytable other = standard;
  other[4][3] = 40;
  figure.Request(Jacks, other);
  figure.Request(Jacks, std::nullopt);
  EXPECT_FALSE(figure.IsPending());
  EXPECT_FALSE(figure.Shown().has_value());
  TPaytable last = standard;
  last[4][4] = 25;
  figure.Request(Jacks, last);
  WaitForFigure(figure);
  ASSERT_TRUE(figure.Shown().has_value());
  EXPECT_EQ(figure.Shown()->Return, ComputeGameReturn(Jacks, last, 5, 1).Return);
  EXPECT_TRUE(figure.isEnabled());

  figure.Request(Jacks, standard);
  WaitForFigure(figure);
  const TGameReturn exact = ComputeGameReturn(Jacks, standard, 5, 1);
  EXPECT_EQ(figure.Shown()->Return, exact.Return);
  EXPECT_EQ(figure.Shown()->Variance, exact.Variance);
  EXPECT_TRUE(figure.text().contains("99.5439 %")) << figure.text().toStdString();
}

using PaytableChooser = test::MainWindowTest;

// Fills the editor with a table of jacks or better as a player would: the 1-coin pays
// (which carry their rows), then the 5-coin royal flush.
void TypeTable(TfEdit* editor, const TPaytable& table) {
  for (int c = 0; c < 9; ++c) editor->PayoutGrid->item(c, 1)->setText(QString::number(table[0][c]));
  editor->PayoutGrid->item(0, 5)->setText(QString::number(table[4][0]));
}

// The chooser over the main window: Prev/Next limits, adding an identical table, adding
// and editing one, OK switching the game; the tables come back after a restart.
TEST_F(PaytableChooser, AddEditChooseAndRestart) {
  const TPaytable standard = BuiltIn(Jacks);
  TPaytable eightFive = standard;
  for (int bet = 1; bet <= 5; ++bet) {
    eightFive[bet - 1][3] = 8 * bet;
    eightFive[bet - 1][4] = 5 * bet;
  }
  TPaytable edited = eightFive;
  for (int bet = 1; bet <= 5; ++bet) edited[bet - 1][5] = 3 * bet;
  ASSERT_TRUE(window->Menus.miSelectVP->isVisible());
  window->SelectGame(GAME_BONUS_POKER);

  test::Answer<TfChoose>(window->Menus.miSelectVP, [&](TfChoose* dialog) {
    ASSERT_EQ(dialog->PokerList->count(), 9);
    EXPECT_EQ(dialog->PokerList->currentRow(), GAME_BONUS_POKER);  // the engine's game
    dialog->PokerList->setCurrentRow(6);
    EXPECT_EQ(dialog->lPokerName->text().toStdString(), "JACKS OR BETTER");
    EXPECT_EQ(dialog->PayoutGrid->rowCount(), 9);
    EXPECT_EQ(dialog->PayoutGrid->item(0, 5)->text(), "4000");
    const auto buttons = [dialog] {
      return std::array<bool, 3>{dialog->btnPrev->isEnabled(), dialog->btnNext->isEnabled(),
                                 dialog->btnEdit->isEnabled()};
    };
    EXPECT_EQ(buttons(), (std::array<bool, 3>{false, false, true}));

    const auto add = [dialog] { dialog->btnAdd->click(); };
    for (const TPaytable* table : {&standard, static_cast<const TPaytable*>(&eightFive)}) {
      test::Answer<TfEdit>(add, [&](TfEdit* edit) {
        EXPECT_FALSE(edit->btnOK->isEnabled());
        TypeTable(edit, *table);
        ASSERT_TRUE(edit->btnOK->isEnabled());
        edit->btnOK->click();
      });
    }
    EXPECT_EQ(TPayoutStorage().PaytableCount(Jacks), 2);  // the identical one was not added
    EXPECT_EQ(buttons(), (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(dialog->PayoutGrid->item(3, 1)->text(), "8");

    auto editor = AnswerNextDialog<TfEdit>([&](TfEdit* edit) {
      edit->PayoutGrid->item(5, 1)->setText("3");
      edit->btnOK->click();
    });
    dialog->btnEdit->click();
    dialog->btnPrev->click();
    EXPECT_EQ(buttons(), (std::array<bool, 3>{false, true, true}));
    dialog->btnNext->click();
    EXPECT_EQ(dialog->PayoutGrid->item(5, 5)->text(), "15");
    WaitForFigure(*dialog->ReturnFigure);
    EXPECT_EQ(dialog->ReturnFigure->Shown()->Return, ComputeGameReturn(Jacks, edited, 5, 1).Return);
    dialog->btnOK->click();
  });
  EXPECT_EQ(Engine().GameType(), Jacks);
  EXPECT_EQ(Engine().PayIndex(), 1);
  EXPECT_EQ(window->PayoutGrid->CellLook(1, 5).Text.toStdString(), "3");
  EXPECT_EQ(window->lPokerName->text().toStdString(), "JACKS OR BETTER");
  EXPECT_EQ(window->Menus.GameItems[Jacks]->text().toStdString(), "Jacks or better (paytable 1)");

  // A restart reads the player's tables back and opens the saved game and paytable.
  window.reset();
  const TPayoutStorage catalogue;
  EXPECT_TRUE(catalogue.Problems().empty());
  ASSERT_EQ(catalogue.PaytableCount(Jacks), 2);
  EXPECT_EQ(catalogue.GetPaytable(Jacks, 1), edited);
  window = std::make_unique<TfTavrik20Main>(*preferences, TAVRIK_TEST_DATA_DIR);
  EXPECT_EQ(Engine().GameType(), Jacks);
  EXPECT_EQ(Engine().PayIndex(), 1);
  EXPECT_EQ(Engine().GetPayout(5, 2), 6);
  // Its hands are told apart in the statistics filter.
  PlayHands(GameMode::Training, 1);
  TOptionsPanel panel(OptionGame, *preferences);
  panel.SetLogger(Engine().Logger());
  ASSERT_EQ(panel.cbGame->count(), 2);
  EXPECT_EQ(panel.cbGame->itemText(1).toStdString(), " JACKS OR BETTER (PAYTABLE 1)");

  // A damaged line is told once as the engine starts, and the rest of the file plays.
  window.reset();
  std::ofstream(folder.DataFolder() / "Quelbin.dat", std::ios::app) << "[Bonus Poker]\n 1 2\n";
  test::TFakeWindows windows;
  const TGameEngine engine(*preferences, windows);
  ASSERT_EQ(windows.Problems.size(), 1u);
  EXPECT_NE(windows.Problems[0].find("(section [Bonus Poker], paytable 1): the line holds 2"),
            std::string::npos)
      << windows.Problems[0];
  EXPECT_EQ(engine.PayIndex(), 1);
}

// The chooser opens between rounds only. An edit of the table in play counts at once,
// even when the chooser is then cancelled.
TEST_F(PaytableChooser, MenuItemOnlyBetweenRoundsAndEditsCountOnCancel) {
  int opened = 0;
  const auto tryOpen = [&] {
    auto answer = AnswerNextDialog<TfChoose>([&](TfChoose* dialog) {
      ++opened;
      auto editor = AnswerNextDialog<TfEdit>([](TfEdit* edit) {
        edit->PayoutGrid->item(5, 1)->setText("9");  // full house 9 instead of 8
        edit->btnOK->click();
      });
      dialog->btnEdit->click();
      dialog->reject();
    });
    window->Menus.miSelectVP->trigger();
    QApplication::processEvents();
  };
  EXPECT_TRUE(window->Menus.miSelectVP->isEnabled());
  for (const bool between : {false, true}) {  // dealt, then drawn
    window->btnDealClick();
    EXPECT_EQ(window->Menus.miSelectVP->isEnabled(), between);
    tryOpen();
    EXPECT_EQ(opened, between ? 1 : 0);
  }
  EXPECT_EQ(Engine().State(), GameState::Finished);  // cancelled: the round stays
  EXPECT_EQ(Engine().GetPayout(5, 5), 45);
  EXPECT_EQ(window->PayoutGrid->CellLook(1, 5).Text.toStdString(), "9");
}

}  // namespace
}  // namespace tavrik
