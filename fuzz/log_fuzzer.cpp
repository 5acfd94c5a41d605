// The hand log as the command-line tool reads it: records, the filter built over them,
// the statistics and the list of mistakes.
#include "calc.h"
#include "fuzz_support.h"
#include "records/logger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavrik;
  const auto path = fuzz::Scratch() / "Tavrik.log";
  fuzz::WriteFile(path, fuzz::AsText(data, size));
  {
    TLogger logger(path, TLogger::TAccess::ReadOnly);
    for (size_t i = 0; i < logger.RecordCount(); ++i) (void)logger.Record(i);
    (void)logger.Filter();
  }
  for (const char* command : {"stats", "errors"}) {
    const auto result = calc::RunCalc({command, "--log", path.string(), "--json"});
    if (result.ExitCode != 0 && result.ExitCode != 1) __builtin_trap();
  }
  return 0;
}
