#include "records/error_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/error.h"
#include "records/logger.h"
#include "support/test_log.h"

namespace tavrik {
namespace {

constexpr double Now = 46000.5;

// A round of Jacks or better at `bet` coins whose hold returned `player` expected coins
// against the best hold's `best`.
TLogRecord Round(int bet, double player, double best, double dealTime = Now) {
  return test::JacksHand(bet, 2, 0, 0, 0, 0, player, best, dealTime);
}

struct TLog : test::TTestLog {
  explicit TLog(const std::vector<TLogRecord>& records) : TTestLog(records, Now - 1) {}
  // Log positions of the listed rows, in list order, after a rebuild for `grades`.
  std::vector<size_t> Rows(int grades = AllGrades) {
    list.Rebuild(logger, logger.Filter(), grades);
    return Order();
  }
  std::vector<size_t> Order() const {
    std::vector<size_t> rows;
    for (size_t row = 0; row < list.Count(); ++row) rows.push_back(list.RecordIndex(row));
    return rows;
  }
  TErrorList list;
};

using Rows = std::vector<size_t>;

TEST(ErrorList, GradesDecideWhatIsListed) {
  // Losses in percent of a 5-coin bet: 0, 0.00001 (the bound, no error), just above it,
  // 4 (medium), 20 (still medium), just above 20 (serious), a gain.
  TLog log({Round(5, 4, 4), Round(5, 4, 4 + 5e-7), Round(5, 4, 4 + 6e-7), Round(5, 4, 4.2),
            Round(5, 3, 4), Round(5, 2.99, 4), Round(5, 4, 3)});
  const std::pair<int, Rows> cases[] = {
      {AllGrades, {2, 3, 4, 5}},
      {1 << GRADE_MINOR, {2}},
      {1 << GRADE_MEDIUM, {3, 4}},
      {1 << GRADE_SERIOUS, {5}},
      {0, {}},
  };
  for (const auto& [grades, rows] : cases) EXPECT_EQ(log.Rows(grades), rows) << grades;
  log.Rows();
  EXPECT_EQ(log.list.Grade(0), GRADE_MINOR);
  EXPECT_EQ(log.list.Grade(3), GRADE_SERIOUS);

  // The filter decides first: another mode is left out.
  log.logger.Filter().SetModes(1 << 1);
  EXPECT_EQ(log.Rows(), Rows{});
}

TEST(ErrorList, SortOrdersKeepLogOrderOnTies) {
  // Losses per coin: 0.25, 0.125, 0.25, 0.4 (bets differ, so the key is per coin bet);
  // the last was dealt first.
  TLog log(
      {Round(1, 0.5, 0.75), Round(2, 1, 1.25), Round(1, 0.25, 0.5), Round(5, 1, 3, Now - 0.5)});
  log.Rows();
  TErrorList& list = log.list;
  const std::pair<int, Rows> clicks[] = {
      {ErrorColumnDifference, {1, 0, 2, 3}},  // smallest loss first
      {ErrorColumnDifference, {3, 0, 2, 1}},  // twice: most expensive first, ties in log order
      {ErrorColumnHand, {3, 0, 1, 2}},       {ErrorColumnYourReturn, {3, 2, 0, 1}},
      {ErrorColumnYourReturn, {0, 1, 2, 3}}, {ErrorColumnBestReturn, {2, 3, 1, 0}},
  };
  for (const auto& [column, rows] : clicks) {
    list.ClickColumn(column);
    EXPECT_EQ(log.Order(), rows) << "after a click on " << column << ", sort " << list.SortColumn();
  }
  // A rebuild keeps the order; sort 0 is log order again.
  EXPECT_EQ(log.Rows(), (Rows{2, 3, 1, 0}));
  list.Sort(0);
  EXPECT_EQ(log.Order(), (Rows{0, 1, 2, 3}));
  EXPECT_THROW(list.ClickColumn(5), TError);
}

TEST(ErrorList, ReturnLinesAndMoney) {
  const std::tuple<double, int, const char*> money[] = {
      {0, 2, "$0.00"},     {-0.001, 2, "$0.00"},      {1.5, 2, "$1.50"},
      {-1.5, 2, "-$1.50"}, {0.123456, 5, "$0.12346"}, {-12345.678, 2, "-$12345.68"},
  };
  for (const auto& [dollars, decimals, text] : money) {
    EXPECT_EQ(MoneyText(dollars, decimals), text) << dollars;
  }
  TLogRecord record = Round(5, 2.5, 4);
  record.CoinValueIndex = 0;  // $0.25
  const TReturnLines lines = ReturnLines(record.PlayerReturn - record.BestReturn, 0, record);
  EXPECT_EQ(lines.Percent, "-30.00000%");
  EXPECT_EQ(lines.Expected, "-$0.37500");
  EXPECT_EQ(lines.Real, "") << "a real result of 0 leaves the line empty";
}

}  // namespace
}  // namespace tavrik
