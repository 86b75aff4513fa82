#include "tests/support/ReferenceDecoder.h"

#include <cstring>

#include "image/DecodeErrors.h"
#include "image/LineCodes.h"

namespace vx8ref {

using vx8::BandShape;
using vx8::Escapes;
namespace code = vx8::code;

namespace {

using vx8::InvalidLineCode;
using vx8::OutputOverflow;
using vx8::SourceOverflow;

// Reads the stored bytes with one bounds check per byte taken.
class Source {
 public:
  Source(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return pos_ >= size_; }
  uint8_t Take() {
    if (pos_ >= size_) SourceOverflow();
    return data_[pos_++];
  }
  const uint8_t* TakeSpan(size_t n) {
    if (n > size_ - pos_) SourceOverflow();
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Writes the pixels of one row. A strict row refuses pixels past W; a clipped row (code 2,
// whose tokens may overshoot before the XOR) drops them.
class RowWriter {
 public:
  RowWriter(uint8_t* row, const uint8_t* previous, uint16_t width, bool clip)
      : row_(row), previous_(previous), width_(width), clip_(clip) {}

  uint32_t X() const { return x_; }
  bool Full() const { return x_ >= width_; }

  // Room for `count` more pixels; 0 means the request is refused or nothing fits.
  uint32_t Room(uint32_t count) {
    const uint32_t left = x_ < width_ ? width_ - x_ : 0;
    if (count <= left) return count;
    if (!clip_) OutputOverflow();
    return left;
  }
  void Fill(uint8_t value, uint32_t count) {
    const uint32_t n = Room(count);
    std::memset(row_ + x_, value, n);
    x_ += count;
  }
  void Copy(const uint8_t* bytes, uint32_t count) {
    const uint32_t n = Room(count);
    std::memcpy(row_ + x_, bytes, n);
    x_ += count;
  }
  void CopyPrevious(uint32_t count) {
    if (!previous_) InvalidLineCode();
    const uint32_t n = Room(count);
    std::memcpy(row_ + x_, previous_ + x_, n);
    x_ += count;
  }
  void Pixel(uint8_t value) { Fill(value, 1); }

 private:
  uint8_t* row_;
  const uint8_t* previous_;
  uint32_t width_;
  bool clip_;
  uint32_t x_ = 0;
};

void DecodeTokens(Source& src, RowWriter& out, Escapes esc, uint16_t width) {
  while (!out.Full()) {
    const uint8_t v = src.Take();
    if (v == esc.Run) {
      const uint8_t d = src.Take();
      if (d == code::OneEscape) {
        out.Pixel(esc.Run);
      } else if (d == code::TwoEscapes) {
        out.Fill(esc.Run, 2);
      } else if (d == code::CopyPrevious) {
        const uint8_t n = src.Take();
        out.CopyPrevious(n == 0 ? width - out.X() : n);
      } else {
        out.Fill(src.Take(), d);
      }
    } else if (v == esc.Triple) {
      const uint8_t w = src.Take();
      if (w == esc.Run)
        out.Pixel(esc.Triple);
      else if (w == esc.Triple)
        out.Fill(esc.Triple, 2);
      else
        out.Fill(w, code::TripleRun);
    } else {
      out.Pixel(v);
    }
  }
}

void XorWithPrevious(uint8_t* row, const uint8_t* previous, uint16_t width) {
  for (uint32_t i = 0; i < width; ++i) row[i] ^= previous[i];
}

}  // namespace

void DecodeLineCode(const uint8_t* data, size_t size, uint8_t* dst, const BandShape& shape,
                    Escapes esc, bool rawRows) {
  Source src(data, size);
  const uint16_t w = shape.Width;
  for (uint32_t r = 0; r < shape.Rows; ++r) {
    uint8_t* row = dst + size_t(r) * shape.LineBytes;
    const uint8_t* previous = r == 0 ? nullptr : row - shape.LineBytes;
    bool finished = false;
    uint32_t x = 0;
    while (!finished) {
      if (src.AtEnd()) SourceOverflow();
      const uint8_t k = rawRows ? 0 : src.Take();
      if (r == 0 && code::NeedsPreviousRow(k)) InvalidLineCode();
      RowWriter out(row + x, previous ? previous + x : nullptr, static_cast<uint16_t>(w - x),
                    k == code::Delta);
      finished = true;
      switch (k) {
        case code::Literal:
          out.Copy(src.TakeSpan(w - x), w - x);
          break;
        case code::Tokens:
        case 3:
        case 4:
        case 5:
          DecodeTokens(src, out, esc, static_cast<uint16_t>(w - x));
          break;
        case code::Delta:
          DecodeTokens(src, out, esc, static_cast<uint16_t>(w - x));
          // The whole row, columns 0 to W-1, held differences to the previous row.
          XorWithPrevious(row, previous, w);
          x = w;
          continue;
        case code::Fill:
          out.Fill(src.Take(), w - x);
          break;
        case code::Same:
          out.CopyPrevious(w - x);
          break;
        default:
          out.CopyPrevious(k);
          finished = out.X() + x >= w;
          break;
      }
      x += out.X();
    }
    if (x != w) OutputOverflow();
    std::memset(row + w, 0, shape.LineBytes - w);
  }
}

void DecodeRuns(const uint8_t* data, size_t size, uint8_t* dst, const BandShape& shape,
                Escapes esc) {
  Source src(data, size);
  const uint32_t w = shape.Width;
  const uint32_t rows = shape.Rows;
  uint32_t r = 0, x = 0;
  auto emit = [&](uint8_t value, uint32_t count) {
    while (count > 0 && r < rows) {
      uint8_t* row = dst + size_t(r) * shape.LineBytes;
      const uint32_t n = count < w - x ? count : w - x;
      std::memset(row + x, value, n);
      x += n;
      count -= n;
      if (x == w) {
        std::memset(row + w, 0, shape.LineBytes - w);
        x = 0;
        ++r;
      }
    }
  };
  if (w == 0) return;
  while (r < rows) {
    const uint8_t v = src.Take();
    if (v == esc.Run) {
      const uint8_t n = src.Take();
      if (n == code::OneEscape)
        emit(esc.Run, 1);
      else if (n == code::TwoEscapes)
        emit(esc.Run, 2);
      else
        emit(src.Take(), n);
    } else if (v == esc.Triple) {
      const uint8_t u = src.Take();
      if (u == esc.Run)
        emit(esc.Triple, 1);
      else if (u == esc.Triple)
        emit(esc.Triple, 2);
      else
        emit(u, code::TripleRun);
    } else {
      emit(v, 1);
    }
  }
}

}  // namespace vx8ref
