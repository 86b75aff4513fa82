#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "ArtFixture.h"
#include "tools/artbuilder/ArrowArt.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/KeyGlyphs.h"

namespace {

using art::ArrowSide;
using art_test::ArtTest;
using Pixels = std::set<std::pair<int, int>>;

struct Strip {
  const char* Up;
  const char* Down;
  ArrowSide Side;
};
const Strip kStrips[] = {{"arru_up", "arru_dn", ArrowSide::Above},
                         {"arrd_up", "arrd_dn", ArrowSide::Below},
                         {"arrl_up", "arrl_dn", ArrowSide::Left},
                         {"arrr_up", "arrr_dn", ArrowSide::Right}};

class ArrowTest : public ArtTest {
 protected:
  static bool Dark(const vx8::Picture& p, int x, int y) {
    if (Clear(p, x, y)) return false;
    const vx8::PaletteColor& c = art::GamePalette()[At(p, x, y)];
    return 299 * c.Red + 587 * c.Green + 114 * c.Blue < 45 * 1000;
  }

  // The key's ink in frame f: dark pixels that are not part of the sign's dark outline, that
  // is, not reachable from the outside through dark pixels.
  static Pixels KeyInk(const vx8::Picture& p, int frame) {
    const int top = 20 * frame;
    bool outline[20][20] = {};
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        if (Clear(p, x, top + y)) todo.push_back({x, y});
    while (!todo.empty()) {
      auto [x, y] = todo.back();
      todo.pop_back();
      for (auto [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
        if (nx < 0 || ny < 0 || nx >= 20 || ny >= 20 || outline[ny][nx]) continue;
        if (!Dark(p, nx, top + ny)) continue;
        outline[ny][nx] = true;
        todo.push_back({nx, ny});
      }
    }
    Pixels ink;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x)
        if (Dark(p, x, top + y) && !outline[y][x]) ink.insert({x, y});
    return ink;
  }

  static Pixels Shifted(const Pixels& s, int dx, int dy) {
    Pixels out;
    for (auto [x, y] : s) out.insert({x + dx, y + dy});
    return out;
  }

  // The glyph's ink moved so its top-left ink pixel is at (0, 0); likewise for `ink`.
  static Pixels Normalised(const Pixels& s) {
    int minX = 99, minY = 99;
    for (auto [x, y] : s) {
      minX = std::min(minX, x);
      minY = std::min(minY, y);
    }
    return Shifted(s, -minX, -minY);
  }

  static Pixels GlyphInk(char key) {
    Pixels ink;
    const char* const* rows = art::KeyGlyph(key);
    for (int y = 0; rows && y < art::kGlyphHeight; ++y)
      for (int x = 0; x < art::kGlyphWidth; ++x)
        if (rows[y][x] == '#') ink.insert({x, y});
    return Normalised(ink);
  }
};

TEST_F(ArrowTest, FramesShowTheKeysOfTheirMoveCommands) {
  // Column commands use the letters, row commands the digits; the second set starts at
  // move index 4.
  EXPECT_EQ(art::ArrowKey(ArrowSide::Above, 0), 'A');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Above, 4), 'E');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Below, 0), 'D');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Below, 2), 'F');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Below, 6), 'J');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Left, 0), '1');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Left, 4), '5');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Right, 0), '4');
  EXPECT_EQ(art::ArrowKey(ArrowSide::Right, 6), '0');
  EXPECT_EQ(art::ArrowFrameCount(ArrowSide::Above), 5);
  EXPECT_EQ(art::ArrowFrameCount(ArrowSide::Below), 7);
}

TEST_F(ArrowTest, EveryFrameCarriesItsKeyAndPressedFramesSinkByAPixel) {
  for (const Strip& s : kStrips) {
    const vx8::Picture& up = Get(s.Up);
    const vx8::Picture& down = Get(s.Down);
    for (int f = 0; f < art::ArrowFrameCount(s.Side); ++f) {
      const char key = art::ArrowKey(s.Side, f);
      const Pixels ink = KeyInk(up, f);
      ASSERT_FALSE(ink.empty()) << s.Up << " frame " << f;
      EXPECT_EQ(Normalised(ink), GlyphInk(key)) << s.Up << " frame " << f << " key " << key;
      EXPECT_EQ(KeyInk(down, f), Shifted(ink, 1, 1)) << s.Down << " frame " << f;
    }
  }
}

TEST_F(ArrowTest, ArrowsPointAwayFromTheBoard) {
  for (const Strip& s : kStrips) {
    for (const char* name : {s.Up, s.Down}) {
      const vx8::Picture& p = Get(name);
      for (int f = 0; f < art::ArrowFrameCount(s.Side); ++f) {
        // Ink along each edge of the frame: the point's edge carries little, the far edge much.
        int top = 0, bottom = 0, left = 0, right = 0;
        for (int i = 0; i < 20; ++i) {
          top += !Clear(p, i, 20 * f);
          bottom += !Clear(p, i, 20 * f + 19);
          left += !Clear(p, 0, 20 * f + i);
          right += !Clear(p, 19, 20 * f + i);
        }
        const int far = 12, point = 4;
        switch (s.Side) {
          case ArrowSide::Above:
            EXPECT_TRUE(top <= point && bottom >= far) << name << " frame " << f;
            break;
          case ArrowSide::Below:
            EXPECT_TRUE(bottom <= point && top >= far) << name << " frame " << f;
            break;
          case ArrowSide::Left:
            EXPECT_TRUE(left <= point && right >= far) << name << " frame " << f;
            break;
          case ArrowSide::Right:
            EXPECT_TRUE(right <= point && left >= far) << name << " frame " << f;
            break;
        }
      }
    }
  }
}

TEST_F(ArrowTest, PressedArrowsAreDarkerThanTheirNormalLook) {
  for (const Strip& s : kStrips) {
    const vx8::Picture& up = Get(s.Up);
    const vx8::Picture& down = Get(s.Down);
    auto luma = [](const vx8::Picture& p) {
      long sum = 0;
      for (uint8_t v : p.Pixels) {
        if (p.TransparentIndex && v == *p.TransparentIndex) continue;
        const vx8::PaletteColor& c = art::GamePalette()[v];
        sum += 299 * c.Red + 587 * c.Green + 114 * c.Blue;
      }
      return sum;
    };
    EXPECT_LT(luma(down), luma(up) * 9 / 10) << s.Down;
  }
}

}  // namespace
