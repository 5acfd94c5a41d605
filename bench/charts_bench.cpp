// Speed of the progress charts over a hand log of 1,000,000 generated records, every one
// selected (all games, modes and days): each chart's pass with the reduction of its series,
// and, in the charts window on the offscreen platform, opening it and switching charts
// (each rendered once, as showing it would).
// Run: build with -DTAVRIK_BUILD_BENCH=ON, then bench/tavrik_charts_bench
//      --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "bench_log.h"
#include "game/preferences.h"
#include "records/chart_series.h"
#include "records/log_filter.h"
#include "records/logger.h"
#include "ui/stats/charts_window.h"

namespace {

using namespace tavrik;
namespace fs = std::filesystem;

using bench::BenchLog;

// The bench log with every record selected.
struct TSelectedLog {
  TSelectedLog() : logger(BenchLog().Path(), TLogger::TAccess::ReadOnly) {
    TLogFilter& filter = logger.Filter();
    filter.SetGameIndex(0);
    filter.SetModes(AllModes);
    filter.SetFromDate(0);
  }
  TLogger logger;
};

// Argument: the chart, in dollars where it has a unit.
void BM_ChartSeries(benchmark::State& state) {
  TSelectedLog log;
  const int chart = static_cast<int>(state.range(0));
  size_t points = 0;
  for (auto _ : state) {
    const TChartSeries series = ComputeChart(chart, log.logger, log.logger.Filter(), true);
    for (const auto& values : series.Values) benchmark::DoNotOptimize(ReduceSeries(values).data());
    points = series.Points();
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ChartSeries)->DenseRange(0, ChartCount - 1)->Unit(benchmark::kMillisecond);

void BM_WindowOpen(benchmark::State& state) {
  TSelectedLog log;
  TPreferences preferences;
  for (auto _ : state) {
    TfmCharts window(log.logger, preferences);
    window.show();
    benchmark::DoNotOptimize(window.grab().cacheKey());
  }
}
BENCHMARK(BM_WindowOpen)->Unit(benchmark::kMillisecond);

// One iteration: the next chart of the list, drawn.
void BM_WindowSwitchChart(benchmark::State& state) {
  TSelectedLog log;
  TPreferences preferences;
  TfmCharts window(log.logger, preferences);
  window.show();
  int chart = 0;
  for (auto _ : state) {
    chart = (chart + 1) % ChartCount;
    window.lbCharts->setCurrentRow(chart);
    benchmark::DoNotOptimize(window.grab().cacheKey());
  }
}
BENCHMARK(BM_WindowSwitchChart)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The preferences read and write their settings file in a folder of their own.
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
