// tavrik-shots: pictures of the trainer's windows in their typical states, for looking
// at the layout. Plays with a seeded generator in a fresh data folder and saves PNG files.
//
//   tavrik-shots --data <deck folder> --out <folder> [--game N] [--hands N]
//                [--chart-hands N] [--sizes WxH,WxH,...]
//   tavrik-shots --time-errors <records>
// --hands plays that many hands with the best hold first, for a history in the bankroll
// monitor; --chart-hands (default 3000) that many more, with errors and double-ups, before
// the pictures of the five progress charts; --sizes (default 800x600,1920x1080) the window
// sizes of the pictures of the winning hand at other sizes, "<game>_size_<W>x<H>". --time-errors
// writes a log of that many records, one in ten an error, and prints how long the errors window
// takes from its creation to its first paint, to paint again at the end of the list, and to sort by
// a header click.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numeric>
#include <random>

#include "app/exception_report.h"
#include "core/error.h"
#include "core/random.h"
#include "game/preferences.h"
#include "records/logger.h"
#include "records/ole_date.h"
#include "ui/dialogs/all_hands.h"
#include "ui/main/main_window.h"
#include "ui/paytables/choose_dialog.h"
#include "ui/paytables/edit_dialog.h"
#include "ui/paytables/paytable_table.h"
#include "ui/paytables/return_figure.h"
#include "ui/stats/charts_window.h"
#include "ui/stats/errors_window.h"
#include "ui/stats/options_panel.h"
#include "ui/stats/statistics_window.h"

namespace {

using namespace tavrik;

QString outFolder;
int unsaved = 0;  // pictures that could not be written

void Save(QWidget* widget, const QString& name) {
  const QString path = outFolder + "/" + name + ".png";
  if (!widget->grab().save(path)) {
    std::cerr << "tavrik-shots: cannot write " << path.toStdString() << '\n';
    ++unsaved;
    return;
  }
  std::cout << path.toStdString() << '\n';
}

// Saves the next modal dialog that opens, then closes it.
void SaveNextDialog(const QString& name) {
  QTimer::singleShot(50, [name] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      Save(dialog, name);
      dialog->reject();
    }
  });
}

// Lets a return figure's worker finish (a minute at most).
void WaitForFigure(const TReturnFigure* figure) {
  QElapsedTimer clock;
  clock.start();
  while (figure->IsPending() && clock.elapsed() < 60000) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
}

// The paytable chooser with its return figure, then the editor over it after one edit:
// while the new figure is worked out and once it is there.
void SavePaytableDialogs(TfTavrik20Main& window) {
  QTimer::singleShot(50, [] {
    auto* chooser = qobject_cast<TfChoose*>(QApplication::activeModalWidget());
    if (chooser == nullptr) return;
    WaitForFigure(chooser->ReturnFigure);
    Save(chooser, "paytable_chooser");
    QTimer::singleShot(50, [] {
      if (auto* editor = qobject_cast<TfEdit*>(QApplication::activeModalWidget())) {
        WaitForFigure(editor->ReturnFigure);
        editor->PayoutGrid->setCurrentCell(5, 1);
        editor->PayoutGrid->item(5, 1)->setText("7");
        Save(editor, "paytable_editor_computing");
        WaitForFigure(editor->ReturnFigure);
        Save(editor, "paytable_editor");
        editor->reject();
      }
    });
    chooser->btnEdit->click();
    chooser->reject();
  });
  window.Menus.miSelectVP->trigger();
}

// Milliseconds until `widget` is next painted (at most 10 s).
double WaitForPaint(QWidget* widget, const QElapsedTimer& clock) {
  struct TPaintWatch : QObject {
    bool Painted = false;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
      if (event->type() == QEvent::Paint) Painted = true;
      return false;
    }
  } watch;
  widget->installEventFilter(&watch);
  while (!watch.Painted && clock.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  widget->removeEventFilter(&watch);
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// A log of `count` Jacks or Better rounds in a fresh data folder, dealt a minute apart up
// to now; every tenth hold lost up to 40 percent of the bet. Then the errors window over
// it: the times to its first paint and to a repaint at the end of the list.
int TimeErrors(int count) {
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  const std::filesystem::path file = home.path().toStdString() + "/Tavrik.log";
  std::mt19937 random(20240607);
  {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(count) * TLogRecord::Size);
    std::array<int, 52> deck{};
    std::iota(deck.begin(), deck.end(), 0);
    const double now = OleDateNow();
    for (int i = 0; i < count; ++i) {
      TLogRecord record;
      record.GameType = 6;
      record.Mode = 1;
      std::shuffle(deck.begin(), deck.end(), random);
      for (size_t k = 0; k < 5; ++k) record.DealtCards[k] = static_cast<uint8_t>(deck[k]);
      record.Bet = 5;
      record.PlayerMask = static_cast<uint8_t>(random() % 32);
      record.BestMask = i % 10 == 0 ? static_cast<uint8_t>(random() % 32) : record.PlayerMask;
      record.BestReturn = 1 + static_cast<double>(random() % 1000) / 250;
      record.PlayerReturn = record.BestReturn;
      if (i % 10 == 0) record.PlayerReturn -= 0.001 + static_cast<double>(random() % 1000) / 500;
      record.DealTime = now - static_cast<double>(count - i) / (24 * 60);
      record.EndTime = record.DealTime;
      const TLogRecord::TBytes raw = record.Serialize();
      bytes.append(reinterpret_cast<const char*>(raw.data()), raw.size());
    }
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  TPreferences preferences;
  QElapsedTimer clock;
  clock.start();
  TLogger logger(file);
  const double loaded = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  clock.restart();
  TLogFilter& filter = logger.Filter();
  const double filtered = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  filter.SetFromDate(0);
  filter.SetModes(AllModes);
  clock.restart();
  TfErrors window(logger, preferences);
  window.show();
  const double opened = WaitForPaint(window.Grid->viewport(), clock);
  const size_t listed = window.List().Count();
  clock.restart();
  window.Grid->scrollToBottom();
  const double scrolled = WaitForPaint(window.Grid->viewport(), clock);
  clock.restart();
  window.GridHeaderClick(3);
  const double sorted = WaitForPaint(window.Grid->viewport(), clock);
  std::cout << count << " records loaded in " << loaded << " ms, filter built in " << filtered
            << " ms\n"
            << listed << " errors: window created to first paint " << opened
            << " ms; scrolled to the end and painted " << scrolled
            << " ms; sorted by difference and painted " << sorted << " ms\n";
  return 0;
}

}  // namespace

// A failure anywhere (a deck that does not load, say) ends with a message and status 1.
int main(int argc, char** argv) try {
  QApplication app(argc, argv);
  QString dataFolder;
  int game = -1;
  int hands = 0;
  int chartHands = 3000;
  QStringList sizes = {"800x600", "1920x1080"};
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() == 3 && arguments[1] == "--time-errors") {
    return TimeErrors(arguments[2].toInt());
  }
  for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == "--data") dataFolder = arguments[i + 1];
    if (arguments[i] == "--out") outFolder = arguments[i + 1];
    if (arguments[i] == "--game") game = arguments[i + 1].toInt();
    if (arguments[i] == "--hands") hands = arguments[i + 1].toInt();
    if (arguments[i] == "--chart-hands") chartHands = arguments[i + 1].toInt();
    if (arguments[i] == "--sizes") sizes = arguments[i + 1].split(',');
  }
  if (dataFolder.isEmpty() || outFolder.isEmpty()) {
    std::cerr << "usage: tavrik-shots --data <deck folder> --out <folder> [--game N]\n";
    return 2;
  }
  if (!QFileInfo(dataFolder + "/deck.001").isFile()) {
    std::cerr << "tavrik-shots: " << dataFolder.toStdString()
              << " holds no deck.001; give the folder of the built decks (build/src/app/data)\n";
    return 2;
  }
  if (!QDir().mkpath(outFolder)) {
    std::cerr << "tavrik-shots: cannot create " << outFolder.toStdString() << '\n';
    return 1;
  }
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  TPreferences preferences;
  preferences.SetDealSpeed(0);
  preferences.Settings.WriteString("Cards", "Deck", "001");
  TfTavrik20Main window(preferences, dataFolder.toStdString());
  window.show();
  QApplication::processEvents();
  TGameEngine& engine = window.Engine();
  if (game >= 0) window.SelectGame(game);
  const QString prefix = QString::fromStdString(engine.GameTitle()).toLower().replace(' ', '_');
  TRandom::Global().SetSeed(20240607);
  engine.SetOption(ShowWarnings, false);  // warnings are pictured on their own below

  Save(&window, prefix + "_1_start");
  SavePaytableDialogs(window);
  // Some history for the bankroll monitor: hands played with the best hold.
  for (int hand = 0; hand < hands; ++hand) {
    window.btnDealClick();
    window.btnHintClick();
    window.btnDealClick();
  }
  if (engine.State() != GameState::Dealt) window.btnDealClick();
  engine.ReleaseAllHolds();
  window.ToggleCard(1);  // hold the second and fourth cards
  window.ToggleCard(3);
  Save(&window, prefix + "_2_dealt");

  // The warning and the all-hands table for this deal.
  engine.SetOption(ShowWarnings, true);
  SaveNextDialog(prefix + "_warning");
  engine.CheckWarning();
  SaveNextDialog(prefix + "_all_hands");
  window.miAllHandsClick();
  engine.SetOption(ShowWarnings, false);

  // Best holds until a hand wins.
  window.btnDealClick();
  for (int hand = 0; hand < 200 && engine.Win() == 0; ++hand) {
    window.btnDealClick();
    window.btnHintClick();
    window.btnDealClick();
  }
  Save(&window, prefix + "_3_win");
  window.btnDoubleUpClick();
  Save(&window, prefix + "_4_double");
  window.ToggleCard(2);
  Save(&window, prefix + "_5_double_picked");
  for (const QString& size : sizes) {
    const QStringList sides = size.split('x');
    if (sides.size() != 2) continue;
    window.resize(sides[0].toInt(), sides[1].toInt());
    QApplication::processEvents();
    Save(&window, prefix + "_size_" + size);
  }
  window.resize(window.minimumSize());
  QApplication::processEvents();
  Save(&window, prefix + "_7_smallest");

  // The statistics of the hands played, with some errors among them: every fourth hand
  // keeps only its first card.
  window.btnDealClick();
  for (int hand = 0; hand < 100; ++hand) {
    if (engine.State() != GameState::Dealt) window.btnDealClick();
    window.btnHintClick();
    if (hand % 4 == 0) {
      engine.ReleaseAllHolds();
      window.ToggleCard(0);
    }
    window.btnDealClick();
  }
  engine.Collect();
  QTimer::singleShot(50, [] {
    if (auto* statistics = qobject_cast<TfStatistics*>(QApplication::activeModalWidget())) {
      Save(statistics, "statistics_balance");
      statistics->lbTables->setCurrentRow(1);
      Save(statistics, "statistics_hands_count");
      statistics->reject();
    }
  });
  window.Menus.miShowStats->trigger();

  // Some hundred errors more: every second hand keeps only its first card. The errors
  // window with both variants marked, the most expensive errors first, and the all-hands
  // table of the first.
  for (int hand = 0; hand < 500; ++hand) {
    if (engine.State() != GameState::Dealt) window.btnDealClick();
    window.btnHintClick();
    if (hand % 2 == 0) {
      engine.ReleaseAllHolds();
      window.ToggleCard(0);
    }
    window.btnDealClick();
  }
  engine.Collect();
  QTimer::singleShot(50, [] {
    if (auto* errors = qobject_cast<TfErrors*>(QApplication::activeModalWidget())) {
      errors->resize(960, 600);
      Save(errors, "errors");
      errors->Options->cbYourVariant->setChecked(true);
      errors->Options->cbBestVariant->setChecked(true);
      errors->GridHeaderClick(3);
      errors->GridHeaderClick(3);
      errors->Grid->selectRow(0);
      QApplication::processEvents();
      Save(errors, "errors_variants");
      SaveNextDialog("errors_all_hands");
      errors->ShowHand(0);
      errors->reject();
    }
  });
  window.Menus.miShowErrors->trigger();

  // A longer history for the charts: every fifth hand keeps only its first card, every
  // second win is doubled once.
  int wins = 0;
  for (int hand = 0; hand < chartHands; ++hand) {
    if (engine.State() != GameState::Dealt) window.btnDealClick();
    window.btnHintClick();
    if (hand % 5 == 0) {
      engine.ReleaseAllHolds();
      window.ToggleCard(0);
    }
    window.btnDealClick();
    if (engine.Win() > 0 && ++wins % 2 == 0) {
      window.btnDoubleUpClick();
      window.ToggleCard(1 + hand % 4);
    }
  }
  engine.Collect();
  QTimer::singleShot(50, [] {
    if (auto* charts = qobject_cast<TfmCharts*>(QApplication::activeModalWidget())) {
      const char* names[ChartCount] = {"balance", "accuracy", "hand_rate", "loss_on_errors",
                                       "double_up_balance"};
      for (int chart = 0; chart < ChartCount; ++chart) {
        charts->lbCharts->setCurrentRow(chart);
        QApplication::processEvents();  // the legend's layout
        Save(charts, QString("charts_") + names[chart]);
      }
      charts->reject();
    }
  });
  window.Menus.miShowCharts->trigger();

  // The strategy chart of the game with the errors of that history.
  SaveNextDialog("strategy");
  window.Menus.miShowStrategy->trigger();

  TError error("Card index out of range: 60");
  error.AppendContext("Draw");
  SaveNextDialog("error_report");
  ShowErrorReport(error, preferences, &window);
  return unsaved == 0 ? 0 : 1;
} catch (const std::exception& error) {
  std::cerr << "tavrik-shots: " << error.what() << '\n';
  return 1;
}
