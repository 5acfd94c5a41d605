// Speed of the passes over a large hand log: loading it, building the log filter,
// recomputing the statistics tables, building the errors list, and clearing by filter with
// the rewrite of the file, over 1,000,000 generated records.
// Run: build with -DTAVRIK_BUILD_BENCH=ON, then bench/tavrik_records_bench
//      --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench_log.h"
#include "records/error_list.h"
#include "records/log_filter.h"
#include "records/logger.h"
#include "records/statistics.h"

namespace {

using namespace tavrik;
namespace fs = std::filesystem;

using bench::BenchLog;

void BM_LoggerLoad(benchmark::State& state) {
  const fs::path& path = BenchLog().Path();
  for (auto _ : state) {
    TLogger logger(path, TLogger::TAccess::ReadOnly);
    benchmark::DoNotOptimize(logger.RecordCount());
  }
}
BENCHMARK(BM_LoggerLoad)->Unit(benchmark::kMillisecond);

void BM_FilterBuild(benchmark::State& state) {
  const TLogger logger(BenchLog().Path(), TLogger::TAccess::ReadOnly);
  for (auto _ : state) {
    TLogFilter filter(logger, DefaultShortDate);
    benchmark::DoNotOptimize(filter.DayStarts.size());
  }
}
BENCHMARK(BM_FilterBuild)->Unit(benchmark::kMillisecond);

// Selects every record: all games, modes and dates.
void SelectAll(TLogFilter& filter) {
  filter.SetGameIndex(0);
  filter.SetModes(AllModes);
  filter.SetFromDate(0);
}

// Argument 1: every record selected (all games, modes and dates); 0: the filter as the
// log leaves it (the last record's game and mode).
void BM_Recompute(benchmark::State& state) {
  TLogger logger(BenchLog().Path(), TLogger::TAccess::ReadOnly);
  if (state.range(0) == 1) SelectAll(logger.Filter());
  TStatisticsList list;
  list.SetLogger(logger);
  for (auto _ : state) {
    list.Recompute();
    benchmark::DoNotOptimize(list.RecordCount());
  }
  state.counters["records"] = static_cast<double>(list.RecordCount());
}
BENCHMARK(BM_Recompute)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Argument 1: every record selected; 0: the filter as the log leaves it.
void BM_ErrorListRebuild(benchmark::State& state) {
  TLogger logger(BenchLog().Path(), TLogger::TAccess::ReadOnly);
  if (state.range(0) == 1) SelectAll(logger.Filter());
  TErrorList list;
  for (auto _ : state) {
    list.Rebuild(logger, logger.Filter(), AllGrades);
    benchmark::DoNotOptimize(list.Count());
  }
  state.counters["errors"] = static_cast<double>(list.Count());
}
BENCHMARK(BM_ErrorListRebuild)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Clearing by filter from the middle of the log's three months, the kept records written
// to a copy of the log file through the atomic rewrite. Argument 1: all games and modes
// (half the log goes); 0: one game in all modes (nearly all of it is written again).
void BM_ClearByFilter(benchmark::State& state) {
  const fs::path copy = fs::path(BenchLog().Path()).replace_extension(".clear.log");
  for (auto _ : state) {
    state.PauseTiming();
    fs::copy_file(BenchLog().Path(), copy, fs::copy_options::overwrite_existing);
    auto logger = std::make_unique<TLogger>(copy);
    TLogFilter& filter = logger->Filter();
    SelectAll(filter);
    if (state.range(0) == 0) filter.SetGameIndex(1);
    filter.SetFromDate(46045);
    const auto rule = filter.ClearingRule();
    state.ResumeTiming();
    benchmark::DoNotOptimize(logger->ClearByFilter(rule));
    state.PauseTiming();
    state.counters["kept"] = static_cast<double>(logger->RecordCount());
    logger.reset();
    state.ResumeTiming();
  }
  fs::remove(copy);
}
BENCHMARK(BM_ClearByFilter)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
