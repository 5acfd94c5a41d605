#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>

#include "game/preferences.h"
#include "records/chart_series.h"
#include "ui/stats/log_window.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QListWidget;
class QPushButton;
class QValueAxis;

namespace tavrik {

class TLogger;
class TOptionsPanel;

// The progress charts window: one of the five line charts over the hand log that the
// shared log filter selects, chosen from a list, with the options panel (game, date,
// modes, units) beside it. The chart follows every change of the filter, the unit and the
// chart at once. Long series are drawn reduced (every peak and trough kept); the picture
// and the full series can be saved. Modal.
class TfmCharts : public TLogWindow {
  Q_OBJECT

 public:
  // Localises the window, follows the logger's filter and draws chart 0. `logger` and
  // `preferences` must outlive the window; no record may be added while it lives.
  TfmCharts(TLogger& logger, const TPreferences& preferences, QWidget* parent = nullptr);
  ~TfmCharts() override;

  // Shows chart `index` (0..ChartCount-1) of the list.
  void SelectChart(int index);
  const TProgressCharts& Charts() const { return charts_; }

  // What is drawn: the series shown (1 or 2), the legend text and number of drawn points
  // of series s, and the axis titles.
  int ShownSeries() const;
  QString Legend(int s) const;
  int DrawnPoints(int s) const;
  QString LeftAxisTitle() const;
  QString BottomAxisTitle() const;

  // The chart as it is shown, as a PNG file; false when it could not be written.
  bool SavePicture(const QString& path) const;
  // The full, unreduced series as CSV text ("hands,value[,value]" after a header line of
  // "hands" and the legends); false when it could not be written.
  bool ExportCsv(const QString& path) const;

  QLabel* lChartListHeader = nullptr;
  QListWidget* lbCharts = nullptr;
  TOptionsPanel* Options = nullptr;
  QLabel* lTitle = nullptr;
  QChartView* ChartView = nullptr;
  QPushButton* btnSavePicture = nullptr;
  QPushButton* btnExportCsv = nullptr;

 private:
  // The chart's texts, the points of its series, the axes' ranges, the unit group.
  void Redraw();
  // Asks for a file name, then writes with `write`; tells when writing failed.
  void SaveAs(const char* key, const QString& suffix,
              bool (TfmCharts::*write)(const QString&) const);
  QString ChartText(const char* key) const;

  TProgressCharts charts_;
  QChart* chart_ = nullptr;
  std::array<QLineSeries*, 2> series_{};
  QValueAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
};

// Runs the charts window modally over the logger's filter.
void ShowChartsWindow(TLogger& logger, const TPreferences& preferences, QWidget* parent);

}  // namespace tavrik
