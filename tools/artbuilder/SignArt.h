// The pictures the back board shows between games: a road sign that invites the player to
// press Start, and one that celebrates a win. Transparent around the sign.
#pragma once

#include <QImage>

#include "tools/artbuilder/CaptionWords.h"

namespace art {

constexpr int kBackPictureSize = 206;

// In the words' language.
QImage DrawClickStart(CaptionWords& words);
QImage DrawWellDone(CaptionWords& words);

}  // namespace art
