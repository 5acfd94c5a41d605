// A paytable line of the player's catalogue: whatever reads must write back and read
// again to the same table.
#include "core/error.h"
#include "core/payout_storage.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavrik;
  TPaytable table{};
  try {
    table = ParsePaytableLine(fuzz::AsText(data, size));
  } catch (const TError&) {
    return 0;
  }
  std::string line;
  try {
    line = FormatPaytableLine(table);
  } catch (const TError&) {
    return 0;  // a value too wide for the file form is refused, not written
  }
  if (ParsePaytableLine(line) != table) __builtin_trap();
  return 0;
}
