#include "image/SegmentEncoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "image/LineCodes.h"

namespace vx8 {

namespace {

// A copy of `count` (more than 0) pixels from the previous row, at most 255 per token; a 0
// would mean "the rest of the row".
void EmitCopy(uint8_t* out, size_t& position, uint32_t count, Escapes esc) {
  while (count > 0) {
    const uint32_t n = std::min<uint32_t>(count, code::LongestRun);
    out[position++] = esc.Run;
    out[position++] = code::CopyPrevious;
    out[position++] = static_cast<uint8_t>(n);
    count -= n;
  }
}

// The plain-run tokens of one row, every run ending with the row. Returns the bytes written,
// at most 2 x width.
size_t EncodeRowRuns(uint8_t* out, const uint8_t* row, uint16_t width, Escapes esc) {
  size_t position = 0;
  uint32_t x = 0;
  while (x < width) {
    const uint8_t value = row[x];
    const uint32_t end = std::min<uint32_t>(width, x + code::LongestRun);
    uint32_t next = x + 1;
    while (next < end && row[next] == value) ++next;
    EmitRun(out, position, value, next - x, esc);
    x = next;
  }
  return position;
}

CodedBand PlainRows(const uint8_t* band, const BandShape& shape, Escapes esc) {
  CodedBand result{esc, static_cast<uint8_t>(SegmentFlag::Encoded | SegmentFlag::RawRows), {}};
  result.Bytes.resize(size_t(shape.Width) * shape.Rows);
  for (uint32_t r = 0; r < shape.Rows; ++r)
    std::memcpy(result.Bytes.data() + size_t(r) * shape.Width, band + size_t(r) * shape.LineBytes,
                shape.Width);
  return result;
}

}  // namespace

Escapes ChooseEscapeCodes(const uint8_t* band, const BandShape& shape) {
  if (shape.Width == 0 || shape.Rows == 0) return {0, 0};
  std::array<uint32_t, 256> count{};
  for (uint32_t r = 0; r < shape.Rows; ++r) {
    const uint8_t* row = band + size_t(r) * shape.LineBytes;
    for (uint32_t x = 0; x < shape.Width; ++x) ++count[row[x]];
  }
  Escapes esc = count[1] <= count[2] ? Escapes{1, 2} : Escapes{2, 1};
  for (uint32_t v = 3; v <= 255; ++v) {
    if (count[v] < count[esc.Run]) {
      esc.Triple = esc.Run;
      esc.Run = static_cast<uint8_t>(v);
    } else if (count[v] < count[esc.Triple]) {
      esc.Triple = static_cast<uint8_t>(v);
    }
  }
  return esc;
}

void EmitRun(uint8_t* out, size_t& position, uint8_t value, uint32_t count, Escapes esc) {
  const bool escape = value == esc.Run || value == esc.Triple;
  if (count == 0) return;
  if (count == code::TripleRun && !escape) {
    out[position++] = esc.Triple;
    out[position++] = value;
  } else if (count >= code::ShortestRun) {
    out[position++] = esc.Run;
    out[position++] = static_cast<uint8_t>(count);
    out[position++] = value;
  } else if (value == esc.Run) {
    out[position++] = esc.Run;
    out[position++] = static_cast<uint8_t>(count - 1);
  } else if (value == esc.Triple) {
    out[position++] = esc.Triple;
    out[position++] = count == 1 ? esc.Run : esc.Triple;
  } else {
    out[position++] = value;
    if (count == 2) out[position++] = value;
  }
}

size_t EncodeTokens(uint8_t* out, const uint8_t* row, uint16_t tail, uint16_t lead, bool delta,
                    uint16_t width, const uint8_t* previous, Escapes esc) {
  size_t position = 0;
  uint32_t start = 0;
  if (delta && lead >= code::FirstCopy) {
    out[position++] = static_cast<uint8_t>(lead);
    start = lead;
  }
  out[position++] = code::Tokens;
  const uint32_t end = delta ? uint32_t(width) - tail : width;

  // The pending run: pixels from runStart up to the current one, all of runValue.
  uint8_t runValue = row[start];
  uint32_t runStart = start;
  // The pending match: pixels from matchStart equal to the previous row. Should it be taken,
  // the output goes back to matchOutput and the part of the run that was pending when the
  // match began (prefixLength pixels of prefixValue) is written again, cut at the match.
  bool matching = false;
  uint32_t matchStart = 0;
  size_t matchOutput = 0;
  uint8_t prefixValue = 0;
  uint32_t prefixLength = 0;

  for (uint32_t x = start; x < end; ++x) {
    const uint8_t pixel = row[x];
    if (x > start && (pixel != runValue || x - runStart == code::LongestRun)) {
      const uint32_t runLength = x - runStart;
      // A run of three or more that covers the match codes it at least as well.
      if (matching && x - matchStart <= runLength && runLength > 2) matching = false;
      EmitRun(out, position, runValue, runLength, esc);
      runValue = pixel;
      runStart = x;
    }
    if (!delta) continue;
    if (pixel == previous[x]) {
      if (!matching) {
        matching = true;
        matchStart = x;
        matchOutput = position;
        prefixValue = runValue;
        prefixLength = x - runStart;
      }
    } else if (matching) {
      matching = false;
      const uint32_t matched = x - matchStart;
      const uint32_t pending = x - runStart + 1;
      if (matched > 3 && matched > pending) {
        position = matchOutput;
        EmitRun(out, position, prefixValue, prefixLength, esc);
        EmitCopy(out, position, matched, esc);
        runValue = pixel;
        runStart = x;
      }
    }
  }
  EmitRun(out, position, runValue, end - runStart, esc);
  if (delta && tail > 0) {
    out[position++] = esc.Run;
    out[position++] = code::CopyPrevious;
    out[position++] = 0;  // the rest of the row
  }
  return position;
}

size_t EncodeLine(uint8_t* out, const uint8_t* row, bool first, uint16_t width,
                  const uint8_t* previous, Escapes esc, LineWork& work) {
  const bool uniform =
      std::all_of(row + 1, row + width, [value = row[0]](uint8_t p) { return p == value; });
  uint32_t lead = 0, tail = 0;
  if (!first) {
    while (lead < width && row[lead] == previous[lead]) ++lead;
    if (lead == width) {
      out[0] = code::Same;
      return 1;
    }
    while (row[width - 1 - tail] == previous[width - 1 - tail]) ++tail;
  }
  if (uniform) {
    out[0] = code::Fill;
    out[1] = row[0];
    return 2;
  }
  lead = std::min<uint32_t>(lead, code::LongestRun);
  if (lead < code::FirstCopy) lead = 0;
  tail = std::min<uint32_t>(tail, code::LongestRun);
  if (tail < 4) tail = 0;

  const uint8_t* chosen = work.Plain.data();
  size_t length = EncodeTokens(work.Plain.data(), row, static_cast<uint16_t>(tail),
                               static_cast<uint16_t>(lead), !first, width, previous, esc);
  if (!first) {
    for (uint32_t x = 0; x < width; ++x) work.Xor[x] = row[x] ^ previous[x];
    const size_t xorLength =
        EncodeTokens(work.Delta.data(), work.Xor.data(), 0, 0, false, width, previous, esc);
    work.Delta[0] = code::Delta;
    if (xorLength < length) {
      chosen = work.Delta.data();
      length = xorLength;
    }
  }
  if (length > width) {
    out[0] = code::Literal;
    std::memcpy(out + 1, row, width);
    return size_t(width) + 1;
  }
  std::memcpy(out, chosen, length);
  return length;
}

CodedBand EncodeRuns(const uint8_t* band, const BandShape& shape, Escapes esc) {
  const size_t limit = size_t(shape.Width) * shape.Rows;
  CodedBand result{esc, static_cast<uint8_t>(SegmentFlag::Encoded | SegmentFlag::PlainRuns), {}};
  result.Bytes.resize(limit);
  std::vector<uint8_t> rowRuns(2 * size_t(shape.Width));
  size_t size = 0;
  for (uint32_t r = 0; r < shape.Rows; ++r) {
    const size_t n =
        EncodeRowRuns(rowRuns.data(), band + size_t(r) * shape.LineBytes, shape.Width, esc);
    if (size + n >= limit) return PlainRows(band, shape, esc);
    std::memcpy(result.Bytes.data() + size, rowRuns.data(), n);
    size += n;
  }
  result.Bytes.resize(size);
  return result;
}

CodedBand Encode(const uint8_t* band, const BandShape& shape) {
  CodedBand result{ChooseEscapeCodes(band, shape), SegmentFlag::Encoded, {}};
  if (shape.Width == 0 || shape.Rows == 0) return result;
  const size_t limit = size_t(shape.Width) * shape.Rows;
  result.Bytes.resize(limit);
  std::vector<uint8_t> coded(MaxLineBytes(shape.Width));
  LineWork work(shape.Width);
  size_t total = 0;
  for (uint32_t r = 0; r < shape.Rows; ++r) {
    const uint8_t* row = band + size_t(r) * shape.LineBytes;
    const uint8_t* previous = r == 0 ? nullptr : row - shape.LineBytes;
    const size_t n =
        EncodeLine(coded.data(), row, r == 0, shape.Width, previous, result.Escape, work);
    if (total + n >= limit) return EncodeRuns(band, shape, result.Escape);
    std::memcpy(result.Bytes.data() + total, coded.data(), n);
    total += n;
  }
  result.Bytes.resize(total);
  return result;
}

}  // namespace vx8
