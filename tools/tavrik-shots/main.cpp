// tavrik-shots: pictures of the trainer's windows in their typical states, for looking
// at the layout. Plays with a seeded generator in a fresh data folder and saves PNG files.
//
//   tavrik-shots --data <deck folder> --out <folder> [--game N] [--hands N]
//                [--chart-hands N]
// --hands plays that many hands with the best hold first, for a history in the bankroll
// monitor; --chart-hands (default 3000) that many more, with errors and double-ups, before
// the pictures of the five progress charts.
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <iostream>

#include "app/exception_report.h"
#include "core/error.h"
#include "core/random.h"
#include "game/preferences.h"
#include "ui/main/main_window.h"
#include "ui/stats/charts_window.h"
#include "ui/stats/statistics_window.h"

namespace {

using namespace tavrik;

QString outFolder;

void Save(QWidget* widget, const QString& name) {
  const QString path = outFolder + "/" + name + ".png";
  widget->grab().save(path);
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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString dataFolder;
  int game = -1;
  int hands = 0;
  int chartHands = 3000;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == "--data") dataFolder = arguments[i + 1];
    if (arguments[i] == "--out") outFolder = arguments[i + 1];
    if (arguments[i] == "--game") game = arguments[i + 1].toInt();
    if (arguments[i] == "--hands") hands = arguments[i + 1].toInt();
    if (arguments[i] == "--chart-hands") chartHands = arguments[i + 1].toInt();
  }
  if (dataFolder.isEmpty() || outFolder.isEmpty()) {
    std::cerr << "usage: tavrik-shots --data <deck folder> --out <folder> [--game N]\n";
    return 2;
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
  window.resize(window.maximumSize());
  QApplication::processEvents();
  Save(&window, prefix + "_6_largest");
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
  window.miShowStats->trigger();

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
  window.miShowCharts->trigger();

  TError error("Card index out of range: 60");
  error.AppendContext("Draw");
  SaveNextDialog("error_report");
  ShowErrorReport(error, preferences, &window);
  return 0;
}
