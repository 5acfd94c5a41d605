#include "records/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace tavrik {

void PrintTo(const TLocalDateTime& t, std::ostream* out) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day,
                t.Hour, t.Minute, t.Second, t.Millisecond);
  *out << text;
}

namespace {

using std::chrono::system_clock;

constexpr const char* Berlin = "CET-1CEST,M3.5.0,M10.5.0/3";

// Sets TZ for the life of the object, then puts back what was there.
struct TimeZone {
  explicit TimeZone(const char* zone) {
    if (const char* was = std::getenv("TZ")) old = was;
    Set(zone);
  }
  ~TimeZone() { Set(old ? old->c_str() : nullptr); }
  static void Set(const char* zone) {
    zone != nullptr ? ::setenv("TZ", zone, 1) : ::unsetenv("TZ");
    ::tzset();
  }
  std::optional<std::string> old;
};

TEST(OleDate, KnownDatesAndRounding) {
  const std::pair<TLocalDateTime, double> cases[] = {
      {{1899, 12, 30, 0, 0, 0, 0}, 0.0},     {{1900, 1, 1, 18, 0, 0, 0}, 2.75},
      {{1899, 12, 29, 6, 0, 0, 0}, -1.25},  // the fraction counts forward
      {{2024, 2, 29, 12, 0, 0, 0}, 45351.5}, {{9999, 12, 31, 0, 0, 0, 0}, 2958465.0},
  };
  for (const auto& [dateTime, ole] : cases) {
    EXPECT_DOUBLE_EQ(ToOleDate(dateTime), ole) << ::testing::PrintToString(dateTime);
    EXPECT_EQ(FromOleDate(ole), dateTime) << ole;
  }
  const TLocalDateTime lastMillisecond{2023, 7, 14, 23, 59, 59, 999};
  EXPECT_EQ(FromOleDate(ToOleDate(lastMillisecond)), lastMillisecond);
  // Within half a millisecond of midnight belongs to the next day, before the epoch too.
  EXPECT_EQ(FromOleDate(45121.9999999999), (TLocalDateTime{2023, 7, 15}));
  EXPECT_EQ(FromOleDate(-1.9999999999), (TLocalDateTime{1899, 12, 30}));
  // Dates a damaged log may hold stay within the years 100 to 9999 (not a number: the epoch).
  const std::pair<double, TLocalDateTime> damaged[] = {
      {std::nan(""), {1899, 12, 30}}, {1e300, {9999, 12, 31}}, {-HUGE_VAL, {100, 1, 1}}};
  for (const auto& [ole, dateTime] : damaged) EXPECT_EQ(FromOleDate(ole), dateTime) << ole;
}

TEST(OleDate, EveryDayFollowsThePreviousOne) {
  // Day by day from 1601 to 2400, counted with the leap-year rule alone: every OLE day
  // number names the next calendar day and converts back, at any time of day.
  const auto leap = [](int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); };
  const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  TLocalDateTime day{1601, 1, 1};
  const double first = ToOleDate(day);
  ASSERT_DOUBLE_EQ(first, -109205.0);
  for (double n = first; day.Year <= 2400; n += 1) {
    const TLocalDateTime afternoon{day.Year, day.Month, day.Day, 13, 7, 45, 321};
    ASSERT_EQ(FromOleDate(n), day) << n;
    ASSERT_EQ(FromOleDate(ToOleDate(afternoon)), afternoon);
    const int length = monthDays[day.Month - 1] + (day.Month == 2 && leap(day.Year) ? 1 : 0);
    if (++day.Day > length) {
      day.Day = 1;
      if (++day.Month > 12) {
        day.Month = 1;
        ++day.Year;
      }
    }
  }
}

TEST(OleDate, LocalClockAcrossDaylightSavingChanges) {
  // Berlin's rule as a POSIX TZ string, so that no time-zone database is needed.
  const TimeZone berlin(Berlin);
  // Instant (seconds and milliseconds since 1970 UTC) -> Berlin wall clock.
  const std::tuple<int64_t, int, TLocalDateTime> cases[] = {
      {1711846799, 999, {2024, 3, 31, 1, 59, 59, 999}},   // last moment of winter time
      {1711846800, 0, {2024, 3, 31, 3, 0, 0, 0}},         // clocks jump forward
      {1729990799, 500, {2024, 10, 27, 2, 59, 59, 500}},  // first 02:59 (summer time)
      {1729990800, 0, {2024, 10, 27, 2, 0, 0, 0}},        // clocks go back
      {1729994399, 0, {2024, 10, 27, 2, 59, 59, 0}},      // second 02:59 (winter time)
      {1703977199, 250, {2023, 12, 30, 23, 59, 59, 250}},
      {-1, 500, {1970, 1, 1, 0, 59, 59, 500}},  // before 1970 the milliseconds count forward
  };
  for (const auto& [seconds, msecs, expected] : cases) {
    const system_clock::time_point instant =
        system_clock::time_point(std::chrono::seconds(seconds)) + std::chrono::milliseconds(msecs);
    EXPECT_EQ(LocalDateTimeOf(instant), expected) << seconds;
  }
  // Wall-clock fields convert without the zone: a time Berlin skips comes back unchanged.
  const TLocalDateTime skipped{2024, 3, 31, 2, 30, 0, 0};
  EXPECT_EQ(FromOleDate(ToOleDate(skipped)), skipped);
}

TEST(OleDate, NowIsTheLocalWallClock) {
  // Compared with localtime_r of the instants just before and after, in zones on both sides
  // of UTC and in zones with daylight-saving time.
  for (const char* zone : {Berlin, "<+0545>-5:45", "NST3:30NDT,M3.2.0,M11.1.0", "UTC0"}) {
    const TimeZone timeZone(zone);
    const auto local = [](system_clock::time_point instant) {
      const std::time_t time = system_clock::to_time_t(instant);
      std::tm tm{};
      ::localtime_r(&time, &tm);
      return ToOleDate(
          {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, 0});
    };
    const system_clock::time_point before = system_clock::now();
    const double now = OleDateNow();
    const system_clock::time_point after = system_clock::now();
    EXPECT_GE(now, local(before)) << zone;
    EXPECT_LT(now, local(after) + 1.0 / 86400) << zone;
  }
}

}  // namespace
}  // namespace tavrik
