#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "image/LineCodec.h"
#include "image/VX8Exception.h"

namespace {

using namespace vx8;
using Bytes = std::vector<uint8_t>;

constexpr Escapes kEsc{240, 241};

// Decodes a second row against a first row of 10, 11, ..., 21 given as code 0.
Bytes DecodeSecondRow(const Bytes& row) {
  Bytes src{0};
  for (uint8_t v = 10; v < 22; ++v) src.push_back(v);
  src.insert(src.end(), row.begin(), row.end());
  Bytes dst(2 * 12);
  DecodeLineCode(src.data(), src.size(), dst.data(), {12, 2, 12}, kEsc, false);
  return Bytes(dst.begin() + 12, dst.end());
}

std::string DecodeError(const Bytes& src, BandShape shape, bool rawRows = false) {
  Bytes dst(size_t(shape.Rows) * shape.LineBytes);
  try {
    DecodeLineCode(src.data(), src.size(), dst.data(), shape, kEsc, rawRows);
  } catch (const VX8Exception& e) {
    return e.what();
  }
  return "";
}

TEST(LineCode, TokensOfEveryKind) {
  EXPECT_EQ(DecodeSecondRow({1, 5, 240, 0, 240, 1, 241, 240, 241, 241, 241, 7, 240, 2, 0}),
            (Bytes{5, 240, 240, 240, 241, 241, 241, 7, 7, 7, 20, 21}));
}

TEST(LineCode, XorRowAgainstPreviousRow) {
  EXPECT_EQ(DecodeSecondRow({2, 240, 5, 51, 1, 2, 3, 4, 5, 6, 7}),
            (Bytes{57, 56, 63, 62, 61, 14, 18, 18, 22, 22, 18, 18}));
}

TEST(LineCode, CopiesFillsAndLeadingCopies) {
  Bytes prev(12);
  std::iota(prev.begin(), prev.end(), 10);
  EXPECT_EQ(DecodeSecondRow({7}), prev);
  EXPECT_EQ(DecodeSecondRow({6, 99}), Bytes(12, 99));
  // Two leading copies of 4 (codes 8+ need 8, here 9 then the rest literally).
  EXPECT_EQ(DecodeSecondRow({9, 0, 1, 2, 3}), (Bytes{10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3}));
  EXPECT_EQ(DecodeSecondRow({12}), prev);  // a leading copy that fills the row ends it
  EXPECT_EQ(DecodeSecondRow({1, 240, 2, 3, 240, 9, 4}),
            (Bytes{10, 11, 12, 4, 4, 4, 4, 4, 4, 4, 4, 4}));
}

TEST(LineCode, RowPaddingIsZeroed) {
  Bytes src{6, 7, 7};
  Bytes dst(2 * 8, 0xEE);
  DecodeLineCode(src.data(), src.size(), dst.data(), {5, 2, 8}, kEsc, false);
  EXPECT_EQ(dst, (Bytes{7, 7, 7, 7, 7, 0, 0, 0, 7, 7, 7, 7, 7, 0, 0, 0}));
}

TEST(LineCode, FirstRowRefusesCodesThatNeedAPreviousRow) {
  const BandShape shape{12, 1, 12};
  for (int k : {2, 7, 8, 255})
    EXPECT_EQ(DecodeError({uint8_t(k), 1, 2}, shape), "Decode: invalid line code") << k;
  EXPECT_EQ(DecodeError({1, 240, 2, 0}, shape), "Decode: invalid line code");
  EXPECT_EQ(DecodeError({6, 1}, shape), "");
}

TEST(LineCode, OverlongRowsAndShortSourcesAreRefused) {
  const BandShape two{12, 2, 12};
  Bytes first{6, 1};
  auto second = [&](Bytes row) {
    Bytes src = first;
    src.insert(src.end(), row.begin(), row.end());
    return DecodeError(src, two);
  };
  // A run of 5 that starts 3 pixels before the end.
  EXPECT_EQ(second({1, 9, 9, 9, 9, 9, 9, 9, 9, 9, 240, 5, 3}), "Decode: output line overflow");
  EXPECT_EQ(second({13}), "Decode: output line overflow");
  // A code 2 row is cut at the row's end instead.
  EXPECT_EQ(second({2, 240, 20, 1}), "");
  EXPECT_EQ(second({}), "Decode: source buffer overflow");
  EXPECT_EQ(second({8}), "Decode: source buffer overflow");
  EXPECT_EQ(second({1, 5, 240}), "Decode: source buffer overflow");
  EXPECT_EQ(second({1, 240, 9}), "Decode: source buffer overflow");
  EXPECT_EQ(second({0, 1, 2, 3}), "Decode: source buffer overflow");
  EXPECT_EQ(second({6}), "Decode: source buffer overflow");
}

TEST(LineCode, PlainRowsNeedEveryRow) {
  const BandShape shape{3, 3, 4};
  Bytes src{1, 2, 3, 4, 5, 6};
  EXPECT_EQ(DecodeError(src, shape, true), "Decode: source buffer overflow");
  src.insert(src.end(), {7, 8, 9});
  Bytes dst(12, 0xEE);
  DecodeLineCode(src.data(), src.size(), dst.data(), shape, kEsc, true);
  EXPECT_EQ(dst, (Bytes{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}));
}

TEST(PlainRuns, RunsCrossRowsAndReadBothEscapes) {
  Bytes dst(3 * 4, 0xEE);
  const Bytes src{240, 7, 5, 241, 9, 240, 1};  // seven 5s over rows of 4, three 9s, A A
  DecodeRuns(src.data(), src.size(), dst.data(), {4, 3, 4}, kEsc);
  EXPECT_EQ(dst, (Bytes{5, 5, 5, 5, 5, 5, 5, 9, 9, 9, 240, 240}));
  Bytes full(3 * 8, 0xEE);
  const Bytes src2{240, 7, 5, 241, 9, 240, 0, 240, 1, 241, 240, 241, 241, 3, 1};
  DecodeRuns(src2.data(), src2.size(), full.data(), {5, 3, 8}, kEsc);
  EXPECT_EQ(full, (Bytes{5, 5, 5, 5, 5,   0,   0,   0,   5,   5, 9, 9,
                         9, 0, 0, 0, 240, 240, 240, 241, 241, 0, 0, 0}));
}

TEST(PlainRuns, ShortSourceIsRefusedAndLongRunIsCut) {
  Bytes dst(2 * 4);
  const Bytes shortSrc{240, 5, 1};
  EXPECT_THROW(DecodeRuns(shortSrc.data(), shortSrc.size(), dst.data(), {4, 2, 4}, kEsc),
               VX8Exception);
  const Bytes longSrc{240, 200, 3};
  DecodeRuns(longSrc.data(), longSrc.size(), dst.data(), {4, 2, 4}, kEsc);
  EXPECT_EQ(dst, Bytes(8, 3));
}

}  // namespace
