#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrik {

// Values of the settings file's "Params" section that need more than an integer.

// A play time (day fraction) as the total "H:MM:SS"; hours pass 24 ("26:13:05") and have
// at least two digits.
std::string FormatPlayTime(double days);
// Reads "H:MM:SS" with any number of hours, and the older time-of-day form with "AM" or
// "PM" ("2:13:05 PM"); nothing for anything else.
std::optional<double> ParsePlayTime(std::string_view text);

// A float written with "." whatever the locale, in the shortest form that reads back
// exactly.
std::string FormatFloat(double value);
// A float written with "." or "," as the decimal separator; nothing when it is not one.
std::optional<double> ParseFloat(std::string_view text);

}  // namespace tavrik
