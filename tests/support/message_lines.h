#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"

// The lines of an error message: the first message, then one context per operation it
// passed through, innermost first. A stray carriage return stays on its line, so a chain
// joined by anything but "\n" does not compare equal.
inline std::vector<std::string> MessageLines(std::string_view message) {
  std::vector<std::string> lines;
  for (size_t start = 0;;) {
    const size_t end = message.find('\n', start);
    lines.emplace_back(message.substr(start, end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

// The message of the error `action` raises; "no exception" when it raises none.
template <class Action>
std::string RaisedMessage(Action&& action) {
  try {
    action();
  } catch (const tavrik::TError& error) {
    return error.Message();
  }
  return "no exception";
}

// The message lines of the error `action` raises; {"no exception"} when it raises none.
template <class Action>
std::vector<std::string> RaisedLines(Action&& action) {
  return MessageLines(RaisedMessage(action));
}
