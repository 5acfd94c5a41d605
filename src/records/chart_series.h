#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "records/filter_follower.h"

namespace tavrik {

class TLogFilter;
class TLogger;

// The progress charts, in the order of the charts window's list.
enum TChartIndex : int {
  ChartBalance,          // your and the perfect strategy's running balance
  ChartAccuracy,         // expected return of your holds in percent of the best holds'
  ChartHandRate,         // hands per hour of playing time
  ChartLossOnErrors,     // real and expected running loss against the best holds
  ChartDoubleUpBalance,  // running net of the double-up games
};
inline constexpr int ChartCount = 5;

// What is fixed about a chart: the localisation section of its texts (keys "Name",
// "LeftAxis", "BottomAxis", "LegendYour", "LegendBest"), its number of series (1 or 2),
// and whether its values are money and so follow the choice of coins or dollars.
struct TChartInfo {
  const char* Section;
  int SeriesCount;
  bool HasUnits;
};
// Raises TError for a chart outside 0..ChartCount-1.
const TChartInfo& ChartInfo(int chart);

// The plotted values of one chart: Values[s][i] is point i of series s, drawn at x = i + 1
// (the point's sequence number, counted in hands). Series 1 is empty for the one-series
// charts; the two series of a two-series chart have the same length.
struct TChartSeries {
  int Chart = ChartBalance;
  std::array<std::vector<double>, 2> Values;
  size_t Points() const { return Values[0].size(); }
};

// One chart's pass over the log in log order, visiting the records whose game, paytable
// and mode `filter` selects; such a record is date-selected when it also passes the
// filter's date. u is the record's coin value in dollars when `dollars`, else 1.
//  Balance: per date-selected record A += (Win - Bet) u, B += (PerfectWin - Bet) u; plot
//    A and B.
//  Accuracy: per record P += PlayerReturn, E += BestReturn; when date-selected plot
//    100 P / E (cumulative over all the game's history, shown from the date on).
//  HandRate: per record k += 1, T += EndTime - DealTime (days); when date-selected plot
//    k / (24 T).
//  LossOnErrors: per date-selected record R += (Win - PerfectWin) u, X += (PlayerReturn -
//    BestReturn) u; plot R and X.
//  DoubleUpBalance: per date-selected record with DoubleCount > 0, D += (Win - HandWin) u;
//    plot D.
// Accuracy and HandRate plot nothing for a record while their divisor (E, T) is not
// positive, which only a degenerate first record can cause.
TChartSeries ComputeChart(int chart, const TLogger& logger, const TLogFilter& filter, bool dollars);

struct TChartPoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TChartPoint&, const TChartPoint&) = default;
};

// Buckets of the reduction of a long series (so at most 2 x 2000 + 2 points are drawn).
inline constexpr size_t ChartBuckets = 2000;

// The points to draw for a series (point i at x = i + 1). A series of up to 2 x buckets +
// 2 points is drawn whole. A longer one keeps its first and its last point; the points
// between are cut into `buckets` runs of nearly equal length, and each run gives its lowest
// and its highest point in their order, so the line still reaches every peak and trough.
std::vector<TChartPoint> ReduceSeries(const std::vector<double>& values,
                                      size_t buckets = ChartBuckets);

// The whole series as comma-separated text, one line per point: "hands,value[,value]",
// after a header line of "hands" and the series names (quoted when they hold a comma or a
// quote; blanks at their ends dropped). Values in their shortest exact decimal form.
void WriteChartCsv(std::ostream& out, const TChartSeries& series,
                   const std::vector<std::string>& names);

// The chart the charts window shows, with its unit choice, computed over the records of the
// logger's filter and computed again whenever the filter, the chart or the unit changes.
class TProgressCharts {
 public:
  TProgressCharts() = default;
  TProgressCharts(const TProgressCharts&) = delete;
  TProgressCharts& operator=(const TProgressCharts&) = delete;

  // Remembers the logger (which must outlive this object) and follows its filter. When
  // the logger drops its filter, the next Recompute follows the new one.
  void SetLogger(TLogger& logger);
  // Switched on: computes now and on every change.
  void SetActive(bool active);
  // 0..ChartCount-1 (TError otherwise).
  void SetChart(int chart);
  int Chart() const { return series_.Chart; }
  void SetDollars(bool dollars);
  bool Dollars() const { return dollars_; }

  // The full series, and the reduced points of series s (0 or 1) to draw.
  const TChartSeries& Series() const { return series_; }
  const std::vector<TChartPoint>& Reduced(int s) const {
    return reduced_.at(static_cast<size_t>(s));
  }
  // The pass over the log (empty series without a logger); notifies.
  void Recompute();
  std::function<void()> OnChange;

 private:
  TFilterFollower follower_{[this] {
    if (active_) Recompute();
  }};
  bool active_ = false;
  bool dollars_ = false;
  TChartSeries series_;
  std::array<std::vector<TChartPoint>, 2> reduced_;
};

}  // namespace tavrik
