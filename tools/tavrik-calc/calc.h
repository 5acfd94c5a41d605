#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tavrik::calc {

// What a run of the command printed and its exit status: 0 success, 2 bad input, 1 any
// other failure. Nothing goes to `out` unless the whole command succeeded.
struct TCalcResult {
  int ExitCode = 0;
  std::string Out;
  std::string Err;
};

// Progress of a whole-game computation: classes done so far and in all.
using TProgress = std::function<void(long long done, long long total)>;

// Runs one command: `arguments` are the words after the program name
// ("hand --game 6 AS KS QS JS 9D").
TCalcResult RunCalc(const std::vector<std::string>& arguments, const TProgress& progress = {});

// Reads the words as RunCalc does without running the command: the one-line complaint RunCalc
// would give for bad words, empty when they are accepted.
std::string CheckArguments(const std::vector<std::string>& arguments);

}  // namespace tavrik::calc
