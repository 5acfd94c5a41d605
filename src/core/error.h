#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace tavrik {

// The one exception type of the program. Its message grows by one context line per
// operation it passes through on the way out: first message, then "\n" + context of
// each level, innermost first.
class TError : public std::exception {
 public:
  explicit TError(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  void AppendContext(std::string_view context) {
    message_ += '\n';
    message_ += context;
  }

 private:
  std::string message_;
};

// Runs `body`; any exception escaping it is raised again as a TError whose message has
// "\n" + context appended. `context` is either text or a callable returning text, so that
// formatting (a mask, a counter) happens only when something failed.
template <class Context, class Body>
decltype(auto) WithContext(Context&& context, Body&& body) {
  auto contextText = [&]() -> std::string {
    if constexpr (std::is_invocable_v<Context>) {
      return std::string(context());
    } else {
      return std::string(context);
    }
  };
  try {
    return body();
  } catch (TError& error) {
    error.AppendContext(contextText());
    throw;
  } catch (const std::exception& error) {
    TError wrapped(error.what());
    wrapped.AppendContext(contextText());
    throw wrapped;
  }
}

[[noreturn]] void ThrowOutOfRange(std::string_view what, long long value);

// Raises a TError with `message` when `condition` is false.
inline void Require(bool condition, const char* message) {
  if (!condition) throw TError(message);
}

// Raises "<what> out of range: <value>" unless low <= value <= high. The message is built
// only on failure, so the check is cheap enough for every call at a boundary.
inline void RequireInRange(long long value, long long low, long long high, std::string_view what) {
  if (value < low || value > high) ThrowOutOfRange(what, value);
}

}  // namespace tavrik
