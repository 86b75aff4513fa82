#include <gtest/gtest.h>

#include <set>

#include "ArtFixture.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/IndexCanvas.h"

namespace {

using art_test::ArtTest;

class RoadTest : public ArtTest {
 protected:
  // Whether road tile (pass, k) has ink at (x, y) of its 32 x 32 cell.
  static bool Ink(int pass, int k, int x, int y) {
    return !Clear(Get("roads"), 32 * pass + x, 32 * k + y);
  }
};

TEST_F(RoadTest, ShadesHaveTheShapeOfTheirRoad) {
  for (int k = 0; k < 9; ++k) {
    int ink = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        ink += Ink(0, k, x, y);
        ASSERT_EQ(Ink(0, k, x, y), Ink(1, k, x, y)) << "k " << k << " at " << x << "," << y;
        ASSERT_EQ(Ink(0, k, x, y), Ink(2, k, x, y)) << "k " << k << " at " << x << "," << y;
      }
    }
    EXPECT_GT(ink, 40) << "k " << k;
  }
}

TEST_F(RoadTest, EachRoadLeavesTheCentreTowardsItsDirection) {
  const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  for (int k = 0; k < 8; ++k) {
    EXPECT_TRUE(Ink(0, k, 15, 15)) << "k " << k;
    // The edge or corner it heads for is reached; the opposite one is not.
    const int ex = dx[k] > 0 ? 31 : dx[k] < 0 ? 0 : 15;
    const int ey = dy[k] > 0 ? 31 : dy[k] < 0 ? 0 : 15;
    EXPECT_TRUE(Ink(0, k, ex, ey)) << "k " << k;
    const int ox = dx[k] > 0 ? 0 : dx[k] < 0 ? 31 : 15;
    const int oy = dy[k] > 0 ? 0 : dy[k] < 0 ? 31 : 15;
    EXPECT_FALSE(Ink(0, k, ox, oy)) << "k " << k;
  }
  // The cap lies around the centre, well inside the cell.
  EXPECT_TRUE(Ink(0, 8, 15, 15));
  EXPECT_FALSE(Ink(0, 8, 15, 0));
  EXPECT_FALSE(Ink(0, 8, 0, 15));
}

TEST_F(RoadTest, StraightRoadsMeetTheirNeighboursEdgeToEdge) {
  std::set<int> north, south, west, east;
  for (int i = 0; i < 32; ++i) {
    if (Ink(0, 0, i, 0)) north.insert(i);
    if (Ink(0, 4, i, 31)) south.insert(i);
    if (Ink(0, 6, 0, i)) west.insert(i);
    if (Ink(0, 2, 31, i)) east.insert(i);
  }
  EXPECT_FALSE(north.empty());
  EXPECT_EQ(north, south);
  EXPECT_EQ(west, east);
  EXPECT_EQ(north, west);
}

// Where roads of one cell overlap, at the junction, every piece must give the same colour, or
// the order of drawing would show.
TEST_F(RoadTest, OverlappingRoadsAgreeOnEveryPixel) {
  const vx8::Picture& roads = Get("roads");
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        int seen = -1;
        for (int k = 0; k < 8; ++k) {
          if (!Ink(pass, k, x, y)) continue;
          const int v = At(roads, 32 * pass + x, 32 * k + y);
          if (seen < 0) seen = v;
          ASSERT_EQ(v, seen) << "pass " << pass << " k " << k << " at " << x << "," << y;
        }
      }
    }
  }
}

// A diagonal link across a cell corner, drawn as the boards draw it (both roads, then the
// corner piece centred on the corner pixel), must be one unbroken road.
TEST_F(RoadTest, DiagonalLinksAcrossCornersHaveNoGaps) {
  const vx8::Picture& roads = Get("roads");
  const vx8::Picture& conn = Get("conndiag");
  for (int pass = 0; pass < 3; ++pass) {
    // North-west to south-east: cell (0, 0) going south-east, cell (32, 32) going north-west.
    art::IndexCanvas a(64, 64, art::kTransparent);
    a.Draw(roads, 32 * pass, 32 * 3, 32, 32, 0, 0);
    a.Draw(roads, 32 * pass, 32 * 7, 32, 32, 32, 32);
    a.Draw(conn, 7 * pass, 7, 7, 7, 28, 28);
    // North-east to south-west: cell (32, 0) going south-west, cell (0, 32) going north-east.
    art::IndexCanvas b(64, 64, art::kTransparent);
    b.Draw(roads, 32 * pass, 32 * 5, 32, 32, 32, 0);
    b.Draw(roads, 32 * pass, 32 * 1, 32, 32, 0, 32);
    b.Draw(conn, 7 * pass, 0, 7, 7, 28, 28);
    // Across the road, every step along it between the two junctions is equally wide: a
    // corner piece that leaves a notch or juts out shows here.
    auto widthAcross = [](const art::IndexCanvas& c, int along, bool falling) {
      int n = 0;
      for (int x = 0; x < 64; ++x) {
        const int y = falling ? along - x : x - along;
        if (y >= 0 && y < 64 && c.At(x, y) != art::kTransparent) ++n;
      }
      return n;
    };
    // Pixel lines across a diagonal alternate in length, so compare like with like.
    const int width[2] = {widthAcross(a, 62, true), widthAcross(a, 63, true)};
    EXPECT_GE(width[0] + width[1], 5);
    for (int along = 40; along <= 84; ++along)
      ASSERT_EQ(widthAcross(a, along, true), width[along & 1])
          << "pass " << pass << " at x + y = " << along;
    for (int along = -22; along <= 22; ++along)
      ASSERT_EQ(widthAcross(b, along, false), width[along & 1])
          << "pass " << pass << " at x - y = " << along;
    // The corner piece adds nothing beside the road it continues.
    for (int j = 0; j < 7; ++j) {
      for (int i = 0; i < 7; ++i) {
        if (!Clear(conn, 7 * pass + i, 7 + j)) {
          EXPECT_LE(std::abs(i - j), 3);
        }
        if (!Clear(conn, 7 * pass + i, j)) {
          EXPECT_LE(std::abs(i + j - 6), 3);
        }
      }
    }
  }
}

}  // namespace
