// Maps true-colour art onto the game palette: each pixel becomes the nearest palette entry, so
// the same picture always gives the same indices.
#pragma once

#include <QColor>
#include <QImage>
#include <bitset>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "image/VX8Writer.h"

namespace art {

class PaletteMapper {
 public:
  // `reserved` is never chosen as a nearest colour (the transparent index).
  PaletteMapper(const vx8::Palette& palette, uint8_t reserved);
  // No entry of `avoided` is ever chosen.
  PaletteMapper(const vx8::Palette& palette, std::bitset<256> avoided);

  // Nearest entry by a weighted RGB distance; of equally near entries the lowest index wins.
  uint8_t Nearest(QRgb rgb);

  // Every pixel of an opaque picture; pixels with alpha are first laid over `matte`.
  std::vector<uint8_t> MapOpaque(const QImage& image, QColor matte);

  // Pixels with less than half coverage become `transparentIndex`; the others are laid over
  // `matte` (the colour expected beneath the picture) and mapped.
  std::vector<uint8_t> MapTransparent(const QImage& image, QColor matte, uint8_t transparentIndex);

  static int Distance(QRgb a, QRgb b);

 private:
  std::vector<uint8_t> Map(const QImage& image, QColor matte, int transparentIndex);

  vx8::Palette Palette;
  std::bitset<256> Avoided;
  std::unordered_map<QRgb, uint8_t> Cache;
};

}  // namespace art
