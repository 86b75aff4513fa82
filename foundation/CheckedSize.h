// Buffer sizes from a width and a height, computed in 64 bits and capped: in the browser size_t
// has 32 bits, and a product that wrapped there would give a buffer smaller than its picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace foundation {

// The most one picture-sized buffer may take on any target.
constexpr int64_t MaxBufferBytes = int64_t(1) << 30;

// width x height items of itemBytes each, in bytes; raises std::length_error "WHAT: W x H is
// too large (at most CAP bytes)" for a negative size or one past `cap`.
inline size_t CheckedBufferBytes(int64_t width, int64_t height, int64_t itemBytes, const char* what,
                                 int64_t cap = MaxBufferBytes) {
  // Each factor below 2^31 keeps the product of the first two within 62 bits.
  const int64_t limit = int64_t(1) << 31;
  if (width < 0 || height < 0 || itemBytes < 0 || width >= limit || height >= limit ||
      itemBytes >= limit || (width * height != 0 && itemBytes > cap / (width * height)) ||
      uint64_t(cap) > SIZE_MAX)
    throw std::length_error(std::string(what) + ": " + std::to_string(width) + " x " +
                            std::to_string(height) + " is too large (at most " +
                            std::to_string(cap) + " bytes)");
  return size_t(width * height * itemBytes);
}

}  // namespace foundation
