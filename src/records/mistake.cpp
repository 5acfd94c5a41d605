#include "records/mistake.h"

namespace tavrik {

TErrorGrade GradeError(double loss) {
  const double percent = loss * 100;
  if (percent <= NoErrorPercent) return GRADE_NONE;
  if (percent > SeriousPercent) return GRADE_SERIOUS;
  if (percent >= MediumPercent) return GRADE_MEDIUM;
  return GRADE_MINOR;
}

}  // namespace tavrik
