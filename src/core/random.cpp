#include "core/random.h"

#include <chrono>

namespace tavrik {

TRandom& TRandom::Global() {
  static TRandom generator;
  return generator;
}

uint32_t TRandom::SeedForTimeOfDay(int hour, int minute, int second, int milliseconds) {
  return static_cast<uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + milliseconds);
}

void TRandom::Randomize() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const auto sinceMidnight = now - floor<days>(now);
  const hh_mm_ss<milliseconds> time(duration_cast<milliseconds>(sinceMidnight));
  SetSeed(SeedForTimeOfDay(
      static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
      static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count())));
}

}  // namespace tavrik
