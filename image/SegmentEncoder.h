// Codes one band of raw pixel rows into a segment's stored bytes: the choice of the two escape
// bytes, the line code row by row, and the plain-run and plain-row fall-backs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/LineCodec.h"

namespace vx8 {

// Segment flag bits as they are stored in the file.
namespace SegmentFlag {
constexpr uint8_t RawRows = 1;
constexpr uint8_t PlainRuns = 2;
constexpr uint8_t Encoded = 8;
}  // namespace SegmentFlag

// The stored form of one band: its segment header and the bytes that follow it.
struct CodedBand {
  Escapes Escape;
  uint8_t Flags = 0;  // Encoded, plus RawRows or PlainRuns for the fall-backs
  std::vector<uint8_t> Bytes;
};

// A band is `shape.Rows` rows, bottom row first, each `shape.LineBytes` bytes apart, of which
// the first `shape.Width` are pixels.

// The least and second least used values of 1 to 255 in the band (A, B); on equal counts the
// smaller value wins. Both are 0 for an empty band.
Escapes ChooseEscapeCodes(const uint8_t* band, const BandShape& shape);

// Upper bound of what EncodeTokens writes for a row of `width` pixels.
constexpr size_t MaxTokenBytes(uint16_t width) {
  return 2 * size_t(width) + 5;
}

// Appends the tokens for `count` (0 to 255) pixels of `value` at out[position] and advances
// position.
void EmitRun(uint8_t* out, size_t& position, uint8_t value, uint32_t count, Escapes escapes);

// The line-code-1 form of a row, with a leading copy (line code `lead`) when lead >= 8 and a
// final copy of the last `tail` pixels when tail > 0. With `delta`, stretches that equal the
// previous row may become copy tokens. Returns the bytes written (at most MaxTokenBytes).
size_t EncodeTokens(uint8_t* out, const uint8_t* row, uint16_t tail, uint16_t lead, bool delta,
                    uint16_t width, const uint8_t* previous, Escapes escapes);

// Scratch rows of EncodeLine for one width, kept across the rows of a band.
struct LineWork {
  explicit LineWork(uint16_t width)
      : Plain(MaxTokenBytes(width)), Delta(MaxTokenBytes(width)), Xor(width) {}
  std::vector<uint8_t> Plain, Delta, Xor;
};

// Largest result of EncodeLine: line code 0 and the row.
constexpr size_t MaxLineBytes(uint16_t width) {
  return size_t(width) + 1;
}

// One row of `width` (at least 1) pixels with its line code; `previous` is ignored for the
// band's first row. Returns the bytes written to out (at most MaxLineBytes).
size_t EncodeLine(uint8_t* out, const uint8_t* row, bool first, uint16_t width,
                  const uint8_t* previous, Escapes escapes, LineWork& work);

// The whole band as plain runs, or as plain rows when runs would not make it smaller than
// W x R bytes.
CodedBand EncodeRuns(const uint8_t* band, const BandShape& shape, Escapes escapes);

// The stored form of a band: line code, unless that reaches W x R bytes; then EncodeRuns.
CodedBand Encode(const uint8_t* band, const BandShape& shape);

}  // namespace vx8
