// The cells of a board in the three styles: which road tiles land where, in which order, with
// which offsets, and the connectors and grid lines that each style adds.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/render/RenderRig.h"

namespace {

using namespace rendertest;

// The top-left of cell (c, r) on a board picture.
TPoint CellAt(const TBoardState& m, int c, int r) {
  return {m.BoardLeft + 32 * (c - 1), m.BoardTop + 32 * (r - 1)};
}

uint8_t Background(int x, int y) {
  return BackgroundValue(x, y);
}

struct Cells : ::testing::Test {
  TRenderRig Rig;
  TVX8ImageData& Board = *Rig.Pictures.BoardData;

  void SetUp() override {
    Rig.SetBoard(3, 3, 0);
    FillWith(Board, Background);
  }
  // The value at a point of the road mark of (pass, row) in cell (c, r), drawn with the pass
  // offset `shift`.
  uint8_t Mark(int c, int r, int pass, int row, TPoint shift = {}) {
    const TPoint cell = CellAt(Rig.State, c, r);
    const TPoint mark = RoadMark(pass, row);
    return PixelAt(Board, cell.X + mark.X + shift.X, cell.Y + mark.Y + shift.Y);
  }
  uint8_t InCell(int c, int r, int x, int y) {
    const TPoint cell = CellAt(Rig.State, c, r);
    return PixelAt(Board, cell.X + x, cell.Y + y);
  }
  void Draw(TCellStyle style) {
    Rig.Renderer.DrawCells(Rig.State.Layout(), Rig.State.Board, &Board, 1, 1, Rig.State.Cols,
                           Rig.State.Rows, style);
  }
};

TEST_F(Cells, PlayingStyleDrawsEachRoadOnceWithCapsUnderLoneRoads) {
  TBoardState& m = Rig.State;
  m.Board(1, 1) = Road::East;                // a lone road: cap, then the road
  m.Board(2, 1) = Road::West | Road::South;  // two roads, no cap
  m.Board(3, 3) = 0;                         // nothing but "empty"
  m.Board(2, 2) = Road::North | Road::NorthWest | Road::SouthEast;
  Draw(TCellStyle::Playing);

  EXPECT_EQ(Mark(1, 1, 0, 8), RoadValue(0, 8));
  EXPECT_EQ(Mark(1, 1, 0, 2), RoadValue(0, 2));
  EXPECT_EQ(Mark(1, 1, 0, 3), EmptyValue);
  // The road is drawn over its cap.
  EXPECT_EQ(InCell(1, 1, RoadTop.X, RoadTop.Y), RoadValue(0, 2));

  EXPECT_EQ(Mark(2, 1, 0, 8), EmptyValue);
  EXPECT_EQ(Mark(2, 1, 0, 4), RoadValue(0, 4));
  EXPECT_EQ(Mark(2, 1, 0, 6), RoadValue(0, 6));
  // Bits are drawn from 0 up: the highest one ends on top.
  EXPECT_EQ(InCell(2, 1, RoadTop.X, RoadTop.Y), RoadValue(0, 6));
  EXPECT_EQ(InCell(2, 2, RoadTop.X, RoadTop.Y), RoadValue(0, 7));

  for (int row = 0; row <= 8; ++row) EXPECT_EQ(Mark(3, 3, 0, row), EmptyValue) << row;
  // Only pass 0 is drawn.
  for (int pass = 1; pass <= 2; ++pass) EXPECT_EQ(Mark(2, 1, pass, 4), EmptyValue);
}

TEST_F(Cells, PlayingStyleHasGridLinesOnTheCellsRightAndBottomEdgeAndNoConnectors) {
  TBoardState& m = Rig.State;
  m.Board(1, 1) = Road::SouthEast;
  m.Board(2, 2) = Road::NorthWest;
  Draw(TCellStyle::Playing);
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 3; ++r) {
      for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(InCell(c, r, 31, i), GridColor);
        EXPECT_EQ(InCell(c, r, i, 31), GridColor);
      }
      EXPECT_EQ(InCell(c, r, 30, 0), EmptyValue);
      EXPECT_EQ(InCell(c, r, 0, 30), EmptyValue);
    }
  }
  // The lines run from 104 - 16n to 104 + 16n: nothing left of or above the first cell.
  const TPoint first = CellAt(m, 1, 1);
  EXPECT_EQ(PixelAt(Board, first.X - 1, first.Y + 5), BackgroundValue(first.X - 1, first.Y + 5));
  EXPECT_EQ(PixelAt(Board, 104 + 48, 104 + 48), GridColor);
  EXPECT_EQ(PixelAt(Board, 105 + 48, 104), BackgroundValue(105 + 48, 104));
  // The corner between cells (1, 1) and (2, 2) keeps the grid, no connector.
  EXPECT_EQ(InCell(1, 1, 31, 31), GridColor);
  EXPECT_EQ(InCell(1, 1, 29, 29), EmptyValue);
}

TEST_F(Cells, ARangeRedrawsOnlyItsCells) {
  TBoardState& m = Rig.State;
  m.Board(2, 1) = m.Board(2, 2) = m.Board(2, 3) = Road::North;
  Rig.Renderer.DrawCells(Rig.State.Layout(), m.Board, &Board, 2, 1, 2, 3, TCellStyle::Playing);
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(Mark(2, r, 0, 0), RoadValue(0, 0));
    const TPoint left = CellAt(m, 1, r);
    EXPECT_EQ(InCell(1, r, 5, 5), BackgroundValue(left.X + 5, left.Y + 5));
    EXPECT_EQ(InCell(1, r, 31, 5), BackgroundValue(left.X + 31, left.Y + 5));
  }
  // The row's line is only as long as the range.
  EXPECT_EQ(InCell(2, 1, 0, 31), GridColor);
  const TPoint third = CellAt(m, 3, 1);
  EXPECT_EQ(InCell(3, 1, 0, 31), BackgroundValue(third.X, third.Y + 31));
}

// Cells (1, 1) -> (2, 2) south-east and (2, 1) -> (1, 2) south-west cross at one corner.
void CrossingDiagonals(TBoardState& m) {
  m.Board(1, 1) = Road::SouthEast;
  m.Board(2, 2) = Road::NorthWest;
  m.Board(2, 1) = Road::SouthWest;
  m.Board(1, 2) = Road::NorthEast;
}

TEST_F(Cells, FramedStyleCentresConnectorsOnTheCornersDiagonalsCross) {
  CrossingDiagonals(Rig.State);
  Draw(TCellStyle::Framed);
  const TPoint corner{CellAt(Rig.State, 2, 2).X - 1, CellAt(Rig.State, 2, 2).Y - 1};
  // All four cells put their piece on the same corner, 7 × 7 around the shared pixel; the last
  // one drawn, cell (2, 2) looking up at (2, 1)'s south-west road, is the rising piece.
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx)
      EXPECT_EQ(PixelAt(Board, corner.X + dx, corner.Y + dy), ConnectorValue(0, 0)) << dx << dy;
  EXPECT_NE(PixelAt(Board, corner.X - 4, corner.Y), ConnectorValue(0, 0));
  EXPECT_NE(PixelAt(Board, corner.X, corner.Y + 4), ConnectorValue(0, 0));
  // No grid in this style.
  EXPECT_EQ(InCell(3, 3, 31, 10), EmptyValue);
}

TEST_F(Cells, EachDiagonalAloneGetsItsPieceOnItsOwnCorner) {
  // One road at a time: the cell it leaves, the corner it crosses and the piece that joins it.
  // The cell below such a corner draws the piece, looking up; the top row looks down instead.
  struct Case {
    int C, R;
    uint8_t RoadOut;
    int CornerDx, CornerDy;  // the corner pixel relative to the cell's top-left
    int Kind;
  };
  const Case cases[] = {{1, 1, Road::SouthEast, 31, 31, 1},
                        {3, 1, Road::SouthWest, -1, 31, 0},
                        {2, 2, Road::SouthEast, 31, 31, 1},
                        {2, 2, Road::NorthWest, -1, -1, 1},
                        {3, 2, Road::NorthEast, 31, -1, 0}};
  for (const Case& k : cases) {
    Rig.SetBoard(3, 3, 0);
    FillWith(Board, Background);
    Rig.State.Board(k.C, k.R) = k.RoadOut;
    Draw(TCellStyle::Framed);
    const TPoint cell = CellAt(Rig.State, k.C, k.R);
    const int cx = cell.X + k.CornerDx;
    const int cy = cell.Y + k.CornerDy;
    for (int dy = -4; dy <= 4; ++dy) {
      for (int dx = -4; dx <= 4; ++dx) {
        const bool inside = std::abs(dx) <= 3 && std::abs(dy) <= 3;
        EXPECT_EQ(PixelAt(Board, cx + dx, cy + dy) == ConnectorValue(0, k.Kind), inside)
            << int(k.RoadOut) << " at " << dx << "," << dy;
      }
    }
  }
}

TEST_F(Cells, TheTopRowLooksDownForItsConnectors) {
  TBoardState& m = Rig.State;
  m.Board(3, 2) = Road::NorthWest;  // the falling piece at cell (3, 1)'s bottom-left corner
  Draw(TCellStyle::Framed);
  const TPoint cell = CellAt(m, 3, 1);
  EXPECT_EQ(PixelAt(Board, cell.X - 1, cell.Y + 31), ConnectorValue(0, 1));
  EXPECT_EQ(PixelAt(Board, cell.X - 4, cell.Y + 28), ConnectorValue(0, 1));
  EXPECT_EQ(PixelAt(Board, cell.X + 2, cell.Y + 34), ConnectorValue(0, 1));

  m.Board(3, 2) = Road::NorthEast;  // beyond the grid's right edge; drawn all the same
  m.Board(1, 2) = Road::NorthEast;
  Draw(TCellStyle::Framed);
  const TPoint first = CellAt(m, 1, 1);
  EXPECT_EQ(PixelAt(Board, first.X + 31, first.Y + 31), ConnectorValue(0, 0));
  EXPECT_EQ(PixelAt(Board, cell.X + 31, cell.Y + 31), ConnectorValue(0, 0));
}

TEST_F(Cells, IdleStyleDrawsThreePassesLowerRightThenInPlace) {
  CrossingDiagonals(Rig.State);
  Rig.State.Board(3, 3) = Road::North | Road::South;
  Draw(TCellStyle::Idle);
  // Pass 2 one pixel lower, pass 1 one pixel to the right, pass 0 in place.
  for (int row : {0, 4}) {
    EXPECT_EQ(Mark(3, 3, 2, row, {0, 1}), RoadValue(2, row));
    EXPECT_EQ(Mark(3, 3, 2, row, {0, 2}), RoadValue(2, row));
    EXPECT_EQ(Mark(3, 3, 2, row, {0, 0}), EmptyValue);
    EXPECT_EQ(Mark(3, 3, 1, row, {1, 0}), RoadValue(1, row));
    EXPECT_EQ(Mark(3, 3, 1, row, {2, 0}), RoadValue(1, row));
    EXPECT_EQ(Mark(3, 3, 1, row, {0, 0}), EmptyValue);
    EXPECT_EQ(Mark(3, 3, 0, row, {0, 0}), RoadValue(0, row));
  }
  // Each pass's last road ends where that pass puts it, pass 0 on top.
  EXPECT_EQ(InCell(3, 3, RoadTop.X, RoadTop.Y), RoadValue(0, 4));
  EXPECT_EQ(InCell(3, 3, RoadTop.X + 1, RoadTop.Y), RoadValue(1, 4));
  EXPECT_EQ(InCell(3, 3, RoadTop.X, RoadTop.Y + 1), RoadValue(2, 4));

  // The connectors too, in every pass: pass 0's piece in place, the others' edges beside it.
  const TPoint corner{CellAt(Rig.State, 2, 2).X - 1, CellAt(Rig.State, 2, 2).Y - 1};
  EXPECT_EQ(PixelAt(Board, corner.X, corner.Y), ConnectorValue(0, 0));
  EXPECT_EQ(PixelAt(Board, corner.X + 4, corner.Y), ConnectorValue(1, 0));
  EXPECT_EQ(PixelAt(Board, corner.X, corner.Y + 4), ConnectorValue(2, 0));
  // No grid lines.
  EXPECT_EQ(InCell(1, 3, 31, 10), EmptyValue);
}

TEST(CellsMissing, NothingIsDrawnWithoutARoadOrConnectorPictureOrSurface) {
  TRenderRig rig;
  rig.SetBoard(3, 3, Road::North);
  TVX8ImageData& board = *rig.Pictures.BoardData;
  FillWith(board, Background);
  rig.Renderer.DrawCells(rig.State.Layout(), rig.State.Board, nullptr, 1, 1, 3, 3,
                         TCellStyle::Playing);
  rig.Pictures.ConnDiagData = nullptr;
  rig.Renderer.DrawCells(rig.State.Layout(), rig.State.Board, &board, 1, 1, 3, 3,
                         TCellStyle::Playing);
  rig.Pictures.ConnDiagData = rig.Library.GetImageData(rig.Pictures.ConnDiagNode);
  rig.Pictures.RoadsData = nullptr;
  rig.Renderer.DrawCells(rig.State.Layout(), rig.State.Board, &board, 1, 1, 3, 3, TCellStyle::Idle);
  for (int y = 0; y < 208; y += 7)
    for (int x = 0; x < 208; x += 7) ASSERT_EQ(PixelAt(board, x, y), BackgroundValue(x, y));
  EXPECT_TRUE(board.DamageList().First == nullptr);
}

}  // namespace
