#include "tools/artbuilder/PaletteMapper.h"

#include <limits>

namespace art {

PaletteMapper::PaletteMapper(const vx8::Palette& palette, uint8_t reserved) : Palette(palette) {
  Avoided[reserved] = true;
}

PaletteMapper::PaletteMapper(const vx8::Palette& palette, std::bitset<256> avoided)
    : Palette(palette), Avoided(avoided) {}

// "Red mean" weighting: a cheap distance that follows the eye better than plain RGB, in
// integers so that every build picks the same entries.
int PaletteMapper::Distance(QRgb a, QRgb b) {
  const int r1 = qRed(a), r2 = qRed(b);
  const int dr = r1 - r2, dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
  const int mean = (r1 + r2) / 2;
  return (((512 + mean) * dr * dr) >> 8) + 4 * dg * dg + (((767 - mean) * db * db) >> 8);
}

uint8_t PaletteMapper::Nearest(QRgb rgb) {
  rgb |= 0xFF000000u;
  if (auto it = Cache.find(rgb); it != Cache.end()) return it->second;
  int best = -1;
  int bestDistance = std::numeric_limits<int>::max();
  for (int i = 0; i < 256; ++i) {
    if (Avoided[size_t(i)]) continue;
    const vx8::PaletteColor& c = Palette[i];
    const int d = Distance(rgb, qRgb(c.Red, c.Green, c.Blue));
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  Cache.emplace(rgb, uint8_t(best));
  return uint8_t(best);
}

std::vector<uint8_t> PaletteMapper::MapOpaque(const QImage& image, QColor matte) {
  return Map(image, matte, -1);
}

std::vector<uint8_t> PaletteMapper::MapTransparent(const QImage& image, QColor matte,
                                                   uint8_t transparentIndex) {
  return Map(image, matte, transparentIndex);
}

std::vector<uint8_t> PaletteMapper::Map(const QImage& image, QColor matte, int transparentIndex) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const int mr = matte.red(), mg = matte.green(), mb = matte.blue();
  std::vector<uint8_t> out;
  out.reserve(size_t(argb.width()) * argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = row[x];
      const int a = qAlpha(p);
      if (transparentIndex >= 0 && a < 128) {
        out.push_back(uint8_t(transparentIndex));
        continue;
      }
      auto over = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
      out.push_back(Nearest(qRgb(over(qRed(p), mr), over(qGreen(p), mg), over(qBlue(p), mb))));
    }
  }
  return out;
}

}  // namespace art
