// The arrows around the player's board: yellow road-sign keys that point the way a line
// moves and show the key that moves it.
#pragma once

#include <QImage>

namespace art {

// Which side of the board a strip of arrows lies on; the arrows point away from the board.
enum class ArrowSide { Above, Below, Left, Right };

constexpr int kArrowSize = 20;

// Frames in a strip: 5 for the first set (above, left), 7 for the second (below, right).
int ArrowFrameCount(ArrowSide side);

// The key shown on frame `frame` of a strip: frame f of the first set is move index f + 1, of
// the second set index f + 4; columns use "ABCDEFGHIJK", rows "1234567890".
char ArrowKey(ArrowSide side, int frame);

// A strip of 20 x 20 frames, one below the other; `pressed` gives the held-down look.
QImage DrawArrowStrip(ArrowSide side, bool pressed);

}  // namespace art
