#pragma once

#include "records/log_record.h"

namespace tavrik {

// What the trainer calls a mistake, in one place. Everything that judges a hold uses these
// rules: the error lists and problem hands of the log (IsError), the warning before the
// draw (ShowsWarning), and the grade a loss gets in statistics, error lists and charts
// (GradeError). Returns are expected coins at the bet of the round.

// Grades of GradeError, most serious first; the integer values are fixed.
enum TErrorGrade : int { GRADE_NONE = 0, GRADE_SERIOUS = 1, GRADE_MEDIUM = 2, GRADE_MINOR = 3 };

// A logged round is an error when the player's hold returned less than the best hold, by
// any amount: logs written earlier are judged the same way.
inline bool IsError(const TLogRecord& record) {
  return record.PlayerReturn < record.BestReturn;
}

// Coins the chosen hold must fall short of the best one by before the warning shows,
// unless the player chose another figure.
inline constexpr double DefaultWarningThreshold = 0.01;

// Whether a hold returning `playerReturn` coins against the best hold's `bestReturn`
// deserves the warning: it is more than `threshold` coins short.
inline bool ShowsWarning(double playerReturn, double bestReturn,
                         double threshold = DefaultWarningThreshold) {
  return bestReturn - playerReturn > threshold;
}

// Losses in percent of the bet that bound the grades: up to NoErrorPercent is no error,
// from MediumPercent to SeriousPercent medium, above SeriousPercent serious, anything
// between minor.
inline constexpr double NoErrorPercent = 0.00001;
inline constexpr double MediumPercent = 2;
inline constexpr double SeriousPercent = 20;

// Grades a loss, the shortfall of the player's expected return against the best one as a
// fraction of the bet (0.05 is 5 percent).
TErrorGrade GradeError(double loss);

}  // namespace tavrik
