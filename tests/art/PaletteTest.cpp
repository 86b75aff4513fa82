#include <gtest/gtest.h>

#include <QImage>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/PaletteMapper.h"
#include "tools/artbuilder/TileArt.h"

namespace {

using namespace art;

int Luma(const vx8::PaletteColor& c) {
  return (299 * c.Red + 587 * c.Green + 114 * c.Blue) / 1000;
}
int Luma(QColor c) {
  return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
}

TEST(GamePalette, FixedEntriesKeepTheirMeaning) {
  const vx8::Palette& p = GamePalette();
  EXPECT_EQ(p[0], (vx8::PaletteColor{0, 0, 0}));
  EXPECT_EQ(p[255], (vx8::PaletteColor{255, 255, 255}));
  // The grid and top-left line must stand out light against the cell ground and the
  // background; the bottom-right line must read as a shadow on the background.
  EXPECT_GT(Luma(p[kGridLight]), Luma(GroundMatte()) + 120);
  EXPECT_GT(Luma(p[kGridLight]), Luma(BackgroundMatte()) + 120);
  EXPECT_LT(Luma(p[kFrameDark]), Luma(BackgroundMatte()) - 15);
  EXPECT_LT(Luma(p[kFrameDark]), 40);
}

// A palette display keeps twenty colours of its own at the ends of its palette: the game's
// are the same there, and its ramps fill exactly the rest.
TEST(GamePalette, TheSystemsColoursAtTheEndsAndRampsFromDarkToLightBetween) {
  const Ramp ramps[] = {kGreys,        kBackground, kGround,         kRoad,    kFrame, kArrow,
                        kArrowPressed, kButton,     kButtonDisabled, kCaption, kLight};
  const vx8::Palette& p = GamePalette();
  for (int i = 0; i < 10; ++i) {
    const uint32_t low = kSystemColours[i], high = kSystemColours[10 + i];
    EXPECT_EQ(p[size_t(i)],
              (vx8::PaletteColor{uint8_t(low >> 16), uint8_t(low >> 8), uint8_t(low)}));
    EXPECT_EQ(p[size_t(246 + i)],
              (vx8::PaletteColor{uint8_t(high >> 16), uint8_t(high >> 8), uint8_t(high)}));
  }
  int next = 10;
  for (const Ramp& r : ramps) {
    EXPECT_EQ(r.First, next) << "ramps must follow each other without gaps or overlaps";
    next = r.First + r.Count;
    for (int i = r.First + 1; i < r.First + r.Count; ++i)
      EXPECT_GE(Luma(p[i]), Luma(p[i - 1])) << "entry " << i;
  }
  EXPECT_EQ(next, 246);
}

TEST(PaletteMapper, PicksExactEntriesAndNeverTheSystemsOwnButBlackAndWhite) {
  PaletteMapper mapper = GameMapper();
  for (int i : {0, 17, int(kFrameDark), 200, int(kGridLight), 255}) {
    const vx8::PaletteColor& c = GamePalette()[size_t(i)];
    const uint8_t found = mapper.Nearest(qRgb(c.Red, c.Green, c.Blue));
    EXPECT_EQ(GamePalette()[found], c) << "entry " << i;
  }
  for (int i : {1, 9, int(kTransparent), 250}) {
    const vx8::PaletteColor& own = GamePalette()[size_t(i)];
    EXPECT_NE(mapper.Nearest(qRgb(own.Red, own.Green, own.Blue)), i) << "entry " << i;
  }
}

TEST(PaletteMapper, EqualDistancesGoToTheLowestIndex) {
  vx8::Palette p{};
  for (auto& c : p) c = {200, 200, 200};
  p[7] = {100, 100, 100};
  p[3] = {100, 100, 100};
  p[9] = {100, 100, 100};
  PaletteMapper mapper(p, 3);
  EXPECT_EQ(mapper.Nearest(qRgb(101, 100, 100)), 7);
  // Two colours at the same distance on either side: the lower index wins.
  p[20] = {100, 100, 110};
  PaletteMapper mapper2(p, 3);
  EXPECT_EQ(mapper2.Nearest(qRgb(100, 100, 105)), 7);
}

TEST(PaletteMapper, HalfCoverageDecidesTransparencyAndEdgesBlendWithTheMatte) {
  vx8::Palette p{};
  p[0] = {0, 0, 0};
  p[1] = {255, 0, 255};
  p[2] = {255, 255, 255};
  p[3] = {128, 128, 128};
  PaletteMapper mapper(p, 1);
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 255, 255, 127));
  image.setPixel(1, 0, qRgba(255, 255, 255, 128));
  image.setPixel(2, 0, qRgba(255, 255, 255, 255));
  const std::vector<uint8_t> out = mapper.MapTransparent(image, Qt::black, 1);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[1], 3);  // half white over the black matte is grey
  EXPECT_EQ(out[2], 2);
  const std::vector<uint8_t> opaque = mapper.MapOpaque(image, Qt::black);
  EXPECT_EQ(opaque[0], 3);
}

}  // namespace
