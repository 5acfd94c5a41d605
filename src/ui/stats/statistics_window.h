#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include "game/preferences.h"
#include "records/statistics.h"
#include "ui/stats/log_window.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace tavrik {

class TLogger;
class TOptionsPanel;

// The current table of a statistics list as a grid model: the headers are the table's
// four column headers (row 0 of GetCell), the rows its named rows; every text comes from
// GetCell. Refresh() after the list changed.
class TStatisticsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TStatisticsModel(const TStatisticsList& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  // The list's current table or its values changed.
  void Refresh();

 private:
  const TStatisticsList& list_;
};

// The statistics window: the tables of the hand log that the shared log filter selects,
// one at a time, chosen from a list; the options panel edits the filter and the tables
// follow at once. Modal.
class TfStatistics : public TLogWindow {
  Q_OBJECT

 public:
  static constexpr int RowHeight = 20;

  // Localises the window, follows the logger's filter and computes every table, the first
  // one shown. `logger` and `preferences` must outlive the window; no record may be added
  // while it lives.
  TfStatistics(TLogger& logger, const TPreferences& preferences, QWidget* parent = nullptr);
  ~TfStatistics() override;

  // Shows table `index` of the list.
  void SelectTable(int index);
  const TStatisticsList& List() const { return list_; }
  // The text the grid shows in `column` of data row `row` (0 the first named row).
  QString CellText(int column, int row) const;

  QLabel* lStatHeader = nullptr;
  QListWidget* lbTables = nullptr;
  TOptionsPanel* Options = nullptr;
  QLabel* lTitle = nullptr;
  QTableView* Grid = nullptr;

 protected:
  // Sizes the columns whenever the grid's viewport changes size.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The list changed: title and grid.
  void Refresh();
  // Column 0 as wide as its texts need (a quarter of the grid at least), the value columns
  // share the rest equally.
  void SizeColumns();

  TStatisticsList list_;
  TStatisticsModel* model_ = nullptr;
};

// Runs the statistics window modally over the logger's filter.
void ShowStatisticsWindow(TLogger& logger, const TPreferences& preferences, QWidget* parent);

}  // namespace tavrik
