#pragma once

#include <chrono>

namespace tavrik {

// A local wall-clock date and time as a calendar shows it (proleptic Gregorian calendar,
// no time zone attached).
struct TLocalDateTime {
  int Year = 1899;
  int Month = 12;       // 1..12
  int Day = 30;         // 1..31
  int Hour = 0;         // 0..23
  int Minute = 0;       // 0..59
  int Second = 0;       // 0..59
  int Millisecond = 0;  // 0..999

  friend bool operator==(const TLocalDateTime&, const TLocalDateTime&) = default;
};

// Dates as the log and the settings file keep them: OLE Automation dates, days since
// 1899-12-30 00:00 local time, the time of day as the fraction (for dates before the epoch
// the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00). Local
// wall-clock fields convert without any time zone; only OleDateNow and LocalDateTimeOf
// consult the zone (TZ).
double ToOleDate(const TLocalDateTime& dateTime);
// The local date-time of an OLE date, rounded to the millisecond; within half a
// millisecond of midnight belongs to the next day. Dates outside the years 100..9999 are
// clamped into them; not a number gives the epoch.
TLocalDateTime FromOleDate(double oleDate);
// The local wall-clock date-time of an instant in the current time zone (localtime_r).
TLocalDateTime LocalDateTimeOf(std::chrono::system_clock::time_point instant);
// The current local date-time as an OLE date.
double OleDateNow();

}  // namespace tavrik
