#include "records/ole_date.h"

#include <gtest/gtest.h>

namespace tavrik {
namespace {

TEST(OleDate, KnownDates) {
  struct Case {
    QDateTime dateTime;
    double ole;
  };
  const Case cases[] = {
      {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
      {QDateTime(QDate(1900, 1, 1), QTime(18, 0)), 2.75},
      {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
      {QDateTime(QDate(2024, 2, 29), QTime(12, 0)), 45351.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dateTime.toString().toStdString());
    EXPECT_DOUBLE_EQ(ToOleDate(c.dateTime), c.ole);
    EXPECT_EQ(FromOleDate(c.ole), c.dateTime);
  }
}

TEST(OleDate, RoundTripToTheMillisecond) {
  const QDateTime start(QDate(2023, 7, 14), QTime(23, 59, 59, 999));
  EXPECT_EQ(FromOleDate(ToOleDate(start)), start);
  // A fraction within half a millisecond of midnight belongs to the next day.
  EXPECT_EQ(FromOleDate(45121.9999999999), QDateTime(QDate(2023, 7, 15), QTime(0, 0)));
  const double now = OleDateNow();
  EXPECT_NEAR(ToOleDate(FromOleDate(now)), now, 1e-8);
}

}  // namespace
}  // namespace tavrik
