#pragma once

#include <QDateTime>

namespace tavrik {

// Dates as the log and the settings file keep them: OLE Automation dates, days since
// 1899-12-30 00:00 local time, the time of day as the fraction (for dates before the epoch
// the fraction still counts forward from midnight: -1.25 is 1899-12-29 06:00).
double ToOleDate(const QDateTime& dateTime);
// The local date-time of an OLE date, to the millisecond.
QDateTime FromOleDate(double oleDate);
// The current local date-time as an OLE date.
double OleDateNow();

}  // namespace tavrik
