#include "records/ole_date.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace tavrik {

namespace {

constexpr int64_t MsecsPerDay = 86'400'000;

// Days from 1970-01-01 to a proleptic Gregorian date. Counts in 400-year eras of 146097
// days, with the year starting on 1 March so that the leap day ends it.
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;  // 0..399
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// The inverse of DaysFromCivil.
void CivilFromDays(int64_t days, TLocalDateTime& date) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;  // 0..146096
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // 0..399
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0..11, March first
  date.Day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  date.Month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  date.Year = static_cast<int>(yearOfEra + era * 400 + (date.Month <= 2 ? 1 : 0));
}

const int64_t EpochDays = DaysFromCivil(1899, 12, 30);

}  // namespace

double ToOleDate(const TLocalDateTime& dateTime) {
  const auto days =
      static_cast<double>(DaysFromCivil(dateTime.Year, dateTime.Month, dateTime.Day) - EpochDays);
  const int64_t msecs =
      ((int64_t{dateTime.Hour} * 60 + dateTime.Minute) * 60 + dateTime.Second) * 1000 +
      dateTime.Millisecond;
  const double fraction = static_cast<double>(msecs) / static_cast<double>(MsecsPerDay);
  return days >= 0 ? days + fraction : days - fraction;
}

TLocalDateTime FromOleDate(double oleDate) {
  // A damaged record may hold any bits: dates stay within 0100-01-01 .. 9999-12-31.
  constexpr double FirstDay = -657434;
  constexpr double LastDay = 2958465;
  oleDate = std::isnan(oleDate) ? 0 : std::clamp(oleDate, FirstDay, LastDay);
  double days = std::trunc(oleDate);
  auto msecs = static_cast<int64_t>(
      std::llround(std::fabs(oleDate - days) * static_cast<double>(MsecsPerDay)));
  if (msecs >= MsecsPerDay) {  // rounded up to the next midnight
    msecs = 0;
    days += 1;
  }
  TLocalDateTime result;
  CivilFromDays(EpochDays + static_cast<int64_t>(days), result);
  result.Millisecond = static_cast<int>(msecs % 1000);
  result.Second = static_cast<int>(msecs / 1000 % 60);
  result.Minute = static_cast<int>(msecs / 60'000 % 60);
  result.Hour = static_cast<int>(msecs / 3'600'000);
  return result;
}

TLocalDateTime LocalDateTimeOf(std::chrono::system_clock::time_point instant) {
  using namespace std::chrono;
  // Whole seconds rounded down, so that instants before 1970 keep a forward millisecond.
  const auto seconds = floor<std::chrono::seconds>(instant);
  const auto msecs = duration_cast<milliseconds>(instant - seconds).count();
  const std::time_t time = system_clock::to_time_t(seconds);
  std::tm local{};
  ::localtime_r(&time, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,          local.tm_hour,
          local.tm_min,         local.tm_sec,     static_cast<int>(msecs)};
}

double OleDateNow() {
  return ToOleDate(LocalDateTimeOf(std::chrono::system_clock::now()));
}

}  // namespace tavrik
