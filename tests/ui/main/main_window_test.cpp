#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <fstream>
#include <iterator>
#include <numeric>

#include "core/card.h"
#include "core/data_files.h"
#include "ui/dialogs/choice_dialog.h"
#include "ui/dialogs/deck_dialog.h"
#include "ui/dialogs/no_errors_dialog.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/card_button.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik::test {
namespace {

// The deal button's caption; "+" or "-" for deal, hint, double-up and the all-hands item
// enabled; the status line.
std::string Shown(const TfTavrik20Main& window) {
  const TInfoColumn& info = *window.Info;
  std::string shown = info.btnDeal->text().toStdString() + " ";
  for (const bool enabled : {info.btnDeal->isEnabled(), info.btnHint->isEnabled(),
                             info.btnDoubleUp->isEnabled(), window.Menus.miAllHands->isEnabled()}) {
    shown += enabled ? '+' : '-';
  }
  return shown + " " + window.CardRow->lInfoLabel->text().toStdString();
}

// The info column's values: credits, win, bet, hands, coin value, accuracy, balance.
std::string Values(const TfTavrik20Main& window) {
  const TInfoColumn& info = *window.Info;
  std::string values;
  for (const QLabel* label : {info.lCredit, info.lWin, info.lBet, info.lHands, info.lCoinCost,
                              info.lAccuracy, info.lBalance, info.lCost}) {
    values += label->text().toStdString() + " ";
  }
  return values;
}

TEST_F(MainWindowTest, KeysAndMenusPlayTheRoundAndTheWindowShowsEachState) {
  Press({Qt::Key_H, Qt::Key_D, Qt::Key_1, Qt::Key_Escape});  // no round: nothing
  EXPECT_EQ(Shown(*window), "Deal +--- HELLO!");
  Press({Qt::Key_Space});
  ASSERT_EQ(Engine().State(), GameState::Dealt);
  EXPECT_EQ(Shown(*window), "Draw ++-+ PLEASE, SELECT CARDS TO HOLD");
  EXPECT_EQ(Values(*window), "2495 0 5 0 $0.25 100.00% $0.00  ");
  EXPECT_EQ(window->Info->MiniChart().Count(), 1);
  // Number keys, main or keypad, toggle a hold; Esc releases them all; H takes the hint.
  // Key, modifiers, hold mask after it.
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> steps[] = {
      {Qt::Key_1, Qt::NoModifier, 31 & ~1},
      {Qt::Key_3, Qt::KeypadModifier, 31 & ~5},
      {Qt::Key_5, Qt::NoModifier, 31 & ~21},
      {Qt::Key_Escape, Qt::NoModifier, 31},
      {Qt::Key_H, Qt::NoModifier, Engine().Record().BestMask},
  };
  for (const auto& [key, modifiers, mask] : steps) {
    QTest::keyClick(window.get(), key, modifiers);
    EXPECT_EQ(Engine().HoldMask(), mask) << key;
  }
  Press({Qt::Key_Space});
  ASSERT_EQ(Engine().State(), GameState::Finished);
  const int win = Engine().Win();
  EXPECT_EQ(Shown(*window),
            win > 0 ? "Deal +-+- YOU WIN " + std::to_string(win) : "Deal +--- GAME OVER");
  Press({Qt::Key_Escape, Qt::Key_4});
  EXPECT_EQ(Engine().HoldMask(), Engine().Record().BestMask);
  EXPECT_EQ(window->Info->lCost->text(), "0.00 coins") << "the best hold costs nothing";
  // Drawn holding nothing: the info column tells what that cost.
  Press({Qt::Key_Space, Qt::Key_Space});
  const TLogRecord& round = Engine().Record();
  ASSERT_GT(round.BestReturn - round.PlayerReturn, 0.005);
  EXPECT_EQ(window->Info->lCost->text(),
            QString::asprintf("%.2f coins", round.PlayerReturn - round.BestReturn));

  // Double-up: the dealer's card cannot be picked, nor can the round or the bet change.
  ASSERT_TRUE(PlayUntilWin());
  Press({Qt::Key_D});
  ASSERT_EQ(Engine().State(), GameState::DoubleUp);
  EXPECT_EQ(Shown(*window), "Deal ---- SELECT THE HIGHER CARD");
  Press({Qt::Key_Space, Qt::Key_1, Qt::Key_Minus});
  EXPECT_EQ(Engine().State(), GameState::DoubleUp);
  EXPECT_EQ(Engine().Bet(), 5);
  const int dealer = TGameEngine::DoubleUpRank(Engine().GetCard(0), TDeck());
  const int picked = TGameEngine::DoubleUpRank(Engine().GetCard(2), TDeck());
  Press({Qt::Key_3});
  ASSERT_EQ(Engine().State(), GameState::Finished);
  EXPECT_EQ(window->Info->lWin->text(), QString::number(Engine().Win()));
  EXPECT_TRUE(window->Info->btnDeal->isEnabled());
  // The outcome is said, and the next deal takes the Double button away at once.
  const QString said = picked > dealer   ? QString("YOU WIN %1").arg(Engine().Win())
                       : picked < dealer ? QString("YOU LOSE")
                                         : QString("PUSH");
  EXPECT_EQ(window->CardRow->lInfoLabel->text(), said);
  preferences->SetDealSpeed(200);
  window->btnDealClick();
  EXPECT_TRUE(window->IsDealing());
  EXPECT_FALSE(window->Info->btnDoubleUp->isEnabled());
  window->CardRow->Finish();
  EXPECT_EQ(Engine().DoublePick(), -1);
  preferences->SetDealSpeed(0);
  Press({Qt::Key_Space});

  // Real play hides the hint button, and its key does nothing.
  window->Menus.ModeItems[2]->trigger();
  EXPECT_FALSE(window->Info->btnHint->isVisible());
  EXPECT_EQ(window->Info->lMode->text(), "REAL PLAY") << "the mode is always in sight";
  Press({Qt::Key_Space, Qt::Key_H});
  EXPECT_EQ(Engine().HoldMask(), 31);
  window->Menus.ModeItems[0]->trigger();
  EXPECT_TRUE(window->Info->btnHint->isVisible());
  window->Menus.miShowResultHands->trigger();
  EXPECT_FALSE(Engine().HasOption(ShowResultHands));
  EXPECT_FALSE(window->Menus.miShowResultHands->isChecked());
  // A change of game shows the new game idle.
  window->Menus.GameItems[8]->trigger();
  EXPECT_EQ(Engine().GameType(), GAME_TENS_OR_BETTER);
  EXPECT_EQ(window->lPokerName->text(), "TENS OR BETTER");
  EXPECT_TRUE(window->Menus.GameItems[8]->isChecked());
  EXPECT_EQ(Shown(*window), "Deal +--- HELLO!");
}

TEST_F(MainWindowTest, BetChangesOnlyBetweenRounds) {
  const auto clickColumn = [this](int column) {
    const auto& widths = window->PayoutGrid->ColumnWidths();
    int x = 0;
    for (int c = 0; c < column; ++c) x += widths[static_cast<size_t>(c)];
    QTest::mouseClick(window->PayoutGrid, Qt::LeftButton, Qt::KeyboardModifiers(),
                      QPoint(x + widths[static_cast<size_t>(column)] / 2, 5));
  };
  // A key and its modifiers, or a click on a paytable column when the key is 0; the bet after it.
  const std::tuple<int, Qt::KeyboardModifiers, int, int> steps[] = {
      {Qt::Key_Minus, {}, 0, 4},
      {Qt::Key_Minus, Qt::KeypadModifier, 0, 3},
      {Qt::Key_Equal, {}, 0, 4},
      {0, {}, 1, 1},
      {0, {}, 0, 1},  // the names column is no bet
      {Qt::Key_Plus, {}, 0, 2},
      {Qt::Key_Space, {}, 0, 2},  // dealt: no change
      {0, {}, 4, 2},
      {Qt::Key_Space, {}, 0, 2},
      {0, {}, 4, 4},  // drawn
  };
  for (const auto& [key, modifiers, column, bet] : steps) {
    if (key != 0) {
      QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
    } else {
      clickColumn(column);
    }
    EXPECT_EQ(Engine().Bet(), bet) << key << " " << column;
    EXPECT_EQ(window->Info->lBet->text(), QString::number(bet));
    EXPECT_EQ(window->PayoutGrid->CellLook(bet, 0).Background, 1);  // the bet's column
  }
}

TEST_F(MainWindowTest, GridMarksTheWinningRowAndTheBetColumn) {
  ASSERT_TRUE(PlayUntilWin());
  const int row = Engine().HandCategory();
  ASSERT_GE(row, 0);
  const int other = row == 0 ? 1 : 0;
  const QColor navy(0, 0, 128);
  // Column, row; background, bold, text colour (invalid: the window's text colour).
  const std::tuple<int, int, int, bool, QColor> cells[] = {
      {0, row, 2, true, Qt::white},
      {5, row, 2, true, Qt::white},  // 5: the bet's column
      {2, row, 2, true, navy},
      {5, other, 1, false, navy},
      {2, other, 0, false, QColor()}};
  for (const auto& [column, r, background, bold, colour] : cells) {
    const auto look = window->PayoutGrid->CellLook(column, r);
    EXPECT_EQ(look.Background, background) << column << " " << r;
    EXPECT_EQ(look.Bold, bold) << column << " " << r;
    EXPECT_TRUE(!colour.isValid() || look.TextColour == colour) << column << " " << r;
  }
  EXPECT_EQ(window->PayoutGrid->CellLook(3, other).Text,
            QString::number(Engine().GetPayout(other, 3)));
}

TEST_F(MainWindowTest, TheTableGrowsWithTheWindowAndNothingOverlapsAtAnySize) {
  const TPaytableGrid& grid = *window->PayoutGrid;
  const TInfoColumn& info = *window->Info;
  const auto at = [this](const QWidget* widget) {  // the place of a widget in the window
    return QRect(widget->mapTo(window.get(), QPoint()), widget->size());
  };
  int lastCardWidth = 0;
  Press({Qt::Key_Space});
  for (const QSize size : {window->minimumSize(), QSize(800, 600), QSize(1920, 1080)}) {
    window->resize(size);
    SCOPED_TRACE(size.width());
    const QRect table = at(window->centralWidget()), title = at(window->lPokerName);
    const QRect gridArea = at(&grid), cardRow = at(window->CardRow), column = at(&info);
    EXPECT_EQ(gridArea.top(), title.bottom() + 1) << "no band above the grid";
    const QRect parts[] = {title, gridArea, cardRow, column};
    for (size_t a = 0; a < std::size(parts); ++a) {
      EXPECT_TRUE(table.contains(parts[a])) << a;
      for (size_t b = a + 1; b < std::size(parts); ++b) {
        EXPECT_FALSE(parts[a].intersects(parts[b])) << a << " " << b;
      }
    }
    // The cards lie side by side in the row, growing with the window; the buttons stand
    // in the column below the last value row, two pixels below the card tops.
    const int cardWidth = window->CardRow->Card(0)->width();
    EXPECT_GT(cardWidth, lastCardWidth);
    lastCardWidth = cardWidth;
    for (int position = 0; position < 5; ++position) {
      const QRect card = at(window->CardRow->Card(position));
      EXPECT_TRUE(cardRow.contains(card)) << position;
      const QWidget* left = position == 0 ? nullptr : window->CardRow->Card(position - 1);
      EXPECT_GT(card.left(), left == nullptr ? cardRow.left() - 1 : at(left).right());
      EXPECT_EQ(window->CardRow->Card(position)->pixmap().deviceIndependentSize().toSize(),
                card.size());
      // Painted from art no more than a quarter smaller than shown; the table shows in
      // the corners outside the face's rounded edge.
      const QImage& face = window->CardRow->Face(position);
      EXPECT_GE(5 * face.height(), 4 * card.height());
      EXPECT_EQ(face.pixel(face.width() - 1, 0), window->palette().color(QPalette::Window).rgb());
    }
    int below = at(info.lCost).bottom();
    for (const QWidget* button : {info.btnHint, info.btnDoubleUp, info.btnDeal}) {
      const QRect area = at(button);
      EXPECT_TRUE(column.contains(area));
      EXPECT_GT(area.top(), below);
      below = area.bottom();
    }
    EXPECT_EQ(at(info.btnHint).top(), at(window->CardRow->Card(0)).top() + 2);
    // The grid fills its area and its text fits at every size and game.
    for (const int game : {0, 3, 5, 6}) {
      window->Menus.GameItems[static_cast<size_t>(game)]->trigger();
      const auto& widths = grid.ColumnWidths();
      const auto& heights = grid.RowHeights();
      EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), grid.width());
      EXPECT_EQ(std::accumulate(heights.begin(), heights.end(), 0), grid.height());
      ASSERT_EQ(static_cast<int>(heights.size()), Engine().CategoryCount());
      QFont bold = grid.GridFont();
      bold.setBold(true);
      const QFontMetrics metrics(bold);
      EXPECT_LE(metrics.height(), *std::min_element(heights.begin(), heights.end())) << game;
      for (int row = 0; row < Engine().CategoryCount(); ++row) {
        EXPECT_LE(metrics.horizontalAdvance(grid.CellLook(0, row).Text), widths[0])
            << grid.CellLook(0, row).Text.toStdString();
      }
    }
    // A click on a card at this size holds it.
    Press({Qt::Key_Space});
    ASSERT_EQ(Engine().State(), GameState::Dealt);
    QTest::mouseClick(window->CardRow->Card(4), Qt::LeftButton);
    EXPECT_EQ(Engine().HoldMask(), 31 & ~16);
    Press({Qt::Key_Space});
  }
  EXPECT_GT(grid.GridFont().pixelSize(), QFontInfo(window->font()).pixelSize())
      << "the grid's font grows";
}

TEST_F(MainWindowTest, AnErrorInAClickHandlerIsReportedAndPlayGoesOn) {
  // A hand log that cannot be cleared: its folder has become a file.
  Reload([](TIniFile& settings) { settings.WriteInteger("Params", "Credits", 7); });
  const auto data = folder.DataFolder();
  std::filesystem::create_directories(data.parent_path());
  std::ofstream(data) << "x";
  auto confirmed = AnswerNextDialog<QMessageBox>(
      [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
  window->Menus.miClearAllRecords->trigger();
  ASSERT_EQ(Errors.size(), 1U);
  EXPECT_NE(Errors[0].find("ClearLog"), std::string::npos) << Errors[0];
  Errors.clear();
  std::filesystem::remove(data);
  // Reset asks first: Cancel keeps the counters, OK resets them.
  for (const bool ok : {false, true}) {
    Answer<QMessageBox>(window->Menus.miResetBalance, [ok](QMessageBox* box) {
      EXPECT_TRUE(box->text().contains("2500"));
      box->button(ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(Engine().Credits() == 2500, ok);
  }
  QTest::mouseClick(window->Info->btnDeal, Qt::LeftButton);
  EXPECT_EQ(Engine().State(), GameState::Dealt);
}

// The balance and coin value as shown; the coin value chosen from its list.
TEST_F(MainWindowTest, BalanceAndCoinValueTextsAndTheCoinValueList) {
  preferences->AutosaveFlags |= AUTOSAVE_HANDS;
  // Balance in cents, coin value index, hands; the values shown.
  const std::tuple<int, int, int, const char*> cases[] = {
      {-125, 3, 7, "2500 0 5 7 $5.00 100.00% -$1.25  "},
      {123450, 0, 0, "2500 0 5 0 $0.25 100.00% $1234.50  "}};
  for (const auto& [cents, value, hands, shown] : cases) {
    Reload([cents, value, hands](TIniFile& settings) {
      settings.WriteInteger("Params", "Balance", cents);
      settings.WriteInteger("Params", "Value", value);
      settings.WriteInteger("Params", "Hands", hands);
    });
    EXPECT_EQ(Values(*window), shown);
  }
  // The row picked, OK or cancel; the coin value then.
  const auto click = [this] { QTest::mouseClick(window->Info->lCoinCost, Qt::LeftButton); };
  for (const auto& [row, ok, value] : {std::tuple{2, true, "$1.00"}, {5, false, "$1.00"}}) {
    Answer<TfmChoice>(click, [row, ok](TfmChoice* dialog) {
      EXPECT_EQ(dialog->ListBox->count(), 6);
      EXPECT_EQ(dialog->ListBox->item(5)->text(), " $100.00");
      EXPECT_EQ(dialog->ListBox->currentRow(), ok ? 0 : 2);
      dialog->ListBox->setCurrentRow(row);
      (ok ? dialog->btnOK : dialog->btnCancel)->click();
    });
    EXPECT_EQ(window->Info->lCoinCost->text(), value);
  }
}

TEST_F(MainWindowTest, DealingSequenceIgnoresInputAndAClosedWindowStillLogsTheRound) {
  preferences->SetDealSpeed(40);
  window->btnDealClick();  // the cards turn one by one with pauses between them
  ASSERT_TRUE(window->IsDealing());
  window->btnHintClick();
  EXPECT_EQ(Engine().Record().HintReturn, 0.0) << "no hint while the cards turn";
  EXPECT_TRUE(QTest::qWaitFor([this] { return !window->IsDealing(); }, 2000));

  window->btnDealClick();  // the draw, closed while its cards turn
  ASSERT_TRUE(window->IsDealing());
  ASSERT_EQ(Engine().State(), GameState::Finished);
  Press({Qt::Key_Space, Qt::Key_Minus, Qt::Key_D});
  EXPECT_EQ(Engine().State(), GameState::Finished) << "no deal while the cards turn";
  EXPECT_EQ(Engine().Bet(), 5);
  QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);  // Quit
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->IsDealing());
  window.reset();
  EXPECT_EQ(TLogger().RecordCount(), 1U);
}

TEST_F(MainWindowTest, AboutNamesVersionLibrariesAndDataFolder) {
  const TMessageBoxes boxes;
  window->Menus.miAbout->trigger();
  ASSERT_EQ(boxes.Shown.size(), 1);
  for (const QString& part : {QString("Tavrik 2.0"), QString("Qt ") + qVersion(), QString("zlib"),
                              QString("LGPL"), QString::fromStdString(DataFolder().string())}) {
    EXPECT_TRUE(boxes.Shown[0].contains(part)) << part.toStdString();
  }
}

TEST_F(MainWindowTest, ProblemHandsWithoutProblemsAskForAnotherMode) {
  // Real play picked, then cancel: real play stays.
  for (const int answer : {2, -1}) {
    Answer<TfmNoErrors>(window->Menus.ModeItems[3], [answer](TfmNoErrors* dialog) {
      EXPECT_TRUE(dialog->rbModes[0]->isChecked());
      if (answer >= 0) dialog->rbModes[static_cast<size_t>(answer)]->setChecked(true);
      (answer >= 0 ? dialog->btnOK : dialog->btnCancel)->click();
    });
    EXPECT_EQ(Engine().Mode(), GameMode::RealPlay);
    EXPECT_TRUE(window->Menus.ModeItems[static_cast<size_t>(GameMode::RealPlay)]->isChecked());
  }
}

TEST_F(MainWindowTest, PlacementDeckAndBackAreKeptPerScreenSize) {
  window->resize(600, 480);
  window->PaintEngine().SetBack(3);
  window.reset();
  const TIniFile& settings = preferences->Settings;
  QStringList sections;
  for (const std::string& name : settings.Sections()) sections << QString::fromStdString(name);
  const QStringList placements = sections.filter(QRegularExpression("^MainWindow "));
  ASSERT_EQ(placements.size(), 1);
  EXPECT_TRUE(placements[0].contains(QRegularExpression("^MainWindow \\d+#\\d+$")));
  EXPECT_EQ(settings.ReadInteger(placements[0].toStdString(), "Width", 0), 600);
  EXPECT_EQ(settings.ReadInteger(placements[0].toStdString(), "Height", 0), 480);
  EXPECT_EQ(settings.ReadString("Cards", "Deck", ""), "001");
  EXPECT_EQ(settings.ReadInteger("Cards", "Back", 0), 3);

  window = std::make_unique<TfTavrik20Main>(*preferences, TAVRIK_TEST_DATA_DIR);
  EXPECT_EQ(window->size(), QSize(600, 480));
  EXPECT_EQ(window->PaintEngine().BackIndex(), 3);
}

// A problem found while starting and, on a first start, the deck dialog wait until the
// window shows.
TEST(MainWindowStart, ProblemsAndTheFirstDeckDialogComeOnceTheWindowIsUp) {
  TempFolder folder;
  std::filesystem::create_directories(folder.DataFolder() / "Tavrik.log");
  TPreferences preferences;
  preferences.SetDealSpeed(0);
  const TMessageBoxes boxes;
  auto asked = AnswerNextDialog<TfmDeckDialog>([](TfmDeckDialog* dialog) {
    EXPECT_TRUE(dialog->lReason->isVisible()) << "the first start says why it asks";
    EXPECT_TRUE(dialog->lReason->text().startsWith("Welcome!"));
    dialog->SetCurrent("011");
    dialog->btnOK->click();
  });
  TfTavrik20Main window(preferences, TAVRIK_TEST_DATA_DIR);
  EXPECT_TRUE(window.CardLook().DeckId().isEmpty());
  EXPECT_FALSE(!boxes.Shown.empty() || asked->Answered);
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.Shown.empty() && asked->Answered; }, 1000));
  EXPECT_TRUE(boxes.Shown[0].contains("Tavrik.log")) << boxes.Shown[0].toStdString();
  EXPECT_EQ(window.CardLook().DeckId(), "011");
  EXPECT_EQ(window.PaintEngine().DeckId(), "011");
  EXPECT_EQ(window.lPokerName->text(), "JACKS OR BETTER");

  // A readable log and a deck in the settings: no dialog.
  std::filesystem::remove(folder.DataFolder() / "Tavrik.log");
  preferences.Settings.WriteString("Cards", "Deck", "003");
  auto unexpected = AnswerNextDialog<QDialog>([](QDialog* dialog) { dialog->reject(); });
  TfTavrik20Main second(preferences, TAVRIK_TEST_DATA_DIR);
  second.show();
  QTest::qWait(50);
  EXPECT_FALSE(unexpected->Answered || boxes.Shown.size() > 1);
  EXPECT_EQ(second.PaintEngine().DeckId(), "003");
}

// Files that cannot be written when the program ends: a close by the player is told so
// before the window goes; a close on a signal and the window's end open no window at all,
// and what went wrong is told at the next start.
TEST_F(MainWindowTest, ShutdownNeverWaitsForThePlayer) {
  const auto data = folder.DataFolder();
  const auto writable = [&](bool yes) {  // the data folder, or a file in its place
    if (yes) std::filesystem::remove(data);
    std::filesystem::create_directories(yes ? folder.Path() / "moved" : data);
    std::filesystem::rename(yes ? folder.Path() / "moved" : data,
                            yes ? data : folder.Path() / "moved");
    if (!yes) std::ofstream(data) << "x";
  };
  auto boxes = std::make_unique<TMessageBoxes>();
  window->btnDealClick();
  writable(false);
  window->close();
  ASSERT_EQ(boxes->Shown.size(), 1);
  EXPECT_TRUE(boxes->Shown[0].contains("settings file cannot be written"));

  // A drawn round is on the table when a signal ends the program.
  window->show();
  window->btnDealClick();
  writable(true);
  window->btnDealClick();
  ASSERT_EQ(Engine().State(), GameState::Finished);
  writable(false);
  window->CloseOnSignal();
  window.reset();
  EXPECT_EQ(boxes->Shown.size(), 1);
  writable(true);
  preferences->Save();  // as the program does at its very end
  preferences = std::make_unique<TPreferences>();
  boxes = std::make_unique<TMessageBoxes>();
  window = std::make_unique<TfTavrik20Main>(*preferences, TAVRIK_TEST_DATA_DIR);
  window->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes->Shown.size() == 2; }, 1000));
  EXPECT_TRUE(boxes->Shown[0].contains("hand log cannot be written"));
  EXPECT_TRUE(boxes->Shown[1].contains("settings of this session are lost"));
}

// Damaged deck and backs files: the program starts with the built-in faces and a plain
// back, tells each file once, and keeps the player's deck for when the file is mended.
TEST(MainWindowStart, DamagedCardFilesAreToldAndThePlayersDeckIsKept) {
  TempFolder folder;
  const auto data = folder.Path() / "cards";
  std::filesystem::create_directories(data);
  for (const char* name : {"deck.001", "deck.011", "back.001"}) {
    WriteFileAtomically(data / name, "damaged");
  }
  TPreferences preferences;
  preferences.Settings.WriteString("Cards", "Deck", "011");
  TMessageBoxes boxes;
  {
    TfTavrik20Main window(preferences, data);
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.Shown.size() == 3; }, 1000));
    window.btnDealClick();
    EXPECT_EQ(window.Engine().State(), GameState::Dealt);
  }
  for (const char* name : {"deck.011", "deck.001", "back.001"}) {
    EXPECT_TRUE(boxes.Shown.join("\n").contains(name)) << name;
  }
  EXPECT_EQ(preferences.Settings.ReadString("Cards", "Deck", ""), "011");
}

TEST(MiniChart, KeepsTheLast128PointsAndCentresAFlatLine) {
  TMiniChart chart(130, 60);
  for (int i = 0; i < 50; ++i) chart.AddPoint(2500, 2500);
  // A flat history sits in the middle of the picture.
  EXPECT_EQ(chart.ValueY(2500), 30);
  EXPECT_EQ(chart.Image().pixel(20, 30), TMiniChart::PlayerColour);

  TMiniChart full(130, 60);
  for (int i = 0; i < 129; ++i) full.AddPoint(i, 1000 + i);
  EXPECT_EQ(full.Count(), 128);
  EXPECT_EQ(full.PerfectPoint(0), 1);
  EXPECT_EQ(full.PlayerPoint(127), 1128);
  EXPECT_EQ(full.ValueY(1128), 3);  // the top, three pixels in
  EXPECT_EQ(full.ValueY(1), 57);    // the bottom
  // Twice the size: the points spread over the width, the flat line stays in the middle.
  chart.Resize(260, 120);
  EXPECT_EQ(chart.ValueY(2500), 60);
  EXPECT_EQ(chart.Image().pixel(2 * 49, 60), TMiniChart::PlayerColour);
}

}  // namespace
}  // namespace tavrik::test
