// The captions painted over the window background: the title and the size label between the
// minus and plus buttons. Transparent around the lettering.
#pragma once

#include <QImage>

#include "tools/artbuilder/CaptionWords.h"

namespace art {

// "Zeltoria", at most 375 x 95 (it lies between x = 71 and 446, above the boards).
QImage DrawTitle();

// 112 x 58: "Columns" level with the upper pair of size buttons, "Rows" with the lower pair,
// in the words' language.
QImage DrawSizeCaption(CaptionWords& words);

}  // namespace art
