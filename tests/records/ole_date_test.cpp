#include "records/ole_date.h"

#include <gtest/gtest.h>

namespace tavrik {
namespace {

TEST(OleDate, KnownDatesAndRounding) {
  const std::pair<QDateTime, double> cases[] = {
      {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
      {QDateTime(QDate(1900, 1, 1), QTime(18, 0)), 2.75},
      {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},  // the fraction counts forward
      {QDateTime(QDate(2024, 2, 29), QTime(12, 0)), 45351.5},
  };
  for (const auto& [dateTime, ole] : cases) {
    EXPECT_DOUBLE_EQ(ToOleDate(dateTime), ole);
    EXPECT_EQ(FromOleDate(ole), dateTime);
  }
  const QDateTime lastMillisecond(QDate(2023, 7, 14), QTime(23, 59, 59, 999));
  EXPECT_EQ(FromOleDate(ToOleDate(lastMillisecond)), lastMillisecond);
  // Within half a millisecond of midnight belongs to the next day.
  EXPECT_EQ(FromOleDate(45121.9999999999), QDateTime(QDate(2023, 7, 15), QTime(0, 0)));
}

}  // namespace
}  // namespace tavrik
