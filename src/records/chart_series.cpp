#include "records/chart_series.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "core/error.h"
#include "records/logger.h"
#include "records/money.h"

namespace tavrik {

namespace {

constexpr TChartInfo Charts[ChartCount] = {
    {"Charts.ChartBalance", 2, true},         {"Charts.ChartAccuracy", 1, false},
    {"Charts.ChartHandRate", 1, false},       {"Charts.ChartLossOnErrors", 2, true},
    {"Charts.ChartDoubleUpBalance", 1, true},
};

// Calls visit(bytes, record, dateSelected) for every record of the log whose game,
// paytable and mode the filter selects, in log order; only the key of `record` is decoded.
// WholeHistory false: only the date-selected records are visited.
template <bool WholeHistory, class Visit>
void ForEachSelected(const TLogger& logger, const TLogFilter& filter, Visit&& visit) {
  const uint8_t* bytes = logger.Data();
  const size_t count = logger.RecordCount();
  TLogRecord record;
  for (size_t i = 0; i < count; ++i, bytes += TLogRecord::Size) {
    TLogRecord::DecodeKey(bytes, record);
    if (!filter.GameModeMatches(record)) continue;
    const bool dateSelected = filter.DateMatches(record);
    if (!WholeHistory && !dateSelected) continue;
    visit(bytes, record, dateSelected);
  }
}

// A name for a CSV header field: blanks at the ends dropped, quoted when it must be.
std::string CsvField(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::string field = text.substr(first, text.find_last_not_of(' ') + 1 - first);
  if (field.find_first_of(",\"") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

const TChartInfo& ChartInfo(int chart) {
  RequireInRange(chart, 0, ChartCount - 1, "Chart");
  return Charts[chart];
}

TChartSeries ComputeChart(int chart, const TLogger& logger, const TLogFilter& filter,
                          bool dollars) {
  const TChartInfo& info = ChartInfo(chart);
  TChartSeries series;
  series.Chart = chart;
  // References, not a structured binding: the lambdas below capture them.
  std::vector<double>& first = series.Values[0];
  std::vector<double>& second = series.Values[1];
  // Room for every record: only address space when the filter selects few.
  first.reserve(logger.RecordCount());
  if (info.SeriesCount == 2) second.reserve(logger.RecordCount());
  const auto unit = [dollars](const TLogRecord& record) {
    return dollars ? CoinDollars(record.CoinValueIndex) : 1.0;
  };
  // The sums are whole multiples of a quarter dollar, or whole coins, and so exact.
  double a = 0;
  double b = 0;
  switch (chart) {
    case ChartBalance:
      ForEachSelected<false>(logger, filter, [&](const uint8_t* bytes, TLogRecord& record, bool) {
        TLogRecord::DecodeOutcome(bytes, record);
        const double u = unit(record);
        a += (record.Win - record.Bet) * u;
        b += (record.PerfectWin - record.Bet) * u;
        first.push_back(a);
        second.push_back(b);
      });
      break;
    case ChartAccuracy:
      ForEachSelected<true>(logger, filter,
                            [&](const uint8_t* bytes, TLogRecord& record, bool dateSelected) {
                              TLogRecord::DecodeOutcome(bytes, record);
                              a += record.PlayerReturn;
                              b += record.BestReturn;
                              if (dateSelected && b > 0) first.push_back(100 * a / b);
                            });
      break;
    case ChartHandRate:
      ForEachSelected<true>(logger, filter,
                            [&](const uint8_t* bytes, TLogRecord& record, bool dateSelected) {
                              TLogRecord::DecodeEndTime(bytes, record);
                              a += 1;
                              b += record.EndTime - record.DealTime;
                              if (dateSelected && b > 0) first.push_back(a / (24 * b));
                            });
      break;
    case ChartLossOnErrors:
      ForEachSelected<false>(logger, filter, [&](const uint8_t* bytes, TLogRecord& record, bool) {
        TLogRecord::DecodeOutcome(bytes, record);
        const double u = unit(record);
        a += (record.Win - record.PerfectWin) * u;
        b += (record.PlayerReturn - record.BestReturn) * u;
        first.push_back(a);
        second.push_back(b);
      });
      break;
    case ChartDoubleUpBalance:
      ForEachSelected<false>(logger, filter, [&](const uint8_t* bytes, TLogRecord& record, bool) {
        TLogRecord::DecodeOutcome(bytes, record);
        if (record.DoubleCount == 0) return;
        a += (record.Win - record.HandWin) * unit(record);
        first.push_back(a);
      });
      break;
    default:
      break;
  }
  return series;
}

std::vector<TChartPoint> ReduceSeries(const std::vector<double>& values, size_t buckets) {
  const size_t count = values.size();
  std::vector<TChartPoint> points;
  const auto add = [&](size_t i) { points.push_back({static_cast<double>(i + 1), values[i]}); };
  if (buckets == 0 || count <= 2 * buckets + 2) {
    points.reserve(count);
    for (size_t i = 0; i < count; ++i) add(i);
    return points;
  }
  points.reserve(2 * buckets + 2);
  add(0);
  // Points 1 .. count-2 in `buckets` runs; each run holds at least two points.
  const size_t inner = count - 2;
  for (size_t bucket = 0; bucket < buckets; ++bucket) {
    const size_t begin = 1 + inner * bucket / buckets;
    const size_t end = 1 + inner * (bucket + 1) / buckets;
    size_t low = begin;
    size_t high = begin;
    for (size_t i = begin + 1; i < end; ++i) {
      if (values[i] < values[low]) low = i;
      if (values[i] > values[high]) high = i;
    }
    add(std::min(low, high));
    if (low != high) add(std::max(low, high));
  }
  add(count - 1);
  return points;
}

void WriteChartCsv(std::ostream& out, const TChartSeries& series,
                   const std::vector<std::string>& names) {
  const int columns = ChartInfo(series.Chart).SeriesCount;
  std::string text = "hands";
  for (int s = 0; s < columns; ++s) {
    text += ',';
    if (static_cast<size_t>(s) < names.size()) text += CsvField(names[static_cast<size_t>(s)]);
  }
  text += '\n';
  char number[32];
  const auto append = [&](auto value) {
    const auto end = std::to_chars(number, number + sizeof number, value).ptr;
    text.append(number, end);
  };
  for (size_t i = 0; i < series.Points(); ++i) {
    append(i + 1);
    for (int s = 0; s < columns; ++s) {
      text += ',';
      append(series.Values[static_cast<size_t>(s)][i]);
    }
    text += '\n';
    // Written in blocks, so a long series never sits twice in memory.
    if (text.size() > (1U << 16)) {
      out << text;
      text.clear();
    }
  }
  out << text;
}

void TProgressCharts::SetLogger(TLogger& logger) {
  follower_.SetLogger(logger);
}

void TProgressCharts::SetActive(bool active) {
  active_ = active;
  if (active_) Recompute();
}

void TProgressCharts::SetChart(int chart) {
  ChartInfo(chart);
  series_.Chart = chart;
  if (active_) Recompute();
}

void TProgressCharts::SetDollars(bool dollars) {
  if (dollars == dollars_) return;
  dollars_ = dollars;
  if (active_) Recompute();
}

void TProgressCharts::Recompute() {
  const int chart = series_.Chart;
  if (const TLogFilter* filter = follower_.Follow()) {
    series_ = ComputeChart(chart, *follower_.Logger(), *filter, dollars_);
  } else {
    series_ = TChartSeries{};
    series_.Chart = chart;
  }
  for (size_t s = 0; s < reduced_.size(); ++s) reduced_[s] = ReduceSeries(series_.Values[s]);
  if (OnChange) OnChange();
}

}  // namespace tavrik
