#include "ui/stats/statistics_window.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/stats/options_panel.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

constexpr int ValueColumns = 3;

}  // namespace

// --- Model ---------------------------------------------------------------------------

TStatisticsModel::TStatisticsModel(const TStatisticsList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int TStatisticsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || list_.Count() == 0) return 0;
  return static_cast<int>(list_.Table(list_.Current()).Rows.size());
}

int TStatisticsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 1 + ValueColumns;
}

QVariant TStatisticsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(list_.GetCell(index.column(), index.row() + 1));
  }
  if (role == Qt::TextAlignmentRole) {
    return static_cast<int>((index.column() == 0 ? Qt::AlignLeft : Qt::AlignRight) |
                            Qt::AlignVCenter);
  }
  return {};
}

QVariant TStatisticsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(list_.GetCell(section, 0));
  if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
  return {};
}

void TStatisticsModel::Refresh() {
  beginResetModel();
  endResetModel();
}

// --- Window --------------------------------------------------------------------------

TfStatistics::TfStatistics(TLogger& logger, const TPreferences& preferences, QWidget* parent)
    : TLogWindow("Statistics", HelpStatistics, preferences, parent) {
  setObjectName("TfStatistics");
  QVBoxLayout* left = NewColumn();
  lStatHeader = HeaderLabel(Text(preferences, "Statistics", "StatHeader"));
  left->addWidget(lStatHeader);
  lbTables = new QListWidget(this);
  left->addWidget(lbTables);
  left->addSpacing(6);
  Options = new TOptionsPanel(OptionGame | OptionDate | OptionModes, preferences, this);
  left->addWidget(Options, 1);

  QVBoxLayout* right = NewColumn();
  lTitle = HeaderLabel(QString());
  right->addWidget(lTitle);
  Grid = new QTableView(this);
  Grid->verticalHeader()->hide();
  Grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->verticalHeader()->setDefaultSectionSize(RowHeight);
  Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  Grid->horizontalHeader()->setHighlightSections(false);
  Grid->setSelectionMode(QAbstractItemView::NoSelection);
  Grid->setFocusPolicy(Qt::NoFocus);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setItemDelegate(new TInsetTextDelegate(Grid));
  model_ = new TStatisticsModel(list_, this);
  Grid->setModel(model_);
  Grid->viewport()->installEventFilter(this);
  right->addWidget(Grid, 1);
  LayOutColumns(left, LeftColumnWidth, right);

  Options->SetLogger(logger);
  list_.SetLogger(logger);
  list_.Localize([&preferences](const std::string& section, const std::string& key) {
    return preferences.GetText(section, key);
  });
  for (int index = 0; index < list_.Count(); ++index) {
    lbTables->addItem(" " + QString::fromStdString(list_.Name(index)));
  }
  list_.SetCurrent(0);
  lbTables->setCurrentRow(0);
  connect(lbTables, &QListWidget::currentRowChanged, this, [this](int row) { SelectTable(row); });
  lbTables->setFixedHeight(lbTables->sizeHintForRow(0) * std::max(1, lbTables->count()) +
                           2 * lbTables->frameWidth());
  list_.OnChange = [this] { Refresh(); };
  list_.SetActive(true);

  // Room for the longest table at the row height, and value columns wide enough for
  // their widest texts.
  const int frame = 2 * Grid->frameWidth();
  Grid->setMinimumSize(
      480, Grid->horizontalHeader()->sizeHint().height() + TStatistic::MaxRows * RowHeight + frame);
  Refresh();
}

TfStatistics::~TfStatistics() {
  list_.OnChange = nullptr;
  Grid->setModel(nullptr);  // the model reads the list, which goes before the children
}

void TfStatistics::SelectTable(int index) {
  if (index < 0 || index >= list_.Count() || index == list_.Current()) return;
  list_.SetCurrent(index);
}

QString TfStatistics::CellText(int column, int row) const {
  return model_->data(model_->index(row, column)).toString();
}

void TfStatistics::Refresh() {
  if (const QListWidgetItem* item = lbTables->currentItem()) lTitle->setText(item->text());
  model_->Refresh();
  SizeColumns();
}

void TfStatistics::SizeColumns() {
  const QFontMetrics metrics(Grid->font());
  const int rows = model_->rowCount();
  int nameWidth = 0;
  for (int row = 0; row < rows; ++row) {
    nameWidth = std::max(nameWidth, metrics.horizontalAdvance(CellText(0, row)));
  }
  const int available = Grid->viewport()->width();
  // At least a quarter of the grid, so that short names do not leave the values crowded.
  nameWidth = std::max(nameWidth + 2 * CellMargin, available / 4);
  const int valueWidth = std::max(0, (available - nameWidth) / ValueColumns);
  Grid->setColumnWidth(0, available - ValueColumns * valueWidth);
  for (int column = 1; column <= ValueColumns; ++column) Grid->setColumnWidth(column, valueWidth);
}

bool TfStatistics::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Grid->viewport() && event->type() == QEvent::Resize) SizeColumns();
  return QDialog::eventFilter(watched, event);
}

void ShowStatisticsWindow(TLogger& logger, const TPreferences& preferences, QWidget* parent) {
  TfStatistics window(logger, preferences, parent);
  window.exec();
}

}  // namespace tavrik
