#include <gtest/gtest.h>

#include <set>

#include "ArtFixture.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/PaletteMapper.h"

namespace {

using art_test::ArtTest;

struct Expected {
  const char* Name;
  int Width, Height;
  bool Transparent;
};

// The pictures the game asks for, with the sizes its drawing relies on.
const Expected kExpected[] = {
    {"empty", 32, 32, true},    {"roads", 96, 288, true},   {"conndiag", 21, 14, true},
    {"arru_up", 20, 100, true}, {"arru_dn", 20, 100, true}, {"arrd_up", 20, 140, true},
    {"arrd_dn", 20, 140, true}, {"arrl_up", 20, 100, true}, {"arrl_dn", 20, 100, true},
    {"arrr_up", 20, 140, true}, {"arrr_dn", 20, 140, true}, {"start", 156, 84, false},
    {"exit", 156, 84, false},   {"min_btn", 40, 84, false}, {"plus_btn", 40, 84, false},
    {"colrow", 112, 58, true},
};

TEST_F(ArtTest, EveryPictureIsThereOnceWithItsSizeAndTransparency) {
  ASSERT_EQ(Pictures->size(), 20u);
  std::set<std::string> names;
  for (const vx8::Picture& p : *Pictures) {
    EXPECT_TRUE(names.insert(p.Name).second) << "twice: " << p.Name;
    EXPECT_EQ(p.Pixels.size(), size_t(p.Width) * p.Height) << p.Name;
  }
  for (const Expected& e : kExpected) {
    const vx8::Picture& p = Get(e.Name);
    EXPECT_EQ(p.Width, e.Width) << e.Name;
    EXPECT_EQ(p.Height, e.Height) << e.Name;
    EXPECT_EQ(p.TransparentIndex.has_value(), e.Transparent) << e.Name;
    if (e.Transparent) {
      EXPECT_EQ(p.TransparentIndex, art::kTransparent) << e.Name;
    }
  }
  const vx8::Picture& tile = Get("tile");
  EXPECT_TRUE(tile.Width == tile.Height && (tile.Width == 32 || tile.Width == 64));
  EXPECT_FALSE(tile.TransparentIndex.has_value());
  for (const char* name : {"clicksr", "welldone"}) {
    const vx8::Picture& p = Get(name);
    EXPECT_LE(p.Width, 206) << name;
    EXPECT_LE(p.Height, 206) << name;
    EXPECT_EQ(p.TransparentIndex, art::kTransparent) << name;
  }
  // The title lies at (71, 9) and must stay between x = 71 and 446 and above the boards.
  const vx8::Picture& title = Get("zelto");
  EXPECT_LE(title.Width, 446 - 71);
  EXPECT_LE(title.Height, 104 - 9);
  EXPECT_EQ(title.TransparentIndex, art::kTransparent);
}

TEST_F(ArtTest, OpaquePicturesNeverUseTheTransparentIndex) {
  // A button face is composed on a blank picture: a transparent pixel would show garbage.
  for (const char* name : {"tile", "start", "exit", "min_btn", "plus_btn"}) {
    const vx8::Picture& p = Get(name);
    for (uint8_t v : p.Pixels) ASSERT_NE(v, art::kTransparent) << name;
  }
}

TEST_F(ArtTest, CellGroundCoversTheWholeCell) {
  const vx8::Picture& empty = Get("empty");
  for (uint8_t v : empty.Pixels) ASSERT_NE(v, art::kTransparent);
}

TEST_F(ArtTest, CaptionsAndBackPicturesLetTheBackgroundThrough) {
  for (const char* name : {"zelto", "colrow", "clicksr", "welldone"}) {
    const vx8::Picture& p = Get(name);
    size_t clear = 0;
    for (uint8_t v : p.Pixels) clear += v == art::kTransparent;
    EXPECT_GT(clear, p.Pixels.size() / 10) << name;
    EXPECT_LT(clear, p.Pixels.size() * 9 / 10) << name << " is nearly empty";
  }
}

TEST_F(ArtTest, ButtonFramesLookDifferentWhenUpDownAndDisabled) {
  for (const char* name : {"start", "exit", "min_btn", "plus_btn"}) {
    const vx8::Picture& p = Get(name);
    const size_t frame = size_t(p.Width) * (p.Height / 3);
    auto differ = [&](int a, int b) {
      size_t n = 0;
      for (size_t i = 0; i < frame; ++i) n += p.Pixels[a * frame + i] != p.Pixels[b * frame + i];
      return n;
    };
    EXPECT_GT(differ(0, 1), frame / 4) << name;
    EXPECT_GT(differ(0, 2), frame / 4) << name;
    EXPECT_GT(differ(1, 2), frame / 4) << name;
  }
  // Start and Exit carry different words.
  EXPECT_NE(Get("start").Pixels, Get("exit").Pixels);
  EXPECT_NE(Get("min_btn").Pixels, Get("plus_btn").Pixels);
}

// Repeated tiles must not show seams: colour steps across the tile's wrap-around edges are no
// larger than the steps between neighbours inside it.
TEST_F(ArtTest, TileAndCellGroundAreSeamless) {
  for (const char* name : {"tile", "empty"}) {
    const vx8::Picture& p = Get(name);
    auto rgb = [&](int x, int y) {
      const vx8::PaletteColor& c = art::GamePalette()[At(p, x, y)];
      return qRgb(c.Red, c.Green, c.Blue);
    };
    const int w = p.Width, h = p.Height;
    double inside = 0, across = 0;
    int insideCount = 0, acrossCount = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const int d = art::PaletteMapper::Distance(rgb(x, y), rgb((x + 1) % w, y)) +
                      art::PaletteMapper::Distance(rgb(x, y), rgb(x, (y + 1) % h));
        if (x == w - 1 || y == h - 1) {
          across += d;
          ++acrossCount;
        } else {
          inside += d;
          ++insideCount;
        }
      }
    }
    EXPECT_LT(across / acrossCount, 1.5 * inside / insideCount + 1) << name;
  }
}

}  // namespace
