#include "game/BoardModel.h"

namespace {

// Up to two pairs of opposite directions are left out of a whole deal, which gives each puzzle
// a character of its own (for example no diagonals of one kind).
uint8_t DealMask(TRandom& random) {
  uint8_t mask = 0xFF;
  for (int pair = 0; pair < 2; ++pair) {
    if (random.Random(100) < 50) {
      const uint32_t k = random.Random(100) % 4;
      mask &= static_cast<uint8_t>(~(0x11u << k));
    }
  }
  return mask;
}

}  // namespace

void TBoardModel::MatchRoads(int32_t colA, int32_t rowA, uint8_t roadA, int32_t colB, int32_t rowB,
                             uint8_t roadB) {
  uint8_t& a = S.Board(colA, rowA);
  uint8_t& b = S.Board(colB, rowB);
  const bool hasA = (a & roadA) != 0;
  const bool hasB = (b & roadB) != 0;
  if (hasA == hasB) return;
  if (Rand.Random(100) >= 25) {
    a |= roadA;
    b |= roadB;
  } else {
    a &= static_cast<uint8_t>(~roadA);
    b &= static_cast<uint8_t>(~roadB);
  }
}

void TBoardModel::Deal() {
  bool allEqual = true;
  while (allEqual) {
    const uint8_t mask = DealMask(Rand);
    for (int32_t c = 1; c <= S.Cols; ++c) {
      for (int32_t r = 1; r <= S.Rows; ++r)
        S.Board(c, r) = static_cast<uint8_t>(Rand.Random(256)) & mask;
    }

    // Vertical and diagonal links, column by column; nothing leaves the top or bottom row.
    for (int32_t c = 1; c <= S.Cols; ++c) {
      S.Board(c, 1) &= 0x7C;
      S.Board(c, S.Rows) &= 0xC7;
      for (int32_t r = 1; r <= S.Rows - 1; ++r) {
        if (c > 1) MatchRoads(c, r, Road::SouthWest, c - 1, r + 1, Road::NorthEast);
        if (c < S.Cols) MatchRoads(c, r, Road::SouthEast, c + 1, r + 1, Road::NorthWest);
        MatchRoads(c, r, Road::South, c, r + 1, Road::North);
      }
    }

    // Horizontal links, row by row; nothing leaves the left or right column.
    for (int32_t r = 1; r <= S.Rows; ++r) {
      S.Board(1, r) &= 0x1F;
      S.Board(S.Cols, r) &= 0xF1;
      for (int32_t c = 1; c <= S.Cols - 1; ++c) MatchRoads(c, r, Road::East, c + 1, r, Road::West);
    }

    for (int32_t c = 1; c <= S.Cols && allEqual; ++c) {
      for (int32_t r = 1; r <= S.Rows && allEqual; ++r) allEqual = S.Board(c, r) == S.Board(1, 1);
    }
  }
  S.BackBoard = S.Board;
  S.NeedsDeal = false;
}
