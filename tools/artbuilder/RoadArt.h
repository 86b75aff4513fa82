// The road pieces: one 32 x 32 tile per direction and pass, the dead-end cap, and the small
// pieces that join diagonal roads across a cell corner.
#pragma once

#include <QImage>

namespace art {

// 96 x 288: tile (pass, k) at (32 pass, 32 k); k = 0..7 the road towards direction bit k,
// k = 8 the cap under a single road; pass 0 the road, passes 1 and 2 its shades.
QImage DrawRoads();

// 21 x 14: 7 x 7 pieces centred on a cell corner; row 0 joins a north-east/south-west road,
// row 1 a north-west/south-east one; columns are the passes.
QImage DrawDiagonalConnectors();

}  // namespace art
