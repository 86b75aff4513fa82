// The game's pictures in the order they are stored: drawn in true colour, then mapped onto the
// game palette.
#pragma once

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "image/VX8Writer.h"

namespace art {

struct ArtPicture {
  std::string Name;
  QImage Image;      // true colour with alpha
  bool Transparent;  // stored with the transparent index
  QColor Matte;      // what lies beneath the picture's soft edges in the game
};

// All twenty pictures, always in the same order.
std::vector<ArtPicture> DrawGameArt();

// Each picture mapped onto GamePalette(); transparent ones use kTransparent.
std::vector<vx8::Picture> MapGameArt(const std::vector<ArtPicture>& art);

// A mapped picture as a true-colour image; transparent pixels get alpha 0.
QImage PictureImage(const vx8::Picture& picture, const vx8::Palette& palette);

}  // namespace art
