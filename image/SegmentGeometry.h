// Band geometry of a picture: how its bottom-up rows are cut into segments of at most
// 65280 bytes. All sizes are 16-bit, as stored in the file.
#pragma once

#include <cstdint>

namespace vx8 {

constexpr uint32_t MaxSegmentBytes = 65280;

// Width rounded up to a multiple of 4, computed in 16 bits (so 65533 to 65535 give 0).
uint16_t LineBytes(uint16_t width);
uint32_t ImageBytes(uint16_t width, uint16_t height);
// Rows of segment `index`. 0 for a picture whose single row does not fit in one segment.
uint16_t SegmentRows(uint16_t width, uint16_t height, uint8_t index);
uint16_t SegmentBytes(uint16_t width, uint16_t height, uint8_t index);
// Number of segments; 0 when the picture is empty or cannot be banded.
uint16_t SegmentCount(uint16_t width, uint16_t height);

inline uint8_t* RowAddress(uint8_t* base, uint16_t lineBytes, uint16_t row, uint16_t x) {
  return base + uint32_t(lineBytes) * row + x;
}

}  // namespace vx8
