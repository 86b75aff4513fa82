// Arbitrary bytes as a picture: the first six give width, height and a pair of escapes, the rest
// are the pixels, repeated as often as the picture needs. Every band is coded and decoded again
// and must come back pixel for pixel, with its padding zeroed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "image/LineCodec.h"
#include "image/SegmentEncoder.h"
#include "image/SegmentGeometry.h"
#include "tests/encoder/EncoderSupport.h"

namespace {

// A band is coded by itself, so one band of a few short rows tries everything the coder does,
// quickly; how a picture is cut into bands is the library reader's fuzzer's part.
constexpr size_t kMaxPixels = 1024;

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckBand(const uint8_t* band, const vx8::BandShape& shape, vx8::Escapes fixed) {
  const std::vector<uint8_t> expected = enctest::ZeroPadding(band, shape);
  const size_t limit = size_t(shape.Width) * shape.Rows;

  const vx8::CodedBand coded = vx8::Encode(band, shape);
  Check(coded.Bytes.size() <= limit);
  Check(enctest::DecodeBand(coded, shape) == expected);

  // The same band with escapes the input chose, through every row's line code and through
  // plain runs, so that escape values are common pixels too.
  vx8::CodedBand lines{fixed, vx8::SegmentFlag::Encoded, {}};
  vx8::LineWork work(shape.Width);
  std::vector<uint8_t> row(vx8::MaxLineBytes(shape.Width));
  for (size_t r = 0; r < shape.Rows; ++r) {
    const uint8_t* pixels = band + r * shape.LineBytes;
    const size_t n = vx8::EncodeLine(row.data(), pixels, r == 0, shape.Width,
                                     r == 0 ? nullptr : pixels - shape.LineBytes, fixed, work);
    Check(n <= row.size());
    lines.Bytes.insert(lines.Bytes.end(), row.begin(), row.begin() + n);
  }
  Check(enctest::DecodeBand(lines, shape) == expected);
  const vx8::CodedBand runs = vx8::EncodeRuns(band, shape, fixed);
  Check(runs.Bytes.size() <= limit);
  Check(enctest::DecodeBand(runs, shape) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7) return 0;
  const uint16_t width = uint16_t(1 + (data[0] | (data[1] & 1) << 8));
  uint16_t height = uint16_t(1 + (data[2] & 15));
  if (size_t(width) * height > kMaxPixels)
    height = uint16_t(std::max<size_t>(1, kMaxPixels / width));
  vx8::Escapes fixed{data[4], data[5]};
  if (fixed.Run == 0) fixed.Run = 1;
  if (fixed.Triple == 0 || fixed.Triple == fixed.Run) fixed.Triple = uint8_t(fixed.Run % 255 + 1);
  const uint8_t* pixels = data + 6;
  const size_t count = size - 6;

  const uint16_t line = vx8::LineBytes(width);
  std::vector<uint8_t> raw(size_t(line) * height, 0xA5);
  size_t next = 0;
  for (size_t y = 0; y < height; ++y)
    for (size_t x = 0; x < width;) {
      const size_t n = std::min(width - x, count - next);
      std::memcpy(&raw[y * line + x], pixels + next, n);
      x += n;
      next = next + n == count ? 0 : next + n;
    }

  const uint16_t bands = vx8::SegmentCount(width, height);
  const size_t bandBytes = vx8::SegmentBytes(width, height, 0);
  for (uint16_t i = 0; i < bands; ++i) {
    const vx8::BandShape shape{width, vx8::SegmentRows(width, height, uint8_t(i)), line};
    CheckBand(raw.data() + bandBytes * i, shape, fixed);
  }
  return 0;
}
