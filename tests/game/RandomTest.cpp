#include <gtest/gtest.h>

#include <vector>

#include "game/Random.h"

namespace {

// Worked out by hand from the seed 1:
//   state 1:          1 × 134775813 + 1 = 134775814
//                     100 × 134775814 = 13477581400 = 3 × 2^32 + 592679512      -> 3
//   state 2: 134775814 × 134775813 + 1 = 18164519904586783
//                     = 4229256 × 2^32 + 3698175007                           -> 3698175007
//                     100 × 3698175007 = 369817500700 = 86 × 2^32 + ...         -> 86
//   state 3: 3698175007 × 134775813 + 1 = 116048507 × 2^32 + 870078620         -> 870078620
//                     256 × 870078620 = 222740126720 = 51 × 2^32 + ...          -> 51
TEST(Random, FirstValuesFromAKnownSeed) {
  TRandom random;
  random.Seed = 1;
  EXPECT_EQ(random.Random(100), 3u);
  EXPECT_EQ(random.Seed, 134775814u);
  EXPECT_EQ(random.Random(100), 86u);
  EXPECT_EQ(random.Seed, 3698175007u);
  EXPECT_EQ(random.Random(256), 51u);
  EXPECT_EQ(random.Seed, 870078620u);
}

TEST(Random, UsesTheUpperHalfOfTheFull64BitProduct) {
  TRandom random;
  // (2^32 − 1) × s = s × 2^32 − s, whose upper half is s − 1: a product cut to 32 bits, or a
  // modulo instead of the upper half, gives something else.
  random.Seed = 0;
  EXPECT_EQ(random.Random(0xFFFFFFFFu), 0u);          // state 1
  EXPECT_EQ(random.Random(0xFFFFFFFFu), 134775813u);  // state 134775814
  // The state wraps modulo 2^32: 0xFFFFFFFF × 134775813 + 1 = −134775812 mod 2^32.
  random.Seed = 0xFFFFFFFFu;
  random.Random(10);
  EXPECT_EQ(random.Seed, 0u - 134775812u);
}

TEST(Random, StaysBelowItsBoundAndReplaysFromTheSameSeed) {
  TRandom random;
  random.Seed = 20240601;
  std::vector<uint32_t> first;
  for (uint32_t n = 1; n <= 500; ++n) {
    first.push_back(random.Random(n));
    EXPECT_LT(first.back(), n);
  }
  random.Seed = 20240601;
  for (uint32_t n = 1; n <= 500; ++n) EXPECT_EQ(random.Random(n), first[n - 1]);
}

TEST(Random, ClockSeedIsMillisecondsSinceMidnight) {
  EXPECT_LT(ClockSeed(), 24u * 60 * 60 * 1000);
}

}  // namespace
