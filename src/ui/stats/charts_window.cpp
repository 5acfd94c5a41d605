#include "ui/stats/charts_window.h"

#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <fstream>

#include "ui/dialogs/help_window.h"
#include "ui/dialogs/preferences_texts.h"
#include "ui/stats/options_panel.h"
#include "ui/widgets/gradient_label.h"

namespace tavrik {

namespace {

// Your line and the perfect strategy's.
const QColor SeriesColors[] = {QColor(0, 0, 223), QColor(0, 150, 150)};
const char* const LegendKeys[] = {"LegendYour", "LegendBest"};

// A tick step of 1, 2 or 5 times a power of ten that cuts `range` (> 0) into about five.
double TickStep(double range) {
  const double raw = range / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (raw <= factor * power) return factor * power;
  }
  return 10 * power;
}

// Fixed decimals enough to tell neighbouring ticks apart.
QString LabelFormat(double step) {
  const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step))), 0, 6);
  return QString("%.%1f").arg(decimals);
}

// Ticks at the multiples of `step` over [low, high]. Fixed ticks meanwhile, so that no
// step meets a range of another chart (a million ticks).
void SetAxis(QValueAxis* axis, double low, double high, double step) {
  axis->setTickType(QValueAxis::TicksFixed);
  axis->setRange(low, high);
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
  axis->setLabelFormat(LabelFormat(step));
  axis->setTickType(QValueAxis::TicksDynamic);
}

}  // namespace

TfmCharts::TfmCharts(TLogger& logger, const TPreferences& preferences, QWidget* parent)
    : TLogWindow("Charts", HelpCharts, preferences, parent) {
  setObjectName("TfmCharts");
  QVBoxLayout* left = NewColumn();
  lChartListHeader = HeaderLabel(Text(preferences, "Charts", "ChartListHeader"));
  left->addWidget(lChartListHeader);
  lbCharts = new QListWidget(this);
  for (int chart = 0; chart < ChartCount; ++chart) {
    lbCharts->addItem("  " + Text(preferences, ChartInfo(chart).Section, "Name"));
  }
  // Every name in full, without scrolling.
  lbCharts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lbCharts->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lbCharts->setFixedHeight(lbCharts->sizeHintForRow(0) * ChartCount + 2 * lbCharts->frameWidth());
  const int listWidth = lbCharts->sizeHintForColumn(0) + 2 * lbCharts->frameWidth() + 8;
  left->addWidget(lbCharts);
  left->addSpacing(6);
  Options =
      new TOptionsPanel(OptionGame | OptionDate | OptionModes | OptionUnits, preferences, this);
  left->addWidget(Options, 1);

  QVBoxLayout* right = NewColumn();
  lTitle = HeaderLabel(QString());
  right->addWidget(lTitle);
  chart_ = new QChart();
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  axisX_ = new QValueAxis(chart_);
  axisY_ = new QValueAxis(chart_);
  axisY_->setTruncateLabels(false);
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  for (size_t s = 0; s < series_.size(); ++s) {
    series_[s] = new QLineSeries(chart_);
    series_[s]->setPen(QPen(SeriesColors[s], 1.5));
    chart_->addSeries(series_[s]);
    series_[s]->attachAxis(axisX_);
    series_[s]->attachAxis(axisY_);
  }
  ChartView = new QChartView(chart_, this);  // owns the chart
  ChartView->setRenderHint(QPainter::Antialiasing);
  ChartView->setMinimumSize(600, 420);
  right->addWidget(ChartView, 1);
  btnSavePicture = new QPushButton(Text(preferences, "Charts", "SavePicture"), this);
  connect(btnSavePicture, &QPushButton::clicked, this,
          [this] { SaveAs("SavePicture", "png", &TfmCharts::SavePicture); });
  btnExportCsv = new QPushButton(Text(preferences, "Charts", "ExportCsv"), this);
  connect(btnExportCsv, &QPushButton::clicked, this,
          [this] { SaveAs("ExportCsv", "csv", &TfmCharts::ExportCsv); });
  LayOutColumns(left, listWidth, right, {btnSavePicture, btnExportCsv});

  Options->SetLogger(logger);
  charts_.SetLogger(logger);
  charts_.SetDollars(Options->IsDollars());
  charts_.OnChange = [this] { Redraw(); };
  connect(Options, &TOptionsPanel::OptionsChanged, this,
          [this] { charts_.SetDollars(Options->IsDollars()); });
  lbCharts->setCurrentRow(0);
  connect(lbCharts, &QListWidget::currentRowChanged, this, [this](int row) { SelectChart(row); });
  charts_.SetActive(true);
}

TfmCharts::~TfmCharts() {
  charts_.OnChange = nullptr;
}

void TfmCharts::SelectChart(int index) {
  if (index < 0 || index >= ChartCount || index == charts_.Chart()) return;
  if (lbCharts->currentRow() != index) {
    lbCharts->setCurrentRow(index);  // which comes back here
    return;
  }
  charts_.SetChart(index);
}

QString TfmCharts::ChartText(const char* key) const {
  return Text(preferences_, ChartInfo(charts_.Chart()).Section, key);
}

void TfmCharts::Redraw() {
  const int chart = charts_.Chart();
  const TChartInfo& info = ChartInfo(chart);
  if (const QListWidgetItem* item = lbCharts->item(chart)) lTitle->setText(item->text());
  axisY_->setTitleText(ChartText("LeftAxis").replace("%s", Options->UnitCaption()));
  axisX_->setTitleText(ChartText("BottomAxis"));
  Options->EnableUnits(info.HasUnits);

  double low = 0;
  double high = 0;
  bool any = false;
  for (size_t s = 0; s < series_.size(); ++s) {
    const bool shown = static_cast<int>(s) < info.SeriesCount;
    QList<QPointF> points;
    if (shown) {
      const std::vector<TChartPoint>& reduced = charts_.Reduced(static_cast<int>(s));
      points.reserve(static_cast<qsizetype>(reduced.size()));
      for (const TChartPoint& point : reduced) {
        points.append(QPointF(point.X, point.Y));
        if (!std::isfinite(point.Y)) continue;  // a damaged record
        low = any ? std::min(low, point.Y) : point.Y;
        high = any ? std::max(high, point.Y) : point.Y;
        any = true;
      }
    }
    series_[s]->replace(points);
    const QString legend = shown ? ChartText(LegendKeys[s]) : QString();
    series_[s]->setName(legend);
    series_[s]->setVisible(shown);
    for (QLegendMarker* marker : chart_->legend()->markers(series_[s])) {
      marker->setLabel(legend);
      marker->setVisible(shown);
    }
  }

  // The hands from 0 to the last; the values between round numbers around the points, a
  // flat line in the middle.
  const double hands = std::max(1.0, static_cast<double>(charts_.Series().Points()));
  SetAxis(axisX_, 0, hands, std::max(1.0, TickStep(hands)));
  if (low == high || !std::isfinite(high - low)) {
    low = low == high ? low - 1 : -1;
    high = low + 2;
  }
  const double step = TickStep(high - low);
  SetAxis(axisY_, std::floor(low / step) * step, std::ceil(high / step) * step, step);
}

int TfmCharts::ShownSeries() const {
  return ChartInfo(charts_.Chart()).SeriesCount;
}

QString TfmCharts::Legend(int s) const {
  const auto markers = chart_->legend()->markers(series_.at(static_cast<size_t>(s)));
  return markers.isEmpty() ? QString() : markers.front()->label();
}

int TfmCharts::DrawnPoints(int s) const {
  return static_cast<int>(series_.at(static_cast<size_t>(s))->count());
}

QString TfmCharts::LeftAxisTitle() const {
  return axisY_->titleText();
}

QString TfmCharts::BottomAxisTitle() const {
  return axisX_->titleText();
}

bool TfmCharts::SavePicture(const QString& path) const {
  return ChartView->grab().save(path, "PNG");
}

bool TfmCharts::ExportCsv(const QString& path) const {
  std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
  if (!file) return false;
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(ShownSeries()));
  for (int s = 0; s < ShownSeries(); ++s) names.push_back(Legend(s).toStdString());
  WriteChartCsv(file, charts_.Series(), names);
  file.close();
  return !file.fail();
}

void TfmCharts::SaveAs(const char* key, const QString& suffix,
                       bool (TfmCharts::*write)(const QString&) const) {
  const QString name = ChartText("Name").trimmed().toLower().replace(' ', '_') + "." + suffix;
  const QString path = QFileDialog::getSaveFileName(this, Text(preferences_, "Charts", key), name,
                                                    QString("*.%1").arg(suffix));
  if (path.isEmpty()) return;
  if (!(this->*write)(path)) {
    QMessageBox::warning(this, windowTitle(),
                         Text(preferences_, "Charts", "WriteFailed").replace("%s", path));
  }
}

void ShowChartsWindow(TLogger& logger, const TPreferences& preferences, QWidget* parent) {
  TfmCharts window(logger, preferences, parent);
  window.exec();
}

}  // namespace tavrik
