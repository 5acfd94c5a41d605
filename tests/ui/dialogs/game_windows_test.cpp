// The all-hands table, the warning, the list chooser and the text helpers.
#include <QCheckBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

#include "core/card.h"
#include "ui/dialogs/all_hands.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/dialogs/warning_window.h"
#include "ui/ui_test_support.h"
#include "ui/widgets/gradient_label.h"
#include "ui/widgets/my_track_bar.h"
#include "ui/widgets/text_format.h"

namespace tavrik::test {
namespace {

// Deals until the best hold is clearly better than drawing five (so that a warning is
// due for a hold of nothing).
void DealWithAClearBestHold(TfTavrik20Main& window) {
  const TGameEngine& engine = window.Engine();
  for (int hand = 0; hand < 100; ++hand) {
    window.btnDealClick();
    if (engine.BestHoldReturn() - engine.CurrentHoldReturn() > 0.5) return;
    window.btnDealClick();
  }
  FAIL() << "no deal with a clear best hold";
}

TEST(TextFormat, FillsOnlyTheDirectivesItKnows) {
  // Format, arguments, text.
  const std::tuple<const char*, QStringList, const char*> cases[] = {
      {"%d and %d", {"1"}, "1 and %d"},  // no argument left: copied
      {"%x %n %s", {"a"}, "%x %n a"},    // unknown directives are copied
      {"100%", {}, "100%"},
      {"", {"unused"}, ""},
  };
  for (const auto& [format, arguments, expected] : cases) {
    EXPECT_EQ(FormatText(format, arguments), QString(expected)) << format;
  }
}

TEST(WarningTexts, ReturnsPerCoinInPercentAndDollars) {
  const QString format = "less by $%s (%s%% of bet)";
  // Current and best return, bet, coin value; the three texts.
  const std::tuple<double, double, int, double, const char*, const char*, const char*> cases[] = {
      {4.9, 5.0, 5, 0.25, "  98.00000%", "$1.25000", "less by $0.02500 (2.00000% of bet)"},
      {4.875, 5.0, 5, 1.0, "  97.50000%", "$5.00000", "less by $0.12500 (2.50000% of bet)"},
      {0.5, 1.5, 1, 100.0, "  50.00000%", "$150.00000", "less by $100.00000 (100.00000% of bet)"},
  };
  for (const auto& [current, best, bet, coin, myEV, bestDollars, comment] : cases) {
    const TWarningTexts texts = MakeWarningTexts(current, best, bet, coin, format);
    EXPECT_EQ(texts.MyEV, myEV);
    EXPECT_EQ(texts.BestEVDollars, bestDollars);
    EXPECT_EQ(texts.Comment, comment);
  }
}

TEST_F(MainWindowTest, WarningAnswersReachThePlayAndTheMenu) {
  // Apply takes the best hold; cancel keeps the player's hold, and with "don't show" ticked
  // stops the warnings. (The engine's own tests check what each answer does to the round.)
  const auto deal = [this] { window->btnDealClick(); };
  for (const bool apply : {true, false}) {
    SCOPED_TRACE(apply);
    Engine().SetOption(ShowWarnings, false);  // a warning while looking for a deal would wait
    DealWithAClearBestHold(*window);
    Engine().SetOption(ShowWarnings, true);
    const int best = Engine().Record().BestMask;
    Answer<TfWarning>(deal, [apply](TfWarning* warning) {
      EXPECT_FALSE(warning->cbWarnings->isChecked());
      EXPECT_TRUE(warning->lComment->text().startsWith("Your expected return is $"));
      warning->cbWarnings->setChecked(!apply);
      (apply ? warning->btnApply : warning->btnCancel)->click();
    });
    EXPECT_EQ(Engine().Record().PlayerMask, apply ? best : 31);
    EXPECT_EQ(Engine().HasOption(ShowWarnings), apply);
    EXPECT_EQ(window->Menus.miShowWarnings->isChecked(), apply);
  }
}

TEST_F(MainWindowTest, AllHandsSelectsThePlayersHoldAndSorts) {
  DealWithAClearBestHold(*window);
  Engine().ToggleHold(0);  // keep the first card only
  TfmAllHands allHands(Engine(), *preferences);
  TAllHandsTable& table = *allHands.Table;
  ASSERT_EQ(table.Rows.size(), 32U);
  EXPECT_EQ(table.SelectedMask(), 30);
  EXPECT_EQ(table.Grid->columnCount(), Engine().CategoryCount() + 3);
  const auto returnsInOrder = [&table](bool descending) {
    return std::is_sorted(table.Rows.begin(), table.Rows.end(), [descending](auto& a, auto& b) {
      return descending ? a.ExpectedReturn > b.ExpectedReturn : a.ExpectedReturn < b.ExpectedReturn;
    });
  };
  EXPECT_TRUE(returnsInOrder(true));
  EXPECT_EQ(table.Rows.front().Mask, Engine().Record().BestMask);
  EXPECT_EQ(table.Grid->item(0, 1)->text().trimmed(),
            QString::asprintf("%.5f", static_cast<double>(100 * table.Rows.front().ExpectedReturn /
                                                          Engine().Bet())));

  for (const bool descending : {false, true}) {  // already descending: worst first, then back
    table.GridFixedCellClick(1);
    EXPECT_EQ(table.SortColumn, descending ? 2 : -2);
    EXPECT_TRUE(returnsInOrder(descending));
    EXPECT_EQ(table.SelectedMask(), 30);
    EXPECT_EQ(table.Grid->horizontalHeader()->sortIndicatorOrder(),
              descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  }

  // Keeping all five: one draw, ending in the dealt hand's own category.
  const THandStat& keepAll = *std::find_if(table.Rows.begin(), table.Rows.end(),
                                           [](const THandStat& row) { return row.Mask == 0; });
  EXPECT_EQ(keepAll.HoldText, "00000");
  const int own = Engine().HandCategory() >= 0 ? Engine().HandCategory() : Engine().CategoryCount();
  for (int c = 0; c <= Engine().CategoryCount(); ++c) {
    EXPECT_EQ(HandStatText(keepAll, c + 2, 0), c == own ? "1" : "- ") << c;
  }
  EXPECT_EQ(HandStatText(keepAll, own + 2, 1), "100.0000");
}

// The wild cards are painted with their own face; the all-hands table of a wild game lists
// the wild categories.
TEST_F(MainWindowTest, JokersAndWildCardsArePaintedAndCounted) {
  // Deals in a wild game until a card of `rank` shows; its position, -1 when none did.
  const auto dealUntil = [this](int game, int rank) {
    window->SelectGame(game);
    for (int hand = 0; hand < 300; ++hand) {
      window->btnDealClick();
      for (int position = 0; position < 5; ++position) {
        if (CardFromIndex(Engine().GetCard(position)).Rank == rank) return position;
      }
      window->btnDealClick();
    }
    return -1;
  };
  const int joker = dealUntil(7, CardFromIndex(FirstJokerIndex).Rank);  // joker poker
  ASSERT_GE(joker, 0);
  EXPECT_FALSE(window->CardRow->Card(joker)->pixmap().isNull());
  const int deuce = dealUntil(3, 0);  // deuces wild: a deuce is drawn with the wild face
  ASSERT_GE(deuce, 0);
  const QImage& shown = window->CardRow->Face(deuce);
  const int suit = CardFromIndex(Engine().GetCard(deuce)).Suit;
  const bool held = !Engine().IsReplaced(deuce);
  const QRect inside = shown.rect().adjusted(8, 8, -8, -8);  // the corners show the table
  EXPECT_EQ(shown.copy(inside), window->PaintEngine().CardImage(held, true, suit, 0).copy(inside));
  EXPECT_NE(shown.copy(inside), window->PaintEngine().CardImage(held, false, suit, 0).copy(inside));
  const TfmAllHands allHands(Engine(), *preferences);
  const auto natural = allHands.Table->ColumnTitles.indexOf("Natural Royal Flush");
  ASSERT_GE(natural, 2);
  EXPECT_EQ(allHands.Table->ColumnTitles[natural + 2], "Wild Royal Flush");
}

TEST(AllHands, TiesGoByReplacedCardsThenHoldText) {
  const auto row = [](int mask, long double value) {
    THandStat stat;
    stat.Mask = mask;
    for (int i = 0; i < 5; ++i) stat.HoldText += ((mask >> i) & 1) != 0 ? '1' : '0';
    stat.ReplacedCount = static_cast<int>(stat.HoldText.count('1'));
    stat.ExpectedReturn = value;
    stat.HitCount[0] = static_cast<int64_t>(value);
    return stat;
  };
  // Two rows, the sort column, which comes first (1: the second row).
  const std::tuple<THandStat, THandStat, int, int> cases[] = {
      {row(1, 2), row(3, 1), 2, -1},  // larger return first
      {row(1, 2), row(3, 1), -2, 1},  // ascending: smaller first
      {row(1, 2), row(3, 2), 2, 1},   // tie: more replaced first
      {row(1, 2), row(2, 2), 2, -1},  // tie, same count: "10000" above "01000"
      {row(2, 2), row(1, 2), 2, 1},  {row(1, 5), row(3, 5), 1, 1},  // hands column
      {row(6, 1), row(1, 9), 3, 1},                                 // category column, counts
  };
  for (const auto& [a, b, sortColumn, sign] : cases) {
    EXPECT_EQ(CompareHandStats(a, b, sortColumn, 0) > 0 ? 1 : -1, sign)
        << a.HoldText.toStdString() << " " << b.HoldText.toStdString();
  }
}

TEST(AllHands, FadedPictureKeepsWhiteAndGreysTheRest) {
  QImage picture(3, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 255, 255));
  picture.setPixel(1, 0, qRgb(30, 60, 90));  // mean 60: 60 / 2 + 160
  picture.setPixel(2, 0, qRgb(250, 250, 254));
  const QImage faded = FadePicture(picture);
  EXPECT_EQ(faded.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(faded.pixel(1, 0), qRgb(190, 190, 190));
  EXPECT_EQ(faded.pixel(2, 0), qRgb(255, 255, 255));  // min(255, 125 + 160)
}

TEST_F(MainWindowTest, PreferencesApplyTakesEffectAtOnce) {
  TfPreferences dialog(*preferences, window.get());
  dialog.cbHands->setChecked(true);
  dialog.cbCredits->setChecked(false);
  dialog.cbSaveForNew->setChecked(false);
  dialog.tbSpeed->setValue(140);
  dialog.seWarningThreshold->setValue(0.5);
  dialog.btnApply->click();
  EXPECT_EQ(preferences->DealSpeed(), 140);
  EXPECT_EQ(preferences->WarningThreshold(), 0.5);
  EXPECT_EQ(preferences->AutosaveFlags, AUTOSAVE_BALANCE | AUTOSAVE_VALUE | AUTOSAVE_HANDS);
  EXPECT_FALSE(preferences->SaveForNewGame);
  dialog.tbSpeed->setValue(60);
  dialog.btnCancel->click();
  EXPECT_EQ(preferences->DealSpeed(), 140);
}

TEST(Help, EveryContextHasItsPage) {
  for (int context = HelpMainWindow; context <= HelpStrategy; context += 100) {
    if (context == 900) continue;  // no window uses it
    const std::filesystem::path page = HelpPage(context, TAVRIK_HELP_SOURCE_DIR);
    EXPECT_EQ(page.parent_path(), TAVRIK_HELP_SOURCE_DIR) << context;
    EXPECT_TRUE(std::filesystem::exists(page)) << context;
  }
  EXPECT_EQ(HelpPage(HelpGettingStarted, "/h"), "/h/howtoplay.html");
  EXPECT_TRUE(HelpTopic(999).isEmpty() && HelpPage(900, "/x/help").empty());
}

TEST(Help, PagesOpenInTheHelpWindowOrTheProgramSaysHelpIsMissing) {
  TempFolder folder;
  TPreferences preferences;
  const TMessageBoxes boxes;
  ShowHelpTopic(100, preferences, nullptr, folder.Path() / "no-help-here");
  EXPECT_EQ(boxes.Shown, QStringList{"Sorry, html help not installed."});

  // Asked from a modal dialog at the right edge of the screen: the help belongs to the
  // dialog's window (so the dialog does not block it) and stands wholly on the screen.
  QDialog dialog;
  dialog.setWindowModality(Qt::ApplicationModal);
  const QRect screen = dialog.screen()->availableGeometry();
  dialog.setGeometry(screen.right() - 300, screen.top() + 50, 300, 200);
  dialog.show();
  ShowHelpTopic(1400, preferences, &dialog, TAVRIK_HELP_SOURCE_DIR);
  auto* help = dialog.findChild<QTextBrowser*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible() && help->isWindow());
  EXPECT_TRUE(screen.contains(help->geometry())) << help->geometry().x();
  EXPECT_EQ(help->windowTitle(), "  Tavrik 2.0 - Warning");
  ShowHelpTopic(1100, preferences, &dialog, TAVRIK_HELP_SOURCE_DIR);  // the same window
  EXPECT_EQ(help->windowTitle(), "  Tavrik 2.0 - All hands");
  ShowHelpTopic(12345, preferences, &dialog, TAVRIK_HELP_SOURCE_DIR);  // unknown: nothing
  help->setSource(QUrl("main.html"));                                  // a link followed
  EXPECT_EQ(help->windowTitle(), "  Tavrik 2.0 - " + help->documentTitle());
  EXPECT_NE(help->documentTitle(), "All hands");
  QTest::keyClick(help, Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace tavrik::test
