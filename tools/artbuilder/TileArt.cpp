#include "tools/artbuilder/TileArt.h"

#include <cmath>

#include "tools/artbuilder/ArtPalette.h"
#include "tools/artbuilder/Paint.h"

namespace art {
namespace {

// Distance from (x, y) to the nearest line of a diagonal lattice of pitch `pitch`, signed so
// that the two sides of each line can be lit differently.
double DiagonalOffset(double v, int pitch) {
  double m = std::fmod(v, double(pitch));
  if (m < 0) m += pitch;
  return m > pitch / 2.0 ? m - pitch : m;
}

}  // namespace

QColor BackgroundMatte() {
  return QColor(0x19, 0x2E, 0x41);
}

QImage DrawTile() {
  QImage image(kTileSize, kTileSize, QImage::Format_ARGB32_Premultiplied);
  const QColor deep(0x12, 0x23, 0x33), base(0x1A, 0x2F, 0x43), lit(0x24, 0x3D, 0x54);
  for (int y = 0; y < kTileSize; ++y) {
    for (int x = 0; x < kTileSize; ++x) {
      // Quilted diamonds: a soft crease along both diagonals, lit from the top left.
      const double px = x + 0.5, py = y + 0.5;
      const double a = DiagonalOffset(px + py, 32), b = DiagonalOffset(px - py, 32);
      auto crease = [](double d) {
        const double w = std::exp(-d * d / 2.2);
        return d < 0 ? -w : w * 0.6;
      };
      double light = 0.5 + 0.22 * crease(a) - 0.22 * crease(b);
      light += 0.22 * (TileNoise(x, y, kTileSize, 16, 7) - 0.5);
      light += 0.10 * (TileNoise(x, y, kTileSize, 4, 11) - 0.5);
      const QColor c = light < 0.5 ? Mix(deep, base, light * 2) : Mix(base, lit, light * 2 - 1);
      image.setPixelColor(x, y, c);
    }
  }
  return image;
}

QColor GroundMatte() {
  return QColor(0x2C, 0x55, 0x33);
}

QImage DrawEmptyCell() {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  const QColor dark(0x22, 0x47, 0x29), base(0x2C, 0x55, 0x33), lit(0x3A, 0x69, 0x41);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      double light = 0.5 + 0.30 * (TileNoise(x, y, 32, 8, 21) - 0.5);
      light += 0.35 * (PixelNoise(x, y, 23) - 0.5);
      const QColor c = light < 0.5 ? Mix(dark, base, light * 2) : Mix(base, lit, light * 2 - 1);
      image.setPixelColor(x, y, c);
    }
  }
  return image;
}

}  // namespace art
