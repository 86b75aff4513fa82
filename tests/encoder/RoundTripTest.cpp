// Coding then decoding gives back every pixel of every band, with zeroed row padding, for many
// seeded pictures. A failure prints kind, size and seed, enough to replay it.
#include <gtest/gtest.h>

#include <algorithm>

#include "EncoderSupport.h"
#include "PictureKinds.h"
#include "image/SegmentGeometry.h"

namespace {

using namespace vx8;
using enctest::Bytes;
using testpics::Kind;

// Codes and decodes every band of the raw rows; returns the number of bands of each coding.
struct Codings {
  int LineCode = 0, PlainRows = 0, PlainRuns = 0;
};

Codings ExpectRoundTrip(const Bytes& raw, uint16_t width, uint16_t height) {
  Codings seen;
  const uint16_t line = LineBytes(width);
  const uint16_t count = SegmentCount(width, height);
  EXPECT_GE(count, 1);
  for (uint16_t i = 0; i < count; ++i) {
    const BandShape shape{width, SegmentRows(width, height, uint8_t(i)), line};
    const uint8_t* band = raw.data() + size_t(SegmentBytes(width, height, 0)) * i;
    const CodedBand coded = Encode(band, shape);
    const size_t limit = size_t(width) * shape.Rows;
    switch (coded.Flags) {
      case SegmentFlag::Encoded:
        ++seen.LineCode;
        EXPECT_LT(coded.Bytes.size(), limit) << "band " << i;
        break;
      case SegmentFlag::Encoded | SegmentFlag::PlainRuns:
        ++seen.PlainRuns;
        EXPECT_LT(coded.Bytes.size(), limit) << "band " << i;
        break;
      case SegmentFlag::Encoded | SegmentFlag::RawRows:
        ++seen.PlainRows;
        EXPECT_EQ(coded.Bytes.size(), limit) << "band " << i;
        break;
      default:
        ADD_FAILURE() << "band " << i << " has flags " << int(coded.Flags);
        continue;
    }
    EXPECT_NE(coded.Escape.Run, coded.Escape.Triple);
    EXPECT_NE(coded.Escape.Run, 0);
    EXPECT_NE(coded.Escape.Triple, 0);
    Bytes decoded;
    try {
      decoded = enctest::DecodeBand(coded, shape);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "band " << i << ": " << e.what();
      continue;
    }
    const Bytes expected = enctest::ZeroPadding(band, shape);
    if (decoded != expected) {
      const auto diff = std::mismatch(decoded.begin(), decoded.end(), expected.begin());
      const size_t at = size_t(diff.first - decoded.begin());
      ADD_FAILURE() << "band " << i << " differs at row " << at / line << " column " << at % line;
    }
  }
  return seen;
}

struct Size {
  uint16_t Width, Height;
};

void RunKinds(const std::vector<Size>& sizes, uint32_t seeds) {
  for (Kind kind : testpics::AllKinds)
    for (const Size& size : sizes)
      for (uint32_t seed = 1; seed <= seeds; ++seed) {
        SCOPED_TRACE(testpics::KindName(kind) + " " + std::to_string(size.Width) + " x " +
                     std::to_string(size.Height) + " seed " + std::to_string(seed));
        const Bytes pixels = testpics::MakePixels(kind, size.Width, size.Height, seed);
        ExpectRoundTrip(testpics::PadRows(pixels, size.Width, size.Height, uint8_t(0xA5 + seed)),
                        size.Width, size.Height);
        if (::testing::Test::HasFailure()) return;
      }
}

TEST(EncoderRoundTrip, SmallPicturesOfEveryWidthRemainder) {
  std::vector<Size> sizes;
  for (uint16_t w = 1; w <= 13; ++w)
    for (uint16_t h : {1, 2, 3, 7}) sizes.push_back({w, h});
  for (uint16_t w : {16, 17, 18, 19, 31, 64, 97, 255, 256, 257, 258, 300, 511})
    sizes.push_back({w, uint16_t(1 + w % 9)});
  RunKinds(sizes, 4);
}

TEST(EncoderRoundTrip, PicturesOfSeveralBands) {
  // 208 x 208 is one band; 300 x 500 three; 640 x 480 five; the others cut the last band short
  // or hold one row per band.
  RunKinds({{208, 208}, {300, 500}, {640, 480}, {333, 401}, {1021, 130}, {65280, 2}, {3, 30000}},
           2);
}

TEST(EncoderRoundTrip, LargestPictures) {
  for (Kind kind : {Kind::Noise, Kind::PatchedRows, Kind::RepeatedRows, Kind::PairMatches}) {
    for (Size size : {Size{1300, 1300}, Size{1299, 1300}, Size{1298, 1297}, Size{1297, 1}}) {
      SCOPED_TRACE(testpics::KindName(kind) + " " + std::to_string(size.Width) + " x " +
                   std::to_string(size.Height));
      const Bytes pixels = testpics::MakePixels(kind, size.Width, size.Height, 7);
      const Codings seen = ExpectRoundTrip(testpics::PadRows(pixels, size.Width, size.Height, 0xFF),
                                           size.Width, size.Height);
      if (kind == Kind::Noise) {
        EXPECT_EQ(seen.LineCode + seen.PlainRuns, 0);
      }
      if (kind == Kind::RepeatedRows) {
        EXPECT_EQ(seen.PlainRows + seen.PlainRuns, 0);
      }
    }
  }
}

// Rows over a tiny alphabet that holds both escapes, so that every kind of escape token
// appears next to copies from the row below; coded with fixed escapes, decoded with them.
TEST(EncoderRoundTrip, EscapeValuesInEveryRunLength) {
  constexpr Escapes esc{7, 9};
  const uint8_t alphabet[] = {7, 9, 0, 200};
  uint64_t state = 12345;
  auto next = [&] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return uint32_t(state >> 33);
  };
  for (uint16_t width : {1, 2, 3, 4, 5, 8, 9, 12, 40, 300}) {
    const BandShape shape{width, 64, LineBytes(width)};
    Bytes band(size_t(shape.Rows) * shape.LineBytes, 0);
    for (uint32_t r = 0; r < shape.Rows; ++r) {
      uint8_t* row = band.data() + size_t(r) * shape.LineBytes;
      for (uint32_t x = 0; x < width;) {
        const bool copy = r > 0 && next() % 3 == 0;
        uint32_t n = 1 + next() % 4;
        if (next() % 8 == 0) n = 250 + next() % 20;
        n = std::min<uint32_t>(n, width - x);
        const uint8_t v = alphabet[next() % 4];
        for (uint32_t i = 0; i < n; ++i) row[x + i] = copy ? (row - shape.LineBytes)[x + i] : v;
        x += n;
      }
    }
    SCOPED_TRACE("width " + std::to_string(width));
    // The line code of every row, as Encode would join it without its fall-back.
    CodedBand lineCoded{esc, SegmentFlag::Encoded, {}};
    LineWork work(width);
    for (uint32_t r = 0; r < shape.Rows; ++r) {
      Bytes out(MaxLineBytes(width));
      const uint8_t* row = band.data() + size_t(r) * shape.LineBytes;
      const uint8_t* below = r == 0 ? nullptr : row - shape.LineBytes;
      const size_t n = EncodeLine(out.data(), row, r == 0, width, below, esc, work);
      lineCoded.Bytes.insert(lineCoded.Bytes.end(), out.begin(), out.begin() + n);
    }
    EXPECT_EQ(enctest::DecodeBand(lineCoded, shape), enctest::ZeroPadding(band.data(), shape));
    const CodedBand runs = EncodeRuns(band.data(), shape, esc);
    EXPECT_EQ(enctest::DecodeBand(runs, shape), enctest::ZeroPadding(band.data(), shape));
  }
}

// The token writer stays inside the bound its callers size their buffers by, whatever the row.
TEST(EncoderRoundTrip, TokensFitTheirBound) {
  constexpr Escapes esc{1, 2};
  uint64_t state = 99;
  auto next = [&] {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return uint32_t(state);
  };
  for (int round = 0; round < 2000; ++round) {
    const uint16_t width = uint16_t(1 + next() % 40);
    Bytes previous(width), row(width);
    for (auto& p : previous) p = uint8_t(next() % 3);
    for (uint16_t x = 0; x < width; ++x) row[x] = next() % 2 ? previous[x] : uint8_t(next() % 3);
    const uint16_t lead = width >= 9 && next() % 2 ? 8 : 0;
    Bytes out(MaxTokenBytes(width));  // exactly sized: a write past it is a heap overflow
    const size_t n =
        EncodeTokens(out.data(), row.data(), 0, lead, true, width, previous.data(), esc);
    ASSERT_LE(n, out.size());
  }
}

}  // namespace
