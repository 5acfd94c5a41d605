#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "core/card.h"
#include "ui/dialogs/choice_dialog.h"
#include "ui/dialogs/deck_dialog.h"
#include "ui/dialogs/no_errors_dialog.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/card_button.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik::test {
namespace {

TEST_F(MainWindowTest, SpaceDealsAndDraws) {
  EXPECT_FALSE(window->Info->btnHint->isEnabled());
  EXPECT_FALSE(window->miAllHands->isEnabled());
  const int credits = Engine().Credits();

  QTest::keyClick(window.get(), Qt::Key_Space);
  ASSERT_EQ(Engine().State(), GameState::Dealt);
  EXPECT_EQ(window->Info->lCredit->text(), QString::number(credits - 5));
  EXPECT_EQ(window->Info->btnDeal->text(), "Draw");
  EXPECT_EQ(window->CardRow->lInfoLabel->text(), "PLEASE, SELECT CARDS TO HOLD");
  EXPECT_TRUE(window->Info->btnHint->isEnabled());
  EXPECT_TRUE(window->miAllHands->isEnabled());
  EXPECT_EQ(window->Info->MiniChart().Count(), 1);

  QTest::keyClick(window.get(), Qt::Key_Space);
  ASSERT_EQ(Engine().State(), GameState::Finished);
  EXPECT_EQ(window->Info->btnDeal->text(), "Deal");
  EXPECT_FALSE(window->miAllHands->isEnabled());
  EXPECT_EQ(window->CardRow->lInfoLabel->text(),
            Engine().Win() > 0 ? QString("YOU WIN %1").arg(Engine().Win()) : QString("GAME OVER"));
  EXPECT_EQ(window->Info->btnDoubleUp->isEnabled(), Engine().Win() > 0);
  EXPECT_EQ(Engine().Logger().RecordCount(), 0U);  // logged when collected

  QTest::keyClick(window.get(), Qt::Key_Space);
  EXPECT_EQ(Engine().State(), GameState::Dealt);
  EXPECT_EQ(Engine().Logger().RecordCount(), 1U);
  EXPECT_EQ(window->Info->lHands->text(), "1");

  // Without result hands the draw deals straight on; the drawn round is logged.
  window->ToggleOption(ShowResultHands);
  EXPECT_FALSE(window->miShowResultHands->isChecked());
  const auto firstCards = TableCards();
  QTest::keyClick(window.get(), Qt::Key_Space);
  EXPECT_EQ(Engine().State(), GameState::Dealt);
  EXPECT_EQ(Engine().Logger().RecordCount(), 2U);
  EXPECT_NE(TableCards(), firstCards);
  EXPECT_EQ(window->Info->lHands->text(), "2");

  // A change of game while dealt abandons the round unlogged and shows the new game idle.
  window->SelectGame(8);  // tens or better
  EXPECT_EQ(Engine().State(), GameState::NoRound);
  EXPECT_EQ(Engine().Logger().RecordCount(), 2U);
  EXPECT_EQ(window->lPokerName->text(), "TENS OR BETTER");
  EXPECT_TRUE(window->GameItems[8]->isChecked());
  EXPECT_EQ(window->CardRow->lInfoLabel->text(), "HELLO!");
  EXPECT_FALSE(window->miAllHands->isEnabled());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindowTest, HoldHintAndDoubleKeysActOnlyWhereAllowed) {
  for (const Qt::Key key : {Qt::Key_H, Qt::Key_D, Qt::Key_1, Qt::Key_Escape}) {
    QTest::keyClick(window.get(), key);  // no round: nothing
  }
  EXPECT_EQ(Engine().State(), GameState::NoRound);
  window->btnDealClick();
  ASSERT_EQ(Engine().HoldMask(), 31);  // training: nothing held after the deal
  // Number keys, main or keypad, toggle a hold; Esc releases them all; H takes the hint.
  // Key, modifiers, hold mask after it.
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> steps[] = {
      {Qt::Key_1, Qt::NoModifier, 31 & ~1},
      {Qt::Key_3, Qt::KeypadModifier, 31 & ~1 & ~4},
      {Qt::Key_1, Qt::NoModifier, 31 & ~4},
      {Qt::Key_5, Qt::NoModifier, 31 & ~4 & ~16},
      {Qt::Key_Escape, Qt::NoModifier, 31},
      {Qt::Key_2, Qt::NoModifier, 31 & ~2},
      {Qt::Key_H, Qt::NoModifier, Engine().Record().BestMask},
  };
  for (const auto& [key, modifiers, mask] : steps) {
    QTest::keyClick(window.get(), key, modifiers);
    EXPECT_EQ(Engine().HoldMask(), mask) << key;
  }
  EXPECT_GT(Engine().Record().HintReturn, 0.0);
  window->btnDealClick();
  ASSERT_EQ(Engine().State(), GameState::Finished);
  const int finalMask = Engine().HoldMask();
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_4}) QTest::keyClick(window.get(), key);
  EXPECT_EQ(Engine().HoldMask(), finalMask);  // holds change only while dealt

  // Real play hides the hint button, and its key does nothing.
  window->SelectMode(GameMode::RealPlay);
  EXPECT_FALSE(window->Info->btnHint->isVisible());
  window->btnDealClick();
  QTest::keyClick(window.get(), Qt::Key_H);
  EXPECT_EQ(Engine().HoldMask(), 31);
  EXPECT_EQ(Engine().Record().HintReturn, 0.0);
  window->btnDealClick();
  window->SelectMode(GameMode::AutoHold);
  EXPECT_TRUE(window->Info->btnHint->isVisible());
  EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindowTest, DoubleUpStartsOnlyWhenAllowedAndKeysPickACard) {
  ASSERT_TRUE(PlayUntilWin());
  const int win = Engine().Win();

  QTest::keyClick(window.get(), Qt::Key_D);
  ASSERT_EQ(Engine().State(), GameState::DoubleUp);
  EXPECT_EQ(window->CardRow->lInfoLabel->text(), "SELECT THE HIGHER CARD");
  EXPECT_FALSE(window->Info->btnDeal->isEnabled());
  EXPECT_FALSE(window->Info->btnDoubleUp->isEnabled());
  QTest::keyClick(window.get(), Qt::Key_Space);  // Deal disabled
  QTest::keyClick(window.get(), Qt::Key_1);      // the dealer's card cannot be picked
  EXPECT_EQ(Engine().State(), GameState::DoubleUp);
  // Bets do not change while the double is open.
  QTest::keyClick(window.get(), Qt::Key_Minus);
  EXPECT_EQ(Engine().Bet(), 5);

  const int dealer = TGameEngine::DoubleUpRank(Engine().GetCard(0), TDeck());
  const int picked = TGameEngine::DoubleUpRank(Engine().GetCard(2), TDeck());
  QTest::keyClick(window.get(), Qt::Key_3);
  ASSERT_EQ(Engine().State(), GameState::Finished);
  EXPECT_EQ(Engine().DoubleCount(), 1);
  EXPECT_EQ(Engine().Win(), picked > dealer ? 2 * win : (picked < dealer ? 0 : win));
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
  EXPECT_TRUE(Errors.empty());
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
      {Qt::Key_Plus, {}, 0, 5},  // no sixth coin
      {Qt::Key_Minus, {}, 0, 4},
      {Qt::Key_Minus, Qt::KeypadModifier, 0, 3},
      {0, {}, 1, 1},
      {Qt::Key_Minus, {}, 0, 1},
      {0, {}, 0, 1},  // the names column is no bet
      {0, {}, 4, 4},
      {Qt::Key_Space, {}, 0, 4},  // dealt: no change
      {Qt::Key_Plus, {}, 0, 4},
      {0, {}, 2, 4},
      {Qt::Key_Space, {}, 0, 4},
      {0, {}, 2, 2},  // drawn
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
  EXPECT_EQ(Engine().State(), GameState::Finished);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindowTest, GridMarksTheWinningRowAndTheBetColumn) {
  ASSERT_TRUE(PlayUntilWin());
  const int row = Engine().HandCategory();
  ASSERT_GE(row, 0);
  const auto look = [this](int column, int r) { return window->PayoutGrid->CellLook(column, r); };
  EXPECT_EQ(look(0, row).Background, 2);
  EXPECT_TRUE(look(0, row).Bold);
  EXPECT_EQ(look(0, row).TextColour, QColor(Qt::white));
  EXPECT_EQ(look(5, row).TextColour, QColor(Qt::white));  // the bet's column
  EXPECT_EQ(look(2, row).TextColour, QColor(0, 0, 128));  // navy elsewhere
  const int other = row == 0 ? 1 : 0;
  EXPECT_EQ(look(5, other).Background, 1);
  EXPECT_EQ(look(2, other).Background, 0);
  EXPECT_FALSE(look(2, other).Bold);
  EXPECT_EQ(look(3, other).Text, QString::number(Engine().GetPayout(other, 3)));

  // Columns and rows fill the grid exactly; the bet columns share 60 percent.
  int width = 0;
  for (const int w : window->PayoutGrid->ColumnWidths()) width += w;
  int height = 0;
  for (const int h : window->PayoutGrid->RowHeights()) height += h;
  EXPECT_EQ(width, window->PayoutGrid->width());
  EXPECT_EQ(height, window->PayoutGrid->height());
  EXPECT_EQ(static_cast<int>(window->PayoutGrid->RowHeights().size()), Engine().CategoryCount());
}

TEST_F(MainWindowTest, GridTextFitsItsCellsAndButtonsAreLevelWithTheCardsAtEverySize) {
  // The buttons start two pixels below the card tops, from the first show on.
  const auto buttonsLevel = [this] {
    return window->Info->btnHint->mapTo(window.get(), QPoint()).y() ==
           window->CardRow->Card(0)->mapTo(window.get(), QPoint()).y() + 2;
  };
  EXPECT_TRUE(buttonsLevel());
  for (const QSize size : {window->minimumSize(), QSize(676, 520), window->maximumSize()}) {
    window->resize(size);
    EXPECT_TRUE(buttonsLevel()) << size.width();
    for (const int game : {0, 3, 5, 6}) {
      window->SelectGame(game);
      QFont bold = window->PayoutGrid->GridFont();
      bold.setBold(true);
      const QFontMetrics metrics(bold);
      const int lowest = *std::min_element(window->PayoutGrid->RowHeights().begin(),
                                           window->PayoutGrid->RowHeights().end());
      EXPECT_LE(metrics.height(), lowest) << size.width() << " game " << game;
      for (int row = 0; row < Engine().CategoryCount(); ++row) {
        EXPECT_LE(metrics.horizontalAdvance(window->PayoutGrid->CellLook(0, row).Text),
                  window->PayoutGrid->ColumnWidths()[0])
            << size.width() << " " << window->PayoutGrid->CellLook(0, row).Text.toStdString();
      }
    }
  }
  EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindowTest, AnErrorInAClickHandlerIsReportedAndPlayGoesOn) {
  // Credits one bet above the lowest 32-bit number: the deal refuses to overflow them.
  Reload([](TIniFile& settings) {
    settings.WriteInteger("Params", "Credits", std::numeric_limits<int32_t>::min() + 2);
  });
  QTest::mouseClick(window->Info->btnDeal, Qt::LeftButton);
  ASSERT_EQ(Errors.size(), 1U);
  EXPECT_NE(Errors[0].find("Overflow of Credits\nDeal"), std::string::npos) << Errors[0];
  EXPECT_FALSE(window->IsDealing());
  // Reset asks first: Cancel keeps the counters, OK resets them.
  for (const bool ok : {false, true}) {
    auto answered = AnswerNextDialog<QMessageBox>([ok](QMessageBox* box) {
      EXPECT_TRUE(box->text().contains("2500"));
      box->button(ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
    });
    window->miResetBalance->trigger();
    EXPECT_TRUE(answered->Answered);
    EXPECT_EQ(Engine().Credits() == 2500, ok);
  }
  QTest::mouseClick(window->Info->btnDeal, Qt::LeftButton);
  EXPECT_EQ(Engine().State(), GameState::Dealt);
  EXPECT_EQ(Errors.size(), 1U);
}

TEST_F(MainWindowTest, BalanceAndCoinValueTexts) {
  // Balance in cents, coin value index; the two texts.
  const std::tuple<int, int, const char*, const char*> cases[] = {{-125, 3, "-$1.25", "$5.00"},
                                                                  {123450, 0, "$1234.50", "$0.25"}};
  for (const auto& [cents, value, balance, coin] : cases) {
    Reload([cents, value](TIniFile& settings) {
      settings.WriteInteger("Params", "Balance", cents);
      settings.WriteInteger("Params", "Value", value);
    });
    EXPECT_EQ(window->Info->lBalance->text(), balance);
    EXPECT_EQ(window->Info->lCoinCost->text(), coin);
  }
  EXPECT_EQ(window->Info->lAccuracy->text(), "100.00%");
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
  for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Minus, Qt::Key_D}) {
    QTest::keyClick(window.get(), key);
  }
  EXPECT_EQ(Engine().State(), GameState::Finished) << "no deal while the cards turn";
  EXPECT_EQ(Engine().Bet(), 5);
  window->close();
  EXPECT_FALSE(window->IsDealing());
  window.reset();
  TLogger logger;
  EXPECT_EQ(logger.RecordCount(), 1U);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindowTest, CoinValueIsChosenFromTheList) {
  auto answered = AnswerNextDialog<TfmChoice>([](TfmChoice* dialog) {
    EXPECT_EQ(dialog->ListBox->count(), 6);
    EXPECT_EQ(dialog->ListBox->item(5)->text(), " $100.00");
    EXPECT_EQ(dialog->ListBox->currentRow(), 0);
    dialog->ListBox->setCurrentRow(2);
    dialog->btnOK->click();
  });
  QTest::mouseClick(window->Info->lCoinCost, Qt::LeftButton);
  EXPECT_TRUE(answered->Answered);
  EXPECT_EQ(Engine().CoinValueIndex(), 2);
  EXPECT_EQ(window->Info->lCoinCost->text(), "$1.00");

  answered = AnswerNextDialog<TfmChoice>([](TfmChoice* dialog) {
    dialog->ListBox->setCurrentRow(5);
    dialog->btnCancel->click();
  });
  window->lCoinCostClick();
  EXPECT_TRUE(answered->Answered);
  EXPECT_EQ(Engine().CoinValueIndex(), 2);
}

TEST_F(MainWindowTest, ProblemHandsWithoutProblemsAskForAnotherMode) {
  // The mode picked (-1: cancel), the mode played then.
  const std::pair<int, GameMode> cases[] = {
      {1, GameMode::Training}, {2, GameMode::RealPlay}, {-1, GameMode::RealPlay}};
  for (const auto& [answer, expected] : cases) {
    auto answered = AnswerNextDialog<TfmNoErrors>([answer](TfmNoErrors* dialog) {
      EXPECT_TRUE(dialog->rbModes[0]->isChecked());
      if (answer < 0) {
        dialog->btnCancel->click();
      } else {
        dialog->rbModes[static_cast<size_t>(answer)]->setChecked(true);
        dialog->btnOK->click();
      }
    });
    window->SelectMode(GameMode::PlayErrorHands);
    EXPECT_TRUE(answered->Answered);
    EXPECT_EQ(Engine().Mode(), expected);
    EXPECT_TRUE(window->ModeItems[static_cast<size_t>(expected)]->isChecked());
  }
}

TEST_F(MainWindowTest, PlacementDeckAndBackAreKeptPerScreenSize) {
  window->resize(600, 480);
  window->PaintEngine().SetBack(3);
  window.reset();
  const TIniFile& settings = preferences->Settings;
  std::vector<std::string> placements;
  for (const std::string& section : settings.Sections()) {
    if (section.rfind("MainWindow ", 0) == 0) placements.push_back(section);
  }
  ASSERT_EQ(placements.size(), 1U);
  EXPECT_TRUE(QRegularExpression("^MainWindow \\d+#\\d+$")
                  .match(QString::fromStdString(placements[0]))
                  .hasMatch());
  const std::string& section = placements[0];
  EXPECT_EQ(settings.ReadInteger(section, "Width", 0), 600);
  EXPECT_EQ(settings.ReadInteger(section, "Height", 0), 480);
  EXPECT_EQ(settings.ReadString("Cards", "Deck", ""), "001");
  EXPECT_EQ(settings.ReadInteger("Cards", "Back", 0), 3);

  window = std::make_unique<TfTavrik20Main>(*preferences, TAVRIK_TEST_DATA_DIR);
  EXPECT_EQ(window->size(), QSize(600, 480));
  EXPECT_EQ(window->PaintEngine().BackIndex(), 3);
}

TEST(MainWindowFirstStart, TheDeckDialogOpensOnceWhenIdle) {
  TempFolder folder;
  TPreferences preferences;
  preferences.SetDealSpeed(0);
  auto answered = AnswerNextDialog<TfmDeckDialog>([](TfmDeckDialog* dialog) {
    dialog->SetCurrent("011");
    dialog->btnOK->click();
  });
  TfTavrik20Main window(preferences, TAVRIK_TEST_DATA_DIR);
  EXPECT_TRUE(window.DeckId.isEmpty());
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&answered] { return answered->Answered; }, 1000));
  EXPECT_EQ(window.DeckId, "011");
  EXPECT_EQ(window.PaintEngine().DeckId(), "011");

  // A deck in the settings: no dialog.
  preferences.Settings.WriteString("Cards", "Deck", "003");
  auto unexpected =
      AnswerNextDialog<TfmDeckDialog>([](TfmDeckDialog* dialog) { dialog->reject(); });
  TfTavrik20Main second(preferences, TAVRIK_TEST_DATA_DIR);
  second.show();
  QTest::qWait(50);
  EXPECT_FALSE(unexpected->Answered);
  EXPECT_EQ(second.PaintEngine().DeckId(), "003");
}

TEST(MainWindowStart, AnUnreadableLogIsToldOnceTheWindowIsUp) {
  TempFolder folder;
  std::filesystem::create_directories(folder.DataFolder() / "Tavrik.log");
  TPreferences preferences;
  preferences.SetDealSpeed(0);
  preferences.Settings.WriteString("Cards", "Deck", "001");
  QString message;
  auto answered = AnswerNextDialog<QMessageBox>([&message](QMessageBox* box) {
    message = box->text();
    box->accept();
  });
  TfTavrik20Main window(preferences, TAVRIK_TEST_DATA_DIR);
  EXPECT_FALSE(answered->Answered);  // not before the window shows
  window.show();
  EXPECT_TRUE(QTest::qWaitFor([&answered] { return answered->Answered; }, 1000));
  EXPECT_TRUE(message.contains("Tavrik.log")) << message.toStdString();
  window.btnDealClick();  // play goes on
  EXPECT_EQ(window.Engine().State(), GameState::Dealt);
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
  EXPECT_EQ(full.MinValue(), 1);
  EXPECT_EQ(full.MaxValue(), 1128);
  EXPECT_EQ(full.ValueY(1128), 3);  // the top, three pixels in
  EXPECT_EQ(full.ValueY(1), 57);    // the bottom
}

}  // namespace
}  // namespace tavrik::test
