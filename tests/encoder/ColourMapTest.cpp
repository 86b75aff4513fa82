// Mapping pictures onto a palette for pack: the nearest colour with the lowest index on a tie and
// never the transparent index, the cache agreeing with a plain search, transparency, --exact,
// palette PNGs, and what the report says.
#include <gtest/gtest.h>

#include <random>

#include "tools/vx8tool/ColourMap.h"

namespace {

using vx8tool::MapPicture;
using vx8tool::MappingReport;
using vx8tool::PixelError;
using Bytes = std::vector<uint8_t>;

// Grey i at index i.
vx8::Palette Greys() {
  vx8::Palette palette;
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
  return palette;
}

png::PngPicture Argb(int width, std::vector<uint32_t> pixels) {
  png::PngPicture png;
  png.Width = width;
  png.Height = int(pixels.size()) / width;
  png.Argb = std::move(pixels);
  return png;
}

std::string ErrorOf(const png::PngPicture& png, const vx8::Palette& palette,
                    std::optional<uint8_t> transparent, bool exact) {
  try {
    MapPicture(png, palette, transparent, exact, nullptr);
  } catch (const PixelError& e) {
    return e.what();
  }
  return "";
}

TEST(ColourMap, NearestColourTakesTheLowestIndexOnATieAndNeverTheTransparentOne) {
  vx8::Palette palette = Greys();
  palette[3] = {20, 200, 20};
  palette[9] = {20, 200, 24};   // as near to (20, 200, 22) as 3 is
  palette[40] = {20, 200, 20};  // the same colour as 3
  palette[77] = {250, 0, 250};
  const auto png = Argb(4, {0xFF14C816, 0xFF14C814, 0xFFFA00FA, 0xFF0A0A0A});
  MappingReport report;
  EXPECT_EQ(MapPicture(png, palette, std::nullopt, false, &report), (Bytes{3, 3, 77, 10}));
  EXPECT_EQ(report.Changed, 1u);
  EXPECT_EQ(report.LargestDistance, 4u);

  // The transparent index is passed over even for its own colour: the next nearest wins, and an
  // exact pack says why it refuses.
  EXPECT_EQ(MapPicture(png, palette, 3, false, nullptr), (Bytes{9, 40, 77, 10}));
  EXPECT_EQ(MapPicture(png, palette, 77, false, &report)[2], 167);
  EXPECT_EQ(report.LargestDistance, 83u * 83 + 167u * 167 + 83u * 83);
  EXPECT_EQ(ErrorOf(Argb(1, {0xFFFA00FA}), palette, 77, true),
            "pixel (0, 0) has colour #fa00fa, which the palette has only at the picture's "
            "transparent index 77");
  EXPECT_EQ(ErrorOf(Argb(2, {0xFF050505, 0xFF14C816}), palette, std::nullopt, true),
            "pixel (1, 0) has colour #14c816, which is not in the palette");
}

TEST(ColourMap, SearchAndCacheAgreeWithAPlainSearch) {
  std::mt19937 rng(12);
  vx8::Palette palette;
  for (auto& c : palette) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
  // Repeated colours and repeated greens, so that ties and equal greens are common.
  for (int i = 192; i < 256; ++i) palette[i] = palette[i % 7 * 9];
  for (int i = 100; i < 140; ++i) palette[i].Green = palette[i - 40].Green;
  // Many more colours than cache slots, each twice, so that slots are shared and reused.
  std::vector<uint32_t> pixels(200000);
  for (size_t i = 0; i < pixels.size() / 2; ++i)
    pixels[i] = pixels[pixels.size() - 1 - i] = 0xFF000000u | (rng() & 0xFFFFFFu);
  const Bytes mapped = MapPicture(Argb(400, pixels), palette, 5, false, nullptr);
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t best = ~0u;
    int index = -1;
    for (int k = 0; k < 256; ++k) {
      const uint32_t rgb = uint32_t(palette[k].Red) << 16 | palette[k].Green << 8 | palette[k].Blue;
      const uint32_t d = vx8tool::ColourDistance(pixels[i], rgb);
      if (k != 5 && d < best) {
        best = d;
        index = k;
      }
    }
    ASSERT_EQ(mapped[i], index) << "pixel " << i;
  }
}

TEST(ColourMap, TransparencyIsAllOrNothing) {
  const vx8::Palette palette = Greys();
  const auto png =
      Argb(3, {0xFF808080, 0x00123456, 0x00000000, 0xFF000000, 0x7F808080, 0xFFFFFFFF});
  EXPECT_EQ(ErrorOf(png, palette, 200, false),
            "pixel (1, 1) is partly transparent (alpha 127); a pixel must be opaque or fully "
            "transparent");
  auto clear = png;
  clear.Argb[4] = 0;
  EXPECT_EQ(MapPicture(clear, palette, 200, false, nullptr), (Bytes{128, 200, 200, 0, 200, 255}));
  EXPECT_EQ(ErrorOf(clear, palette, std::nullopt, false),
            "pixel (1, 0) is transparent, but the picture has no transparent index "
            "(transparent=INDEX on its manifest line)");
}

TEST(ColourMap, PalettePngsKeepTheLibrarysIndicesAndMapOthersByColour) {
  vx8::Palette palette = Greys();
  palette[201] = palette[200];
  png::PngPicture png;
  png.Width = 3;
  png.Height = 2;
  png.Indexed = true;
  png.PaletteSize = 256;
  for (int i = 0; i < 256; ++i)
    png.Palette[i] = {palette[i].Red, palette[i].Green, palette[i].Blue};
  png.Alpha[9] = 0;
  png.Indices = {201, 200, 9, 0, 255, 9};
  // As unpack writes it: even a repeated colour keeps its index; entry 9 is see-through.
  MappingReport report;
  EXPECT_EQ(MapPicture(png, palette, 9, false, &report), (Bytes{201, 200, 9, 0, 255, 9}));
  EXPECT_EQ(report.Changed, 0u);
  EXPECT_NE(ErrorOf(png, palette, std::nullopt, false).find("pixel (2, 0) is transparent"),
            std::string::npos);
  // Another transparent index: the old one's opaque pixels would vanish, so they are mapped.
  png.Alpha[9] = 255;
  EXPECT_EQ(MapPicture(png, palette, 9, false, nullptr), (Bytes{201, 200, 8, 0, 255, 8}));

  // A palette of other colours is mapped colour by colour, like a true-colour picture.
  png.Palette[0] = {255, 255, 250};
  png.Palette[255] = {0, 0, 3};
  png.Alpha[200] = 0;
  // (0, 0, 3) is as near to grey 0 as to grey 2; grey 1, nearer, is the transparent index.
  EXPECT_EQ(MapPicture(png, palette, 1, false, &report), (Bytes{200, 1, 9, 253, 0, 9}));
  EXPECT_EQ(report.Changed, 2u);
  EXPECT_EQ(report.LargestDistance, 17u);
  EXPECT_EQ(report.X, 0);
  EXPECT_EQ(report.Y, 1);
  EXPECT_EQ(report.From, 0xFFFFFAu);
  EXPECT_EQ(report.To, 0xFDFDFDu);
  EXPECT_EQ(report.Index, 253);
  EXPECT_EQ(ErrorOf(png, palette, 1, true),
            "pixel (0, 1) has colour #fffffa, which is not in the palette");

  png.PaletteSize = 201;
  EXPECT_EQ(ErrorOf(png, palette, 1, false),
            "pixel (0, 0) has index 201, but the PNG's palette has only 201 colours");
}

}  // namespace
