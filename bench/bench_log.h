#pragma once

// The hand log the benchmarks over the log share: 1,000,000 varied records over about
// three months, oldest first, written once per run to a temporary file removed at exit.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "records/log_record.h"

namespace tavrik::bench {

inline constexpr int BenchRecordCount = 1'000'000;

class TBenchLog {
 public:
  TBenchLog()
      : path_(std::filesystem::temp_directory_path() /
              ("tavrik-bench-" + std::to_string(::getpid()) + ".log")) {
    std::mt19937 random(7);
    std::ofstream file(path_, std::ios::binary);
    for (int i = 0; i < BenchRecordCount; ++i) {
      const auto pick = [&](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
      };
      TLogRecord record;
      record.GameType = static_cast<uint8_t>(pick(9));
      record.Mode = static_cast<uint8_t>(pick(4));
      record.CoinValueIndex = static_cast<uint8_t>(pick(6));
      record.Bet = static_cast<uint8_t>(1 + pick(5));
      record.HandWin = pick(3) == 0 ? record.Bet * (1 + pick(4)) : 0;
      record.PerfectWin = pick(4) == 0 ? record.HandWin : record.Bet * pick(3);
      record.DoubleCount = static_cast<uint8_t>(record.HandWin > 0 ? pick(3) : 0);
      record.Win =
          record.DoubleCount > 0 && pick(2) == 0 ? 0 : record.HandWin << record.DoubleCount;
      record.FinalCategory = static_cast<uint8_t>(record.HandWin > 0 ? pick(9) : 255);
      record.PerfectCategory = static_cast<uint8_t>(record.PerfectWin > 0 ? pick(9) : 255);
      record.BestReturn = record.Bet * 0.99;
      record.PlayerReturn = record.BestReturn - (pick(5) == 0 ? pick(100) / 50.0 : 0);
      record.DealTime = 46000 + 90.0 * i / BenchRecordCount;
      record.EndTime = record.DealTime + (2 + pick(10)) / 86400.0;
      const auto bytes = record.Serialize();
      file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
  }
  ~TBenchLog() { std::filesystem::remove(path_); }
  TBenchLog(const TBenchLog&) = delete;
  TBenchLog& operator=(const TBenchLog&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The one log of this run.
inline const TBenchLog& BenchLog() {
  static const TBenchLog log;
  return log;
}

}  // namespace tavrik::bench
