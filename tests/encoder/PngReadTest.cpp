// Reading PNG files for the packer: palette pictures keep their indices at every bit depth,
// other kinds become ARGB, and bad or oversized files are refused with the file's name.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>

#include "tests/support/PngKinds.h"
#include "tools/png/PngFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using png::DecodePng;

using vx8test::EncodeRaw;

TEST(PngRead, PalettePicturesKeepTheirIndices) {
  png::PngPalette palette{};
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i ^ 0x55), uint8_t(3 * i)};
  Bytes indices(7 * 5);
  for (size_t i = 0; i < indices.size(); ++i) indices[i] = uint8_t(i * 37);
  const auto png = DecodePng(png::EncodePngIndexed(7, 5, indices.data(), palette, 9), "a.png", 35);
  EXPECT_TRUE(png.Indexed);
  EXPECT_EQ(png.Width, 7);
  EXPECT_EQ(png.Height, 5);
  EXPECT_EQ(png.Indices, indices);
  ASSERT_EQ(png.PaletteSize, 256);
  EXPECT_EQ(png.Palette[200].Green, 200 ^ 0x55);
  EXPECT_EQ(png.Palette[85].Blue, 255);
  // The transparent entry's alpha from tRNS; every other entry is opaque.
  EXPECT_EQ(png.Alpha[9], 0);
  EXPECT_EQ(png.Alpha[8], 255);
  EXPECT_EQ(png.Alpha[10], 255);
  // Four and one bits per index, one of them interlaced, widen to one byte each.
  const auto four = DecodePng(
      EncodeRaw({3, 2, PNG_COLOR_TYPE_PALETTE, 4}, {0x1F, 0x20, 0xAB, 0xC0}), "four.png", 100);
  EXPECT_EQ(four.Indices, (Bytes{1, 15, 2, 10, 11, 12}));
  EXPECT_EQ(four.PaletteSize, 16);
  const auto one = DecodePng(
      EncodeRaw({10, 2, PNG_COLOR_TYPE_PALETTE, 1, true}, {0b10110000, 0b01000000, 0, 0xC0}),
      "one.png", 100);
  EXPECT_EQ(one.Indices, (Bytes{1, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
}

TEST(PngRead, OtherKindsBecomeArgb) {
  const auto rgb =
      DecodePng(EncodeRaw({2, 1, PNG_COLOR_TYPE_RGB, 8}, {1, 2, 3, 250, 251, 252}), "rgb.png", 10);
  EXPECT_FALSE(rgb.Indexed);
  EXPECT_EQ(rgb.Argb, (std::vector<uint32_t>{0xFF010203, 0xFFFAFBFC}));
  const auto rgba = DecodePng(
      EncodeRaw({2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8}, {1, 2, 3, 0, 9, 8, 7, 128}), "rgba.png", 10);
  EXPECT_EQ(rgba.Argb, (std::vector<uint32_t>{0x00010203, 0x80090807}));
  const auto grey = DecodePng(EncodeRaw({2, 1, PNG_COLOR_TYPE_GRAY, 8}, {0, 77}), "g.png", 10);
  EXPECT_EQ(grey.Argb, (std::vector<uint32_t>{0xFF000000, 0xFF4D4D4D}));
  const auto deep = DecodePng(EncodeRaw({1, 2, PNG_COLOR_TYPE_RGB, 16},
                                        {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}),
                              "deep.png", 10);
  EXPECT_EQ(deep.Argb, (std::vector<uint32_t>{0xFF12ABFF, 0xFF000000}));
  // Sixteen bits are scaled to eight with rounding, not cut.
  const auto deepGrey =
      DecodePng(EncodeRaw({2, 1, PNG_COLOR_TYPE_GRAY, 16}, {0x00, 0xFF, 0xFF, 0x00}), "dg.png", 10);
  EXPECT_EQ(deepGrey.Argb, (std::vector<uint32_t>{0xFF010101, 0xFFFEFEFE}));
}

std::string ErrorOf(const Bytes& bytes, size_t maxPixels = 1000) {
  try {
    DecodePng(bytes, "x/bad.png", maxPixels);
  } catch (const png::PngError& e) {
    return e.what();
  }
  return "";
}

TEST(PngRead, BadFilesAreRefusedByName) {
  EXPECT_EQ(ErrorOf({1, 2, 3}), "x/bad.png: not a PNG file");
  const Bytes good = EncodeRaw({20, 20, PNG_COLOR_TYPE_RGB, 8}, Bytes(20 * 20 * 3, 9));
  EXPECT_EQ(ErrorOf(good), "");
  EXPECT_EQ(ErrorOf(good, 399), "x/bad.png: 20 x 20 is too large (at most 399 pixels)");
  const std::string cut = ErrorOf(Bytes(good.begin(), good.begin() + good.size() / 2));
  EXPECT_EQ(cut.rfind("x/bad.png: ", 0), 0u) << cut;
  EXPECT_GT(cut.size(), 11u);
  Bytes corrupt = good;
  corrupt[40] ^= 0xFF;  // inside the pixel data: its checksum no longer fits
  EXPECT_NE(ErrorOf(corrupt), "");
  try {
    png::ReadPng("/nonexistent/p.png", 10);
    ADD_FAILURE();
  } catch (const png::PngError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("cannot read /nonexistent/p.png: ", 0), 0u) << e.what();
  }
}

}  // namespace
