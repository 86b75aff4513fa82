// The 18-byte header of an image record: name, size, band count, state and transparency.
#pragma once

#include <cstddef>
#include <cstdint>

struct TVX8ImageHeader {
  static constexpr size_t Bytes = 18;

  char Name[8] = {};  // zero-filled; a name of 8 characters has no terminating zero
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t SegmentCount = 0;
  uint8_t State = 0;  // 1: stored coded, 2: stored (or decoded) as finished rows; 0: no segments
  uint8_t TransparentColor = 0;
  uint8_t Transparent = 0;
  uint16_t Format = 0;

  // Little-endian, as stored in the file.
  static TVX8ImageHeader FromBytes(const uint8_t bytes[Bytes]);
  void ToBytes(uint8_t bytes[Bytes]) const;
};
