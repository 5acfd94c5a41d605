#include "core/error.h"

namespace tavrik {

void ThrowOutOfRange(std::string_view what, long long value) {
  std::string message(what);
  message.append(" out of range: ").append(std::to_string(value));
  throw TError(std::move(message));
}

}  // namespace tavrik
