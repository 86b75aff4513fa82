#include "image/LineCodec.h"

#include <cstring>

#include "image/ByteWords.h"
#include "image/DecodeErrors.h"
#include "image/LineCodes.h"

// Speed comes from three things: runs and copies are written as whole words, stretches of
// pixels that hold neither escape are found and copied eight at a time, and bounds are checked
// once per token or per eight pixels, not once per byte. Eight bytes are read only where the
// stored bytes have eight left and written only inside the row; near the ends the same work is
// done byte by byte. A short run or stretch may write a word past its last pixel, inside the
// row: every pixel from there on is written again before the row is done, or the band is thrown
// away with the error. A code 2 row (Delta below) holds differences to the row above; each
// pixel is written XOR the pixel above it, so the row is never read back.

namespace vx8 {

namespace {

using namespace words;

// The stored bytes still to read.
struct Source {
  const uint8_t* At;
  const uint8_t* End;
  size_t Left() const { return size_t(End - At); }
};

// What one escape token stands for: `Count` pixels of `Value`, or with `CopiesPrevious`
// `Count` pixels of the previous row (0: the rest of the row).
struct Token {
  uint32_t Count;
  uint8_t Value;
  bool CopiesPrevious;
};

// The escapes, and each repeated across a word for the search of plain stretches.
struct Scan {
  explicit Scan(Escapes e)
      : Run(e.Run), Triple(e.Triple), Runs(Repeat(e.Run)), Triples(Repeat(e.Triple)) {}
  uint8_t Run, Triple;
  Word Runs, Triples;
};

// Reads the escape token at src.At, whose first byte is one of the escapes. The copy token
// exists only in the line code.
template <bool WithCopy>
[[gnu::always_inline]] inline Token TakeEscapeToken(Source& src, const Scan& esc) {
  const uint8_t* p = src.At;
  if (src.Left() < 2) SourceOverflow();
  const uint8_t second = p[1];
  if (p[0] == esc.Run) {
    if (second == code::OneEscape || second == code::TwoEscapes) {
      src.At += 2;
      return {second + 1u, esc.Run, false};
    }
    if (src.Left() < 3) SourceOverflow();
    src.At += 3;
    if (WithCopy && second == code::CopyPrevious) return {p[2], 0, true};
    return {second, p[2], false};
  }
  src.At += 2;
  if (second == esc.Run) return {1, esc.Triple, false};
  if (second == esc.Triple) return {2, esc.Triple, false};
  return {code::TripleRun, second, false};
}

// Copies the pixels before the next escape, up to `room` of them, to `dst`; returns how many.
// `above` is the previous row at the column of `dst` (Delta only). Eight at a time where both sides
// have a word to spare, so it may write up to 7 bytes past the count, inside `room`.
template <bool Delta>
[[gnu::always_inline]] inline uint32_t CopyPlainPixels(Source& src, uint8_t* dst,
                                                       const uint8_t* above, uint32_t room,
                                                       const Scan& esc) {
  uint32_t n = 0;
  while (room - n >= Size && src.Left() >= Size) {
    Word bytes = Load(src.At);
    const unsigned plain = FirstOf(bytes, esc.Runs, esc.Triples);
    if constexpr (Delta) bytes ^= Load(above + n);
    Store(dst + n, bytes);
    n += plain;
    src.At += plain;
    if (plain < Size) return n;
  }
  for (; n < room && src.At < src.End && *src.At != esc.Run && *src.At != esc.Triple; ++n)
    dst[n] = Delta ? uint8_t(*src.At++ ^ above[n]) : *src.At++;
  return n;
}

// `count` pixels of `v` (XOR the pixels above with Delta). Inside `room` it may write up to 7
// bytes past a short count.
template <bool Delta>
void Fill(uint8_t* dst, const uint8_t* above, uint8_t v, uint32_t count, uint32_t room) {
  const Word pattern = Repeat(v);
  if (count >= Size) {
    if constexpr (Delta)
      WriteWords(dst, count, [&](uint32_t i) { return pattern ^ Load(above + i); });
    else
      WriteWords(dst, count, [&](uint32_t) { return pattern; });
  } else if (room >= Size) {
    Store(dst, Delta ? pattern ^ Load(above) : pattern);
  } else {
    for (uint32_t i = 0; i < count; ++i) dst[i] = Delta ? uint8_t(v ^ above[i]) : v;
  }
}

void CopyFromPrevious(uint8_t* dst, const uint8_t* above, uint32_t count, uint32_t room) {
  if (count >= Size)
    WriteWords(dst, count, [&](uint32_t i) { return Load(above + i); });
  else if (room >= Size)
    Store(dst, Load(above));
  else
    std::memcpy(dst, above, count);
}

// Tokens into row[x, width). A strict row refuses a token that goes past the width; a code 2
// row (Delta) drops what lies past it, as its tokens may overshoot.
template <bool Delta>
void DecodeTokens(Source& src, uint8_t* row, const uint8_t* previous, uint32_t x, uint32_t width,
                  const Scan& esc) {
  while (x < width) {
    // A code 2 row always has a previous row; the others read it only through copy tokens.
    const uint8_t* above = Delta ? previous + x : nullptr;
    x += CopyPlainPixels<Delta>(src, row + x, above, width - x, esc);
    if (x == width) return;
    if (src.At == src.End) SourceOverflow();
    Token t = TakeEscapeToken<true>(src, esc);
    const uint32_t room = width - x;
    above = Delta ? previous + x : nullptr;
    if (t.CopiesPrevious) {
      if (!previous) InvalidLineCode();
      if (t.Count == 0) t.Count = room;
    }
    if (t.Count > room) {
      if (!Delta) OutputOverflow();
      t.Count = room;
    }
    if (!t.CopiesPrevious)
      Fill<Delta>(row + x, above, t.Value, t.Count, room);
    else if (Delta)  // the pixel above XOR itself
      Fill<false>(row + x, nullptr, 0, t.Count, room);
    else
      CopyFromPrevious(row + x, previous + x, t.Count, room);
    x += t.Count;
  }
}

void XorWithPrevious(uint8_t* row, const uint8_t* previous, uint32_t width) {
  for (uint32_t i = 0; i < width; ++i) row[i] ^= previous[i];
}

// Rows that are stored as they are: every row needs its full width.
void DecodePlainRows(Source src, uint8_t* dst, const BandShape& shape) {
  const uint32_t w = shape.Width;
  if (src.Left() < size_t(w) * shape.Rows) SourceOverflow();
  if (w == shape.LineBytes) return void(std::memcpy(dst, src.At, size_t(w) * shape.Rows));
  for (uint32_t r = 0; r < shape.Rows; ++r, src.At += w) {
    uint8_t* row = dst + size_t(r) * shape.LineBytes;
    std::memcpy(row, src.At, w);
    std::memset(row + w, 0, shape.LineBytes - w);
  }
}

}  // namespace

void DecodeLineCode(const uint8_t* data, size_t size, uint8_t* dst, const BandShape& shape,
                    Escapes escapes, bool rawRows) {
  Source src{data, data + size};
  if (rawRows) return DecodePlainRows(src, dst, shape);
  const Scan esc(escapes);
  const uint32_t w = shape.Width;
  for (uint32_t r = 0; r < shape.Rows; ++r) {
    uint8_t* row = dst + size_t(r) * shape.LineBytes;
    const uint8_t* previous = r == 0 ? nullptr : row - shape.LineBytes;
    uint32_t x = 0;
    while (x < w) {
      if (src.At == src.End) SourceOverflow();
      const uint8_t k = *src.At++;
      if (!previous && code::NeedsPreviousRow(k)) InvalidLineCode();
      switch (k) {
        case code::Literal:
          if (src.Left() < w - x) SourceOverflow();
          std::memcpy(row + x, src.At, w - x);
          src.At += w - x;
          x = w;
          break;
        case code::Tokens:
        case 3:
        case 4:
        case 5:
          DecodeTokens<false>(src, row, previous, x, w, esc);
          x = w;
          break;
        case code::Delta:
          DecodeTokens<true>(src, row, previous, x, w, esc);
          // The whole row held differences to the previous row, the columns of a leading
          // copy too.
          XorWithPrevious(row, previous, x);
          x = w;
          break;
        case code::Fill:
          if (src.At == src.End) SourceOverflow();
          std::memset(row + x, *src.At++, w - x);
          x = w;
          break;
        case code::Same:
          std::memcpy(row + x, previous + x, w - x);
          x = w;
          break;
        default:  // a leading copy of k pixels; another line code follows unless it fills the row
          if (k > w - x) OutputOverflow();
          CopyFromPrevious(row + x, previous + x, k, w - x);
          x += k;
          break;
      }
    }
    std::memset(row + w, 0, shape.LineBytes - w);
  }
}

void DecodeRuns(const uint8_t* data, size_t size, uint8_t* dst, const BandShape& shape,
                Escapes escapes) {
  Source src{data, data + size};
  const uint32_t w = shape.Width;
  if (w == 0) return;
  const Scan esc(escapes);
  for (uint32_t r = 0, x = 0; r < shape.Rows;) {
    uint8_t* row = dst + size_t(r) * shape.LineBytes;
    x += CopyPlainPixels<false>(src, row + x, nullptr, w - x, esc);
    Token t{0, 0, false};
    if (x < w) {
      if (src.At == src.End) SourceOverflow();
      t = TakeEscapeToken<false>(src, esc);
    }
    // A run goes on from row to row; past the band's last pixel it is cut.
    for (;;) {
      const uint32_t n = t.Count < w - x ? t.Count : w - x;
      Fill<false>(row + x, nullptr, t.Value, n, w - x);
      x += n;
      t.Count -= n;
      if (x < w) break;
      std::memset(row + w, 0, shape.LineBytes - w);
      x = 0;
      if (++r == shape.Rows || t.Count == 0) break;
      row += shape.LineBytes;
    }
  }
}

}  // namespace vx8
