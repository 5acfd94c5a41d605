#include "core/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrik {
namespace {

// The first outputs of fixed seeds; a seed from the time of day stays below a day's
// milliseconds.
TEST(Random, FixedSeedsAndTheTimeOfDay) {
  TRandom generator;
  generator.SetSeed(12345);
  const std::vector<std::pair<uint32_t, uint32_t>> expected = {
      {1655067934u, 20}, {1242767767u, 15}, {342459380u, 4}, {2377737157u, 28}, {2721613530u, 32}};
  for (const auto& [seed, value] : expected) {
    EXPECT_EQ(generator.Next(52), value);
    EXPECT_EQ(generator.Seed(), seed);
  }
  generator.SetSeed(0);
  EXPECT_EQ(generator.Next(54), 0u);
  EXPECT_EQ(generator.Next(54), 1u);
  EXPECT_EQ(generator.Next(54), 46u);
  EXPECT_EQ(TRandom::SeedForTimeOfDay(1, 2, 3, 4), 3723004u);
  EXPECT_EQ(TRandom::SeedForTimeOfDay(23, 59, 59, 999), 86399999u);
  generator.Randomize();
  EXPECT_LT(generator.Seed(), 86400000u);
}

TEST(Random, EveryValueOfEachDeckSizeComesUpAndNothingElse) {
  for (const uint32_t range : {52u, 53u, 54u}) {
    TRandom generator;
    generator.SetSeed(range * 7919u);
    std::vector<int> seen(range, 0);
    for (int i = 0; i < 20000; ++i) {
      const uint32_t value = generator.Next(range);
      ASSERT_LT(value, range);
      ++seen[value];
    }
    for (uint32_t value = 0; value < range; ++value) {
      // 20000 / 54 is about 370; a fair generator never gets near these bounds.
      EXPECT_GT(seen[value], 250) << "range " << range << " value " << value;
      EXPECT_LT(seen[value], 500) << "range " << range << " value " << value;
    }
  }
}

}  // namespace
}  // namespace tavrik
