#include "image/SegmentGeometry.h"

namespace vx8 {

uint16_t LineBytes(uint16_t width) {
  return static_cast<uint16_t>((width + 3u) & ~3u);
}

uint32_t ImageBytes(uint16_t width, uint16_t height) {
  return uint32_t(height) * LineBytes(width);
}

namespace {

// Least band count n and rows per band r such that r rows fit in one segment.
bool BandLayout(uint16_t width, uint16_t height, uint32_t& bands, uint32_t& rows) {
  const uint32_t line = LineBytes(width);
  const uint32_t total = ImageBytes(width, height);
  // A zero or over-long row can never be banded; refusing here also keeps the search finite.
  if (line == 0 || total == 0 || line > MaxSegmentBytes) return false;
  bands = (total + MaxSegmentBytes - 1) / MaxSegmentBytes;
  rows = ((total / bands) + line - 1) / line;
  while (rows * line > MaxSegmentBytes) {
    ++bands;
    rows = ((total / bands) + line - 1) / line;
  }
  return true;
}

}  // namespace

uint16_t SegmentRows(uint16_t width, uint16_t height, uint8_t index) {
  uint32_t bands = 0, rows = 0;
  if (!BandLayout(width, height, bands, rows)) return 0;
  if (index < bands - 1) return static_cast<uint16_t>(rows);
  return static_cast<uint16_t>(height - (bands - 1) * rows);
}

uint16_t SegmentBytes(uint16_t width, uint16_t height, uint8_t index) {
  return static_cast<uint16_t>(SegmentRows(width, height, index) * LineBytes(width));
}

uint16_t SegmentCount(uint16_t width, uint16_t height) {
  const uint32_t first = SegmentBytes(width, height, 0);
  if (first == 0) return 0;
  return static_cast<uint16_t>((ImageBytes(width, height) + first - 1) / first);
}

}  // namespace vx8
