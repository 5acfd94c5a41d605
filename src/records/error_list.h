#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/log_record.h"
#include "records/mistake.h"
#include "records/money.h"

namespace tavrik {

class TLogFilter;
class TLogger;

// Bits of a grade set: 1 << grade (2 serious, 4 medium, 8 minor).
inline constexpr int AllGrades = (1 << GRADE_SERIOUS) | (1 << GRADE_MEDIUM) | (1 << GRADE_MINOR);

// Columns of the errors list, in order; a sort column is 0 for log order, +k ascending by
// column k, -k descending.
enum TErrorColumn : int {
  ErrorColumnHand = 1,        // by DealTime
  ErrorColumnYourReturn = 2,  // by PlayerReturn / Bet
  ErrorColumnBestReturn = 3,  // by BestReturn / Bet
  ErrorColumnDifference = 4   // by (BestReturn - PlayerReturn) / Bet, smallest loss first
};

// The expected loss of a round's hold as a fraction of its bet (0.05 is 5 percent).
inline double ErrorLoss(const TLogRecord& record) {
  return record.Bet == 0 ? 0 : (record.BestReturn - record.PlayerReturn) / record.Bet;
}
inline TErrorGrade GradeOf(const TLogRecord& record) {
  return GradeError(ErrorLoss(record));
}

// The errors of the hand log that a filter selects, graded and sorted: the rows of the
// errors window and of `tavrik-calc errors`. Rows keep positions in the log, so the list
// is valid until the log changes.
class TErrorList {
 public:
  // The records `filter` matches whose grade is in `grades` (bits 1 << grade), in log
  // order, then sorted by the current sort column.
  void Rebuild(const TLogger& logger, const TLogFilter& filter, int grades);
  // Sorts by `column` (0 log order, +k ascending, -k descending). Equal keys keep log
  // order in either direction.
  void Sort(int column);
  // A header click on column k (1..4): flips the direction when k is the sort column,
  // else sorts ascending by k.
  void ClickColumn(int column);
  int SortColumn() const { return sortColumn_; }

  size_t Count() const { return rows_.size(); }
  // Position in the log of row `row`.
  size_t RecordIndex(size_t row) const { return rows_[row].Index; }
  TErrorGrade Grade(size_t row) const { return static_cast<TErrorGrade>(rows_[row].Grade); }
  // The record of row `row`, decoded from the log the list was built from.
  TLogRecord Record(size_t row) const;

 private:
  struct TRow {
    uint32_t Index;
    uint8_t Grade;
  };
  std::vector<TRow> rows_;
  const TLogger* logger_ = nullptr;
  int sortColumn_ = 0;
};

// The three lines of a return cell: the expected return in percent of the bet
// ("%10.5f%%" trimmed), the expected value and the real result as money (MoneyText with 5
// and 2 decimals, empty for exactly 0), for an expected `expected` and a real `real` in
// coins.
struct TReturnLines {
  std::string Percent;
  std::string Expected;
  std::string Real;
};
TReturnLines ReturnLines(double expected, double real, const TLogRecord& record);

}  // namespace tavrik
