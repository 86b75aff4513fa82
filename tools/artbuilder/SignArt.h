// The pictures the back board shows between games: a road sign that invites the player to
// press Start, and one that celebrates a win. Transparent around the sign.
#pragma once

#include <QImage>

namespace art {

constexpr int kBackPictureSize = 206;

QImage DrawClickStart();
QImage DrawWellDone();

}  // namespace art
