// The window background tile and the ground of one board cell.
#pragma once

#include <QColor>
#include <QImage>

namespace art {

constexpr int kTileSize = 64;

// Seamless when repeated; opaque.
QImage DrawTile();

// The mean colour of the tile: what lies beneath the edges of pictures drawn over the
// background.
QColor BackgroundMatte();

// 32 x 32, seamless when repeated at a pitch of 32.
QImage DrawEmptyCell();

// The ground's mean colour, beneath the edges of the roads.
QColor GroundMatte();

}  // namespace art
