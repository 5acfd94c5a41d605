#pragma once

#include <exception>
#include <functional>

namespace tavrik {

// What happens to an error no operation handled: the program installs the error report;
// without one, the message goes to standard error.
using TErrorHandler = std::function<void(const std::exception&)>;

// Installs `handler` and returns the one it replaces.
TErrorHandler SetErrorHandler(TErrorHandler handler);
// Passes the error to the installed handler. An error raised by the handler itself is
// written to standard error and not reported again.
void HandleError(const std::exception& error);

// Runs an event handler's body; an exception escaping it goes to HandleError, so the
// window goes on working.
template <class Body>
void Guarded(Body&& body) {
  try {
    body();
  } catch (const std::exception& error) {
    HandleError(error);
  }
}

}  // namespace tavrik
