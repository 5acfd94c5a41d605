#include "records/error_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/error.h"
#include "records/log_filter.h"
#include "records/logger.h"

namespace tavrik {

namespace {

// Trims the blanks a fixed-width printf format puts in front.
std::string Trimmed(const char* text) {
  std::string_view view(text);
  view.remove_prefix(std::min(view.find_first_not_of(' '), view.size()));
  return std::string(view);
}

// The key rows are sorted by in column `column` (1..4).
double SortKey(const TLogRecord& record, int column) {
  const double bet = record.Bet == 0 ? 1 : record.Bet;
  switch (column) {
    case ErrorColumnHand:
      return record.DealTime;
    case ErrorColumnYourReturn:
      return record.PlayerReturn / bet;
    case ErrorColumnBestReturn:
      return record.BestReturn / bet;
    default:
      return (record.BestReturn - record.PlayerReturn) / bet;
  }
}

}  // namespace

void TErrorList::Rebuild(const TLogger& logger, const TLogFilter& filter, int grades) {
  logger_ = &logger;
  rows_.clear();
  const uint8_t* bytes = logger.Data();
  const size_t count = logger.RecordCount();
  TLogRecord record;
  for (size_t i = 0; i < count; ++i, bytes += TLogRecord::Size) {
    TLogRecord::DecodeKey(bytes, record);
    if (!filter.Matches(record)) continue;
    TLogRecord::DecodeOutcome(bytes, record);
    if (!IsError(record)) continue;  // most hands: no need to grade them
    const TErrorGrade grade = GradeOf(record);
    if (grade != GRADE_NONE && ((grades >> grade) & 1) != 0) {
      rows_.push_back({static_cast<uint32_t>(i), static_cast<uint8_t>(grade)});
    }
  }
  const int column = sortColumn_;
  sortColumn_ = 0;
  Sort(column);
}

void TErrorList::Sort(int column) {
  RequireInRange(column, -ErrorColumnDifference, ErrorColumnDifference, "Sort column");
  if (column == 0) {
    // Back to log order, which every other order starts from so that ties keep it.
    std::sort(rows_.begin(), rows_.end(),
              [](const TRow& a, const TRow& b) { return a.Index < b.Index; });
  } else {
    if (sortColumn_ != 0) Sort(0);
    std::vector<std::pair<double, size_t>> keys(rows_.size());
    for (size_t row = 0; row < rows_.size(); ++row) {
      keys[row] = {SortKey(Record(row), std::abs(column)), row};
    }
    const auto less = [](const auto& a, const auto& b) { return a.first < b.first; };
    const auto greater = [](const auto& a, const auto& b) { return a.first > b.first; };
    if (column > 0) {
      std::stable_sort(keys.begin(), keys.end(), less);
    } else {
      std::stable_sort(keys.begin(), keys.end(), greater);
    }
    std::vector<TRow> sorted;
    sorted.reserve(rows_.size());
    for (const auto& key : keys) sorted.push_back(rows_[key.second]);
    rows_ = std::move(sorted);
  }
  sortColumn_ = column;
}

void TErrorList::ClickColumn(int column) {
  RequireInRange(column, ErrorColumnHand, ErrorColumnDifference, "Sort column");
  Sort(std::abs(sortColumn_) == column ? -sortColumn_ : column);
}

TLogRecord TErrorList::Record(size_t row) const {
  return logger_->Record(rows_.at(row).Index);
}

TReturnLines ReturnLines(double expected, double real, const TLogRecord& record) {
  const double coin = CoinDollars(record.CoinValueIndex);
  char percent[64];
  std::snprintf(percent, sizeof percent, "%10.5f%%",
                record.Bet == 0 ? 0.0 : 100 * expected / record.Bet);
  const auto money = [coin](double coins, int decimals) {
    return coins == 0 ? std::string() : MoneyText(coins * coin, decimals);
  };
  return {Trimmed(percent), money(expected, 5), money(real, 2)};
}

}  // namespace tavrik
