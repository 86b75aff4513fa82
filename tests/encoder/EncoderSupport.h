// Decoding helpers shared by the encoder tests: a coded band back to rows, and the rows that a
// band should decode to.
#pragma once

#include <cstdint>
#include <vector>

#include "image/LineCodec.h"
#include "image/SegmentEncoder.h"

namespace enctest {

using Bytes = std::vector<uint8_t>;

// Decodes the band as its flags say, into R x L bytes that start out as 0xEE.
inline Bytes DecodeBand(const vx8::CodedBand& band, const vx8::BandShape& shape) {
  Bytes out(size_t(shape.Rows) * shape.LineBytes, 0xEE);
  if (band.Flags & vx8::SegmentFlag::PlainRuns)
    vx8::DecodeRuns(band.Bytes.data(), band.Bytes.size(), out.data(), shape, band.Escape);
  else
    vx8::DecodeLineCode(band.Bytes.data(), band.Bytes.size(), out.data(), shape, band.Escape,
                        band.Flags & vx8::SegmentFlag::RawRows);
  return out;
}

// Raw rows as a decoder must give them back: pixels kept, padding zeroed.
inline Bytes ZeroPadding(const uint8_t* rows, const vx8::BandShape& shape) {
  Bytes out(rows, rows + size_t(shape.Rows) * shape.LineBytes);
  for (size_t r = 0; r < shape.Rows; ++r)
    for (size_t x = shape.Width; x < shape.LineBytes; ++x) out[r * shape.LineBytes + x] = 0;
  return out;
}

}  // namespace enctest
