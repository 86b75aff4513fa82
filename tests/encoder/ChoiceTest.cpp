// The encoder's choices that the stored format pins down: line codes 7 and 6, the leading and
// trailing copies, the XOR candidate, the code-0 fall-back, the escapes and the band fall-backs.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "EncoderSupport.h"
#include "image/SegmentGeometry.h"

namespace {

using namespace vx8;
using enctest::Bytes;

constexpr Escapes kEsc{240, 241};

// Codes `row` as a band's second row above `previous` (or as its first row), checks that it
// decodes back and returns the coded bytes.
Bytes CodeRow(const Bytes& row, const Bytes* previous = nullptr) {
  const uint16_t width = uint16_t(row.size());
  LineWork work(width);
  Bytes out(MaxLineBytes(width));
  out.resize(EncodeLine(out.data(), row.data(), previous == nullptr, width,
                        previous ? previous->data() : nullptr, kEsc, work));
  // Decode with a code-0 first row for the previous row.
  CodedBand band{kEsc, SegmentFlag::Encoded, {}};
  Bytes expected;
  if (previous) {
    band.Bytes.push_back(0);
    band.Bytes.insert(band.Bytes.end(), previous->begin(), previous->end());
    expected = *previous;
  }
  band.Bytes.insert(band.Bytes.end(), out.begin(), out.end());
  expected.insert(expected.end(), row.begin(), row.end());
  const BandShape shape{width, uint16_t(previous ? 2 : 1), width};
  EXPECT_EQ(enctest::DecodeBand(band, shape), expected);
  return out;
}

// Distinct values 10, 11, ... that are not the escapes.
Bytes Ramp(size_t n, uint8_t from = 10) {
  Bytes row(n);
  std::iota(row.begin(), row.end(), from);
  return row;
}

TEST(EncoderLineChoice, RepeatedAndUniformRows) {
  const Bytes grey(12, 99);
  EXPECT_EQ(CodeRow(grey, &grey), Bytes{7});  // equal to the row below and of one colour
  const Bytes ramp = Ramp(12);
  EXPECT_EQ(CodeRow(ramp, &ramp), Bytes{7});
  EXPECT_EQ(CodeRow(grey, &ramp), (Bytes{6, 99}));
  EXPECT_EQ(CodeRow(grey), (Bytes{6, 99}));
  EXPECT_EQ(CodeRow(Bytes{240}), (Bytes{6, 240}));
}

TEST(EncoderLineChoice, LeadingCopyNeedsEightPixels) {
  const Bytes below = Ramp(40);
  Bytes row(40, 50);
  std::copy_n(below.begin(), 8, row.begin());
  const Bytes eight = CodeRow(row, &below);
  EXPECT_EQ(eight, (Bytes{8, 1, 240, 32, 50}));
  row[7] = 50;
  const Bytes seven = CodeRow(row, &below);
  EXPECT_EQ(seven.front(), 1);
  // Longer leading stretches are cut to one code of 255; the rest is copied by tokens.
  const Bytes wideBelow = Ramp(600);
  Bytes wide = wideBelow;
  std::fill(wide.begin() + 400, wide.end(), 50);
  const Bytes cut = CodeRow(wide, &wideBelow);
  EXPECT_EQ(cut.front(), 255);
  EXPECT_EQ(cut[1], 1);
}

TEST(EncoderLineChoice, TrailingCopyNeedsFourPixels) {
  const Bytes below = Ramp(20);
  Bytes row(20, 50);
  std::copy(below.end() - 4, below.end(), row.end() - 4);
  EXPECT_EQ(CodeRow(row, &below), (Bytes{1, 240, 16, 50, 240, 2, 0}));
  row[16] = 50;
  EXPECT_EQ(CodeRow(row, &below), (Bytes{1, 240, 17, 50, 27, 28, 29}));
}

// The plain candidate of a row above `below`, without leading or trailing copy, checked to
// decode back.
Bytes PlainTokens(const Bytes& row, const Bytes& below) {
  const uint16_t width = uint16_t(row.size());
  Bytes out(MaxTokenBytes(width));
  out.resize(EncodeTokens(out.data(), row.data(), 0, 0, true, width, below.data(), kEsc));
  CodedBand band{kEsc, SegmentFlag::Encoded, {0}};
  band.Bytes.insert(band.Bytes.end(), below.begin(), below.end());
  band.Bytes.insert(band.Bytes.end(), out.begin(), out.end());
  Bytes expected = below;
  expected.insert(expected.end(), row.begin(), row.end());
  EXPECT_EQ(enctest::DecodeBand(band, {width, 2, width}), expected);
  return out;
}

TEST(EncoderLineChoice, StretchesEqualToTheRowBelow) {
  Bytes below(16);
  for (size_t i = 0; i < 16; ++i) below[i] = uint8_t(i * 37 + 100);
  // Four matching pixels between new ones become one copy; three stay literal.
  Bytes row = Ramp(16, 30);
  std::copy_n(below.begin() + 4, 4, row.begin() + 4);
  EXPECT_EQ(PlainTokens(row, below),
            (Bytes{1, 30, 31, 32, 33, 240, 2, 4, 38, 39, 40, 41, 42, 43, 44, 45}));
  row = Ramp(16, 30);
  std::copy_n(below.begin() + 4, 3, row.begin() + 4);
  Bytes literal{1};
  literal.insert(literal.end(), row.begin(), row.end());
  EXPECT_EQ(PlainTokens(row, below), literal);
  // Long matches take a copy of 255 and one of the rest.
  const Bytes wideBelow = Ramp(300, 0);
  Bytes wide = wideBelow;
  wide[0] = 7;
  wide[299] = 8;
  EXPECT_EQ(PlainTokens(wide, wideBelow), (Bytes{1, 7, 240, 2, 255, 240, 2, 43, 8}));
  // A run that covers the match codes it better.
  Bytes below2(16, 7);
  std::fill_n(below2.begin() + 3, 6, 50);
  Bytes row2(16, 50);
  row2[15] = 8;
  EXPECT_EQ(PlainTokens(row2, below2), (Bytes{1, 240, 15, 50, 8}));
  // A pair whose second pixel begins the match keeps its first pixel as its own token.
  Bytes row3 = Ramp(16, 30);
  row3[3] = below[4];
  std::copy_n(below.begin() + 4, 6, row3.begin() + 4);
  const Bytes paired = PlainTokens(row3, below);
  EXPECT_EQ(Bytes(paired.begin(), paired.begin() + 8), (Bytes{1, 30, 31, 32, below[4], 240, 2, 6}));
}

TEST(EncoderLineChoice, XorCandidateOnlyWhenShorter) {
  // Above a row of zeros the XOR candidate is the plain one: the plain one is written.
  const Bytes zeros(12, 0);
  const Bytes row{5, 5, 5, 5, 9, 9, 9, 9, 3, 3, 3, 3};
  EXPECT_EQ(CodeRow(row, &zeros), (Bytes{1, 240, 4, 5, 240, 4, 9, 240, 4, 3}));
  // A row that differs from the row below by one value everywhere.
  const Bytes below = Ramp(12);
  Bytes shifted = below;
  for (auto& p : shifted) p ^= 0x40;
  EXPECT_EQ(CodeRow(shifted, &below), (Bytes{2, 240, 12, 0x40}));
}

TEST(EncoderLineChoice, CandidateOfRowLengthIsKept) {
  Bytes row = Ramp(12);
  std::fill_n(row.begin(), 3, 7);  // three 7s are B, 7: the candidate is exactly 12 bytes
  const Bytes kept = CodeRow(row);
  EXPECT_EQ(kept.size(), 12u);
  EXPECT_EQ(kept.front(), 1);
  const Bytes ramp = Ramp(12);
  Bytes plain{0};
  plain.insert(plain.end(), ramp.begin(), ramp.end());
  EXPECT_EQ(CodeRow(ramp), plain);  // 13 token bytes
  Bytes escapes(12, 240);
  escapes[1] = escapes[3] = escapes[5] = escapes[7] = escapes[9] = escapes[11] = 241;
  Bytes plainEscapes{0};
  plainEscapes.insert(plainEscapes.end(), escapes.begin(), escapes.end());
  EXPECT_EQ(CodeRow(escapes), plainEscapes);
}

TEST(EncoderLineChoice, EveryRunLengthOfBothEscapes) {
  size_t position = 0;
  Bytes out(64);
  for (uint8_t v : {uint8_t(240), uint8_t(241), uint8_t(5)})
    for (uint32_t count : {1u, 2u, 3u, 4u, 255u}) EmitRun(out.data(), position, v, count, kEsc);
  out.resize(position);
  EXPECT_EQ(out, (Bytes{240, 0,   240, 1,   240, 3,   240, 240, 4,   240, 240, 255, 240,
                        241, 240, 241, 241, 240, 3,   241, 240, 4,   241, 240, 255, 241,
                        5,   5,   5,   241, 5,   240, 4,   5,   240, 255, 5}));
}

TEST(EncoderEscapes, LeastAndSecondLeastUsedNonZeroValues) {
  // Every value of 1 to 255 once, zeros in the rest.
  Bytes band(2 * 256, 0);
  std::iota(band.begin() + 1, band.begin() + 256, 1);
  Escapes esc = ChooseEscapeCodes(band.data(), {256, 2, 256});
  EXPECT_EQ(esc.Run, 1);
  EXPECT_EQ(esc.Triple, 2);
  // 0 is never chosen, however rare; ties go to the smaller value; padding is not counted.
  // Rows of four pixels padded to eight with 3s: 3 never occurs, 1 and 2 twice, 4 three times.
  Bytes few;
  auto addRow = [&](std::initializer_list<uint8_t> pixels) {
    few.insert(few.end(), pixels);
    few.insert(few.end(), 4, 3);
  };
  addRow({1, 2, 4, 4});
  addRow({2, 1, 4, 0});
  for (int v = 5; v <= 255; ++v) addRow({uint8_t(v), uint8_t(v), uint8_t(v), uint8_t(v)});
  esc = ChooseEscapeCodes(few.data(), {4, uint16_t(few.size() / 8), 8});
  EXPECT_EQ(esc.Run, 3);
  EXPECT_EQ(esc.Triple, 1);
  Bytes twos(16, 2);
  twos[0] = 1;
  esc = ChooseEscapeCodes(twos.data(), {16, 1, 16});
  EXPECT_EQ(esc.Run, 3);
  EXPECT_EQ(esc.Triple, 4);
}

TEST(EncoderBand, FirstRowOfEveryBandStandsAlone) {
  // 640 x 480 of one colour: five bands, each a 6 and then sevens.
  const Bytes raw(ImageBytes(640, 480), 33);
  for (uint8_t i = 0; i < 5; ++i) {
    const uint16_t rows = SegmentRows(640, 480, i);
    const CodedBand band =
        Encode(raw.data() + size_t(SegmentBytes(640, 480, 0)) * i, {640, rows, 640});
    Bytes expected(size_t(rows) + 1, 7);
    expected[0] = 6;
    expected[1] = 33;
    EXPECT_EQ(band.Bytes, expected);
    EXPECT_EQ(band.Flags, SegmentFlag::Encoded);
  }
}

TEST(EncoderBand, FallsBackToPlainRunsThenPlainRows) {
  // Rows of three equal pixels and five new ones, nothing shared with the row below: every
  // row's line code is W bytes, so the band reaches W x R; its plain runs save one per row.
  const uint16_t width = 8, rows = 6;
  Bytes band(size_t(width) * rows);
  for (uint16_t r = 0; r < rows; ++r) {
    uint8_t* row = band.data() + r * width;
    std::fill_n(row, 3, uint8_t(20 + r));
    std::iota(row + 3, row + 8, uint8_t(100 + 10 * r));
  }
  const BandShape shape{width, rows, width};
  const CodedBand runs = Encode(band.data(), shape);
  EXPECT_EQ(runs.Flags, SegmentFlag::Encoded | SegmentFlag::PlainRuns);
  EXPECT_EQ(runs.Bytes.size(), size_t(width - 1) * rows);
  EXPECT_EQ(enctest::DecodeBand(runs, shape), band);
  // Noise gains nothing either way: plain rows, exactly W x R bytes, padding dropped.
  const BandShape padded{5, 40, 8};
  Bytes noise(size_t(padded.Rows) * padded.LineBytes);
  uint32_t state = 1;
  for (auto& p : noise) p = uint8_t((state = state * 1103515245 + 12345) >> 16);
  const CodedBand rowsBand = Encode(noise.data(), padded);
  EXPECT_EQ(rowsBand.Flags, SegmentFlag::Encoded | SegmentFlag::RawRows);
  ASSERT_EQ(rowsBand.Bytes.size(), 5u * 40);
  for (size_t r = 0; r < 40; ++r)
    EXPECT_TRUE(std::equal(noise.begin() + r * 8, noise.begin() + r * 8 + 5,
                           rowsBand.Bytes.begin() + r * 5));
  // A single pixel cannot be stored in less than one byte.
  const Bytes one{77, 0, 0, 0};
  const CodedBand single = Encode(one.data(), {1, 1, 4});
  EXPECT_EQ(single.Flags, SegmentFlag::Encoded | SegmentFlag::RawRows);
  EXPECT_EQ(single.Bytes, Bytes{77});
}

}  // namespace
