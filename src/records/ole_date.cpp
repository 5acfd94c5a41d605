#include "records/ole_date.h"

#include <cmath>

namespace tavrik {

namespace {
constexpr double MsecsPerDay = 86400000.0;
QDate Epoch() {
  return QDate(1899, 12, 30);
}
}  // namespace

double ToOleDate(const QDateTime& dateTime) {
  const QDateTime local = dateTime.toLocalTime();
  const double days = static_cast<double>(Epoch().daysTo(local.date()));
  const double fraction = local.time().msecsSinceStartOfDay() / MsecsPerDay;
  return days >= 0 ? days + fraction : days - fraction;
}

QDateTime FromOleDate(double oleDate) {
  double days = std::trunc(oleDate);
  auto msecs = static_cast<qint64>(std::llround(std::fabs(oleDate - days) * MsecsPerDay));
  if (msecs >= static_cast<qint64>(MsecsPerDay)) {  // rounded up to the next midnight
    msecs = 0;
    days += 1;
  }
  const QDate date = Epoch().addDays(static_cast<qint64>(days));
  return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

double OleDateNow() {
  return ToOleDate(QDateTime::currentDateTime());
}

}  // namespace tavrik
