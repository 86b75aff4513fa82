// The frames of a sliding move: the moved line's picture wrapped within its strip, short of
// its resting place by d = 24, 16, 8 at steps 1, 2, 3, and the rest of the board unchanged.
#include <gtest/gtest.h>

#include <vector>

#include "tests/render/RenderRig.h"

namespace {

using namespace rendertest;

// Distinct along every row and every column, so a shifted line cannot pass for another.
uint8_t Gradient(int x, int y) {
  return uint8_t(7 * x + 13 * y);
}

struct Move {
  TAxis Axis;
  bool Forward;  // down or right
};

struct MoveFrames : ::testing::TestWithParam<Move> {
  TRenderRig Rig;
  TBoardState& M = Rig.State;
  std::vector<uint8_t> Frame;  // 208 × 208, top row first
  int Shown = 0;

  uint8_t FrameAt(int x, int y) const { return Frame[size_t(y) * 208 + size_t(x)]; }
  void DrawFrame(int step) {
    M.MoveStep = step;
    Frame.clear();
    Rig.Renderer.ComposeMoveFrame(Rig.State, [&](TVX8ImageData& frame) {
      ++Shown;
      ASSERT_EQ(frame.Width(), 208);
      ASSERT_EQ(frame.Height(), 208);
      for (int y = 0; y < 208; ++y)
        for (int x = 0; x < 208; ++x) Frame.push_back(PixelAt(frame, x, y));
    });
  }
};

// Where the strip's pixel j (0 at the top or left) of a frame comes from in the resting line,
// for a strip of n pixels: up and left moves show the line d pixels on, down and right ones
// d - 1 pixels back, wrapped around; the strip's last pixel stays at rest.
int SourceOf(int j, int n, int d, bool forward) {
  if (j == n - 1) return j;
  if (forward) return j <= n - d ? j + d - 1 : j - (n - d);
  return j > d ? j - d : j + n - d - 1;
}

TEST_P(MoveFrames, EachStepShowsTheLineShortOfItsPlaceWrappedWithinItsStrip) {
  const Move move = GetParam();
  Rig.SetBoard(4, 3, 0);
  M.Playing = true;
  M.MoveAxis = move.Axis;
  const int lines = move.Axis == TAxis::Column ? M.Cols : M.Rows;
  const int line = 2;
  M.MoveIndex = move.Forward ? line + lines : line;
  TVX8ImageData& board = *Rig.Pictures.BoardData;
  FillWith(board, Gradient);
  const size_t loaded = [&] {
    size_t n = 0;
    for (auto* node = Rig.Library.LoadedImages().First; node; node = node->Next) ++n;
    return n;
  }();

  for (int step = 1; step <= 3; ++step) {
    const int d = 8 * (4 - step);
    DrawFrame(step);
    ASSERT_EQ(Frame.size(), 208u * 208u);
    // The strip: the line without its grid line, along the whole grid.
    const int across0 =
        move.Axis == TAxis::Column ? M.BoardLeft + 32 * (line - 1) : M.BoardTop + 32 * (line - 1);
    const int along0 = move.Axis == TAxis::Column ? M.BoardTop : M.BoardLeft;
    const int n = 32 * (move.Axis == TAxis::Column ? M.Rows : M.Cols);
    for (int y = 0; y < 208; ++y) {
      for (int x = 0; x < 208; ++x) {
        const int across = move.Axis == TAxis::Column ? x : y;
        const int along = move.Axis == TAxis::Column ? y : x;
        int from = along;
        if (across >= across0 && across < across0 + 31 && along >= along0 && along < along0 + n)
          from = along0 + SourceOf(along - along0, n, d, move.Forward);
        const int sx = move.Axis == TAxis::Column ? x : from;
        const int sy = move.Axis == TAxis::Column ? from : y;
        ASSERT_EQ(FrameAt(x, y), Gradient(sx, sy)) << "step " << step << " at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(Shown, 3);
  // The board itself is the source only, and the scratch picture is given back each time.
  for (int y = 0; y < 208; y += 5)
    for (int x = 0; x < 208; x += 5) ASSERT_EQ(PixelAt(board, x, y), Gradient(x, y));
  size_t after = 0;
  for (auto* node = Rig.Library.LoadedImages().First; node; node = node->Next) ++after;
  EXPECT_EQ(after, loaded);
}

INSTANTIATE_TEST_SUITE_P(AllFourWays, MoveFrames,
                         ::testing::Values(Move{TAxis::Column, false}, Move{TAxis::Column, true},
                                           Move{TAxis::Row, false}, Move{TAxis::Row, true}));

// The example of a row moved right at step 1: at the left end the row from BoardLeft + 23 on,
// and its first columns from BoardLeft + 32 × Cols − 24 on (the first of them covered by the
// other part); moved left, the row 24 pixels to the right and its last 25 columns at the left.
TEST(MoveFrameExample, RowMovesAtStepOne) {
  TRenderRig rig;
  TBoardState& m = rig.State;
  rig.SetBoard(3, 3, 0);
  FillWith(*rig.Pictures.BoardData, Gradient);
  m.MoveAxis = TAxis::Row;
  m.MoveStep = 1;
  const int y = m.BoardTop + 5;
  const int l = m.BoardLeft;
  const int r = m.BoardLeft + 96;
  std::vector<uint8_t> row;
  auto capture = [&](TVX8ImageData& frame) {
    row.clear();
    for (int x = 0; x < 208; ++x) row.push_back(PixelAt(frame, x, y));
  };

  m.MoveIndex = 4;  // row 1 right
  rig.Renderer.ComposeMoveFrame(rig.State, capture);
  EXPECT_EQ(row[size_t(l)], Gradient(l + 23, y));
  EXPECT_EQ(row[size_t(r - 24)], Gradient(r - 1, y));
  for (int i = 1; i < 23; ++i) EXPECT_EQ(row[size_t(r - 24 + i)], Gradient(l + i, y)) << i;

  m.MoveIndex = 1;  // row 1 left
  rig.Renderer.ComposeMoveFrame(rig.State, capture);
  EXPECT_EQ(row[size_t(l + 25)], Gradient(l + 1, y));
  for (int i = 0; i < 24; ++i) EXPECT_EQ(row[size_t(l + i)], Gradient(r - 25 + i, y)) << i;
  EXPECT_EQ(row[size_t(l + 24)], Gradient(r - 1, y));
}

}  // namespace
