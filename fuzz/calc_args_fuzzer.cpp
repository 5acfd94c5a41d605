// The command-line tool's words: one word per line of the input. Every command but the
// whole-game return (minutes of counting) is run; that one is only parsed.
#include "calc.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavrik;
  (void)fuzz::Scratch();  // the data folder of the log and the paytable file
  std::vector<std::string> words;
  std::string_view text = fuzz::AsText(data, size);
  while (!text.empty() && words.size() < 64) {
    const size_t end = text.find('\n');
    words.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  const std::string problem = calc::CheckArguments(words);
  if (!problem.empty() || words.empty() || words[0] == "return") return 0;
  (void)calc::RunCalc(words);
  return 0;
}
