#include "records/mistake.h"

#include <gtest/gtest.h>

namespace tavrik {
namespace {

TEST(Mistake, ErrorsWarningsAndGrades) {
  // Player's return, best return (coins) -> logged as an error, warned before the draw.
  const std::tuple<double, double, bool, bool> cases[] = {
      {1.5, 1.5, false, false},      {1.5, 1.4, false, false},
      {1.5, 1.5000001, true, false},  // any shortfall is an error in the log
      {0, 0.01, true, false},        {0, 0.0100001, true, true},
      {-0.5, 4, true, true}};
  for (const auto& [player, best, isError, warns] : cases) {
    const TLogRecord record{.PlayerReturn = player, .BestReturn = best};
    EXPECT_EQ(IsError(record), isError) << player << " vs " << best;
    EXPECT_EQ(ShowsWarning(player, best), warns) << player << " vs " << best;
  }
  // Loss in percent of the bet -> grade.
  const std::pair<double, TErrorGrade> grades[] = {
      {0, GRADE_NONE},   {0.00001, GRADE_NONE}, {0.0000101, GRADE_MINOR}, {1.99, GRADE_MINOR},
      {2, GRADE_MEDIUM}, {20, GRADE_MEDIUM},    {20.01, GRADE_SERIOUS},   {-3, GRADE_NONE}};
  for (const auto& [lossPercent, grade] : grades) {
    EXPECT_EQ(GradeError(lossPercent / 100), grade) << lossPercent;
  }
}

}  // namespace
}  // namespace tavrik
