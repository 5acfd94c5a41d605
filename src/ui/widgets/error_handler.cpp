#include "ui/widgets/error_handler.h"

#include <iostream>
#include <utility>

namespace tavrik {

namespace {

TErrorHandler& Installed() {
  static TErrorHandler handler;
  return handler;
}

bool& Reporting() {
  static bool reporting = false;
  return reporting;
}

}  // namespace

TErrorHandler SetErrorHandler(TErrorHandler handler) {
  return std::exchange(Installed(), std::move(handler));
}

void HandleError(const std::exception& error) {
  // An error while a report is open (or being built) is not reported again.
  if (!Installed() || Reporting()) {
    std::cerr << "tavrik: " << error.what() << '\n';
    return;
  }
  Reporting() = true;
  try {
    Installed()(error);
  } catch (const std::exception& inner) {
    std::cerr << "tavrik: " << error.what() << "\ntavrik: " << inner.what() << '\n';
  }
  Reporting() = false;
}

}  // namespace tavrik
