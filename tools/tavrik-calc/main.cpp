// tavrik-calc: the exact hold analysis, the whole-game return and the statistics of a hand
// log on the command line.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "calc.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  tavrik::calc::TProgress progress;
  if (::isatty(STDERR_FILENO) != 0) {
    progress = [](long long done, long long total) {
      const int width = 40;
      const int filled = total > 0 ? static_cast<int>(done * width / total) : width;
      std::fprintf(stderr, "\r[%s%s] %3lld%%",
                   std::string(static_cast<size_t>(filled), '#').c_str(),
                   std::string(static_cast<size_t>(width - filled), ' ').c_str(),
                   total > 0 ? done * 100 / total : 100);
      if (done >= total) std::fprintf(stderr, "\r%*s\r", width + 8, "");
      std::fflush(stderr);
    };
  }
  const auto result = tavrik::calc::RunCalc(arguments, progress);
  std::fputs(result.Out.c_str(), stdout);
  // Output that did not reach its file (a full disk, a closed standard output) is a failure.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    const int error = errno;
    std::fputs(result.Err.c_str(), stderr);
    std::fprintf(stderr, "tavrik-calc: the output cannot be written: %s\n", std::strerror(error));
    return result.ExitCode != 0 ? result.ExitCode : 1;
  }
  std::fputs(result.Err.c_str(), stderr);
  return result.ExitCode;
}
