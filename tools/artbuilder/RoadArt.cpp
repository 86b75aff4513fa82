#include "tools/artbuilder/RoadArt.h"

#include <cstdlib>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

// Cell geometry: the centre pixel of a cell's 31 x 31 interior; pixel row and column 31 are
// the grid line, and the corner pixel (31, 31) is shared by four cells.
constexpr int kCentre = 15;
constexpr int kHalfWidth = 2;      // straight roads are 5 pixels wide
constexpr int kDiagonalReach = 3;  // diagonal roads cover 7 pixels of each row, so the
                                   // 7 x 7 corner pieces can hold everything they spill
constexpr int kLineStart = 5;      // the centre line stops short of the junction

const int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
const int kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// Where a pixel lies relative to a road: not on it, on its surface, or on its centre line.
enum class RoadPart { None, Surface, Line };

RoadPart OnRoad(int k, int u, int v) {
  const int dx = kDx[k], dy = kDy[k];
  if (dx == 0 || dy == 0) {
    const int along = u * dx + v * dy;
    const int across = dx == 0 ? u : v;
    if (std::abs(across) > kHalfWidth || along < 0) return RoadPart::None;
    return across == 0 && along >= kLineStart ? RoadPart::Line : RoadPart::Surface;
  }
  // Diagonal: `across` is constant along the road, `along` grows away from the centre.
  const int across = dx == dy ? u - v : u + v;
  const int along = u * dx + v * dy;
  if (std::abs(across) > kDiagonalReach || along < 0) return RoadPart::None;
  return across == 0 && along >= 2 * kLineStart - 2 ? RoadPart::Line : RoadPart::Surface;
}

bool OnHub(int u, int v) {
  return u * u + v * v <= 6;
}

// The colour of a road pixel depends only on its place within the 32-pixel cell pitch and on
// the pass, so pieces drawn over each other always agree where they overlap.
QColor RoadColor(int tx, int ty, int pass, RoadPart part, bool vertical = false) {
  tx &= 31;
  ty &= 31;
  if (pass == 1) return RampColor(kGround, 2);
  if (pass == 2) return RampColor(kGround, 0);
  if (part == RoadPart::Line) {
    // Dashes of two pixels along the road, in phase across cells.
    const bool dash = ((vertical ? ty : tx) & 3) < 2;
    if (dash) return Mix(RampColor(kRoad, 17), RampColor(kRoad, 19), PixelNoise(tx, ty, 5));
  }
  const double n = PixelNoise(tx, ty, 3);
  return Mix(RampColor(kRoad, 23), RampColor(kRoad, 25), n);
}

QColor CapColor(int u, int v, int tx, int ty, int pass, bool* inside) {
  const int r2 = u * u + v * v;
  *inside = r2 <= 31;
  if (!*inside || pass != 0) return RoadColor(tx, ty, pass, RoadPart::Surface);
  if (r2 >= 17) return RampColor(kRoad, 9);  // kerb of the turning circle
  if (r2 <= 2) return RampColor(kRoad, 7);   // the end point
  return RoadColor(tx, ty, pass, RoadPart::Surface);
}

}  // namespace

QImage DrawRoads() {
  QImage image = NewArt(96, 288);
  for (int pass = 0; pass < 3; ++pass) {
    for (int k = 0; k < 9; ++k) {
      for (int ty = 0; ty < 32; ++ty) {
        for (int tx = 0; tx < 32; ++tx) {
          const int u = tx - kCentre, v = ty - kCentre;
          QColor c;
          if (k == 8) {
            bool inside = false;
            c = CapColor(u, v, tx, ty, pass, &inside);
            if (!inside) continue;
          } else {
            RoadPart part = OnRoad(k, u, v);
            if (part == RoadPart::None && OnHub(u, v)) part = RoadPart::Surface;
            if (part == RoadPart::None) continue;
            c = RoadColor(tx, ty, pass, part, kDx[k] == 0);
          }
          image.setPixelColor(32 * pass + tx, 32 * k + ty, c);
        }
      }
    }
  }
  return image;
}

QImage DrawDiagonalConnectors() {
  QImage image = NewArt(21, 14);
  for (int row = 0; row < 2; ++row) {
    // Row 0 continues a north-east road, row 1 a south-east one, through the corner pixel.
    const int k = row == 0 ? 1 : 3;
    for (int pass = 0; pass < 3; ++pass) {
      for (int j = 0; j < 7; ++j) {
        for (int i = 0; i < 7; ++i) {
          const int u = i - 3, v = j - 3;
          // Both halves of the road through the corner: towards k and its opposite.
          RoadPart part = OnRoad(k, u, v);
          if (part == RoadPart::None) part = OnRoad((k + 4) % 8, u, v);
          if (part == RoadPart::None) continue;
          // Place within the cell pitch: the corner pixel is a cell's pixel (31, 31).
          const int tx = 28 + i, ty = 28 + j;
          const bool line = std::abs(row == 0 ? u + v : u - v) == 0;
          image.setPixelColor(7 * pass + i, 7 * row + j,
                              RoadColor(tx, ty, pass, line ? RoadPart::Line : RoadPart::Surface));
        }
      }
    }
  }
  return image;
}

}  // namespace art
