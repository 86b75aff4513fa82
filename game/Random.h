// The game's one random generator: a 32-bit linear congruential state and uniform draws
// taken from the upper half of a 64-bit product, so a seed always replays the same game.
#pragma once

#include <cstdint>

// The process-wide generator state.
extern uint32_t RandomSeed;

// A uniform integer in 0..n-1 (0 when n is 0); advances RandomSeed once.
uint32_t Random(uint32_t n);

// Milliseconds since midnight UTC, the value the game seeds the generator with.
uint32_t ClockSeed();
