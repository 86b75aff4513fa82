#include "game/Random.h"

#include <chrono>

uint32_t ClockSeed() {
  using namespace std::chrono;
  const auto now = system_clock::now().time_since_epoch();
  const auto ms = duration_cast<milliseconds>(now).count() % (24LL * 60 * 60 * 1000);
  return static_cast<uint32_t>(ms);
}
