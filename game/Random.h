// The game's random generator: a 32-bit linear congruential state and uniform draws taken from
// the upper half of a 64-bit product, so a seed always replays the same game. The application
// owns the one generator and hands it to the board and the about dialog.
#pragma once

#include <cstdint>

class TRandom {
 public:
  explicit TRandom(uint32_t seed = 0) : Seed(seed) {}

  // The generator's state; setting it replays what followed that state.
  uint32_t Seed;

  // A uniform integer in 0..n-1 (0 when n is 0); advances Seed once.
  uint32_t Random(uint32_t n) {
    Seed = Seed * 134775813u + 1u;
    return static_cast<uint32_t>((uint64_t(n) * Seed) >> 32);
  }
};

// Milliseconds since midnight UTC, the value the game seeds the generator with.
uint32_t ClockSeed();
