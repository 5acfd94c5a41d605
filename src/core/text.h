#pragma once

#include <optional>
#include <string_view>

namespace tavrik {

// The text without leading and trailing blanks (spaces, tabs, CR, LF).
std::string_view Trim(std::string_view text);
// A whole text as a decimal 32-bit integer with an optional sign; nothing when the text is
// empty, holds anything else, or does not fit.
std::optional<int> ParseInt(std::string_view text);

}  // namespace tavrik
