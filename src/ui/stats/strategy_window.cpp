#include "ui/stats/strategy_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <algorithm>
#include <thread>

#include "core/hand_parser.h"
#include "core/payout_storage.h"
#include "core/strategy_chart.h"
#include "game/game_engine.h"
#include "records/statistics.h"
#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

constexpr int HeaderHeight = 22;
constexpr size_t Costliest = 3;  // lines highlighted for what their errors cost
const QColor CostlyLineColor(255, 220, 200);

QTableWidgetItem* Cell(const QString& text, bool number) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  return item;
}

// A logged error as an example: "QD JD TD 3C 3S: you held 3C 3S, the best hold QD JD TD".
QString ExampleText(const QString& format, const TLogRecord& record) {
  const auto kept = [&record](int mask) {
    std::vector<int> cards;
    for (size_t i = 0; i < record.DealtCards.size(); ++i) {
      if (((mask >> i) & 1) == 0) cards.push_back(record.DealtCards[i]);
    }
    return QString::fromStdString(cards.empty() ? std::string("nothing") : HandWords(cards));
  };
  const std::vector<int> dealt(record.DealtCards.begin(), record.DealtCards.end());
  return format.arg(QString::fromStdString(HandWords(dealt)), kept(record.PlayerMask),
                    kept(record.BestMask));
}

}  // namespace

TfStrategy::TfStrategy(const TLogger& logger, const TPreferences& preferences, int game,
                       int payIndex, const TPaytable& table, int bet, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TfStrategy");
  ApplyWindowFont(this, preferences);
  setWindowTitle(QString::fromStdString(preferences.SetWindowCaption("Strategy")));

  QApplication::setOverrideCursor(Qt::WaitCursor);
  const auto threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  TStrategyChart chart;
  try {
    chart = DeriveStrategyChart(game, table, bet, threads);
  } catch (...) {
    QApplication::restoreOverrideCursor();
    throw;
  }
  QApplication::restoreOverrideCursor();
  const auto errors = ErrorsByBestPattern(logger, game, payIndex);
  // The lines whose errors cost the player most (at most three) stand out.
  std::vector<double> losses;
  losses.reserve(errors.size());
  for (const auto& [key, pattern] : errors) losses.push_back(pattern.LossPercent);
  std::sort(losses.rbegin(), losses.rend());
  const double costly = losses.empty() ? 0 : losses[std::min<size_t>(losses.size(), Costliest) - 1];

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 8);
  layout->setSpacing(2);
  auto* title = new TGradientLabel(this);
  title->setFixedHeight(HeaderHeight);
  title->setText(QString::fromStdString(chart.Name) + ", " +
                 Text(preferences, "Strategy", "Paytable") + QString(" %1, ").arg(payIndex) +
                 Text(preferences, "Strategy", "Bet").arg(bet));
  StyleHeaderLabel(title, QString::fromStdString(preferences.FontName));
  lTitle = title;
  layout->addWidget(lTitle);

  Grid = new QTableWidget(static_cast<int>(chart.Lines.size()), ColumnCount, this);
  Grid->setHorizontalHeaderLabels(
      {Text(preferences, "Strategy", "Column1"), Text(preferences, "Strategy", "Column2"),
       Text(preferences, "Strategy", "Column3"), Text(preferences, "Strategy", "Column4")});
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  Grid->setWordWrap(false);
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setDefaultSectionSize(20);
  for (int row = 0; row < Grid->rowCount(); ++row) {
    const TChartLine& line = chart.Lines[static_cast<size_t>(row)];
    const auto found = errors.find(line.Key);
    const TPatternErrors none;
    const TPatternErrors& mine = found == errors.end() ? none : found->second;
    Grid->setItem(row, 0, Cell(QString::fromStdString(line.Text), false));
    Grid->setItem(row, 1, Cell(QString::number(100 * line.BestShare, 'f', 4), true));
    Grid->setItem(row, 2, Cell(QString::number(100 * line.OrderHolds, 'f', 2), true));
    Grid->setItem(row, 3, Cell(mine.Count == 0 ? QString("-") : QString::number(mine.Count), true));
    // The line's key, and where the player broke it: what it cost and example hands.
    QString tip = QString::fromStdString(line.Key);
    if (mine.Count > 0) {
      tip += "\n" + Text(preferences, "Strategy", "Cost").arg(mine.LossPercent, 0, 'f', 2);
      for (const size_t index : mine.Examples) {
        tip += "\n" + ExampleText(Text(preferences, "Strategy", "Example"), logger.Record(index));
      }
    }
    const bool highlighted = mine.Count > 0 && mine.LossPercent >= costly;
    for (int column = 0; column < ColumnCount; ++column) {
      QTableWidgetItem* item = Grid->item(row, column);
      item->setToolTip(tip);
      if (highlighted) {
        item->setBackground(CostlyLineColor);
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
    }
  }
  Grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int column = 1; column < ColumnCount; ++column) {
    Grid->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  layout->addWidget(Grid, 1);

  lReturns =
      new QLabel(Text(preferences, "Strategy", "Returns")
                     .arg(QString::number(static_cast<double>(100 * chart.ChartReturn), 'f', 4),
                          QString::number(static_cast<double>(100 * chart.PerfectReturn), 'f', 4)),
                 this);
  layout->addWidget(lReturns);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  btnOK = new QPushButton(Text(preferences, "Main.Buttons", "OK"), this);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  buttons->addWidget(btnOK);
  layout->addLayout(buttons);
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this,
          [this, &preferences] { ShowHelpTopic(HelpStrategy, preferences, this); });
  resize(640, 600);
}

void ShowStrategyWindow(TGameEngine& engine, const TPreferences& preferences, QWidget* parent) {
  const int game = engine.GameType();
  const TPaytable table = TPayoutStorage().GetPaytable(game, engine.PayIndex());
  TfStrategy window(engine.Logger(), preferences, game, engine.PayIndex(), table, engine.Bet(),
                    parent);
  window.exec();
}

}  // namespace tavrik
