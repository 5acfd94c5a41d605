#pragma once

#include <optional>
#include <string_view>
#include <utility>

namespace tavrik {

// The text without leading and trailing blanks (spaces, tabs, CR, LF).
std::string_view Trim(std::string_view text);
// A whole text as a decimal 32-bit integer with an optional sign; nothing when the text is
// empty, holds anything else, or does not fit.
std::optional<int> ParseInt(std::string_view text);

// Walks INI text line by line (either line end; anything after a NUL is padding): calls
// onSection(name) for a "[name]" line and onLine(line) for every other non-blank line,
// the line without its line end but otherwise as written.
template <class OnSection, class OnLine>
void ForEachIniLine(std::string_view text, OnSection&& onSection, OnLine&& onLine) {
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty()) continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      onSection(trimmed.substr(1, trimmed.size() - 2));
    } else {
      onLine(line);
    }
  }
}

}  // namespace tavrik
