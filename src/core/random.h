#pragma once

#include <cstdint>

namespace tavrik {

// The process-wide random generator: a 32-bit linear congruential generator,
// seed = seed * 134775813 + 1 (mod 2^32). A value in 0..range-1 is the high 32 bits of the
// 64-bit product of the new seed and range. Not thread-safe: the game deals on one thread.
class TRandom {
 public:
  // The generator the game deals from.
  static TRandom& Global();

  void SetSeed(uint32_t seed) { seed_ = seed; }
  uint32_t Seed() const { return seed_; }
  // Advances the seed and returns a value in 0..range-1 (range >= 1).
  uint32_t Next(uint32_t range) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * range) >> 32);
  }
  // Seeds from the current UTC time of day (see SeedForTimeOfDay).
  void Randomize();

  // ((hour * 60 + minute) * 60 + second) * 1000 + milliseconds.
  static uint32_t SeedForTimeOfDay(int hour, int minute, int second, int milliseconds);

 private:
  uint32_t seed_ = 0;
};

}  // namespace tavrik
