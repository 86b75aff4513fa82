// The game's pictures in the order they are stored: drawn in true colour, then mapped onto the
// game palette.
#pragma once

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

#include "image/VX8Writer.h"
#include "language/Language.h"
#include "tools/artbuilder/CaptionWords.h"

namespace art {

struct ArtPicture {
  std::string Name;
  QImage Image;                // true colour with alpha
  bool Transparent;            // stored with the transparent index
  QColor Matte;                // what lies beneath the picture's soft edges in the game
  std::vector<TextFit> Texts;  // where its words lie, for a picture with words
};

// All twenty pictures, always in the same order, their words in `words`.
std::vector<ArtPicture> DrawGameArt(const language::TLanguage& words = {});

// Each picture mapped onto GamePalette(); transparent ones use kTransparent.
std::vector<vx8::Picture> MapGameArt(const std::vector<ArtPicture>& art);

// A mapped picture as a true-colour image; transparent pixels get alpha 0.
QImage PictureImage(const vx8::Picture& picture, const vx8::Palette& palette);

}  // namespace art
