// Whole boards: the back board's three looks, the player's board during and between games,
// and the arrows around it.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/render/RenderRig.h"

namespace {

using namespace rendertest;

constexpr TPoint BoardOrigin{37, 104};
constexpr TPoint BackBoardOrigin{273, 104};

bool IsLoaded(const TVX8Library& library, const char* name) {
  return library.LoadedImages().FindImage(name) != nullptr;
}

struct Boards : ::testing::Test {
  TRenderRig Rig;
  TBoardState& M = Rig.State;
  TVX8ImageData& Board = *Rig.Pictures.BoardData;
  TVX8ImageData& Back = *Rig.Pictures.BackBoardData;

  void SetUp() override { Rig.SetBoard(3, 3, Road::North | Road::South); }
  bool IsBackground(TVX8ImageData& s, TPoint origin, int x, int y) {
    return PixelAt(s, x, y) == BackgroundValue(origin.X + x, origin.Y + y);
  }
  // The frame lines around the grid: 242 along the top and left, starting one pixel out.
  void ExpectTopLeftLines(TVX8ImageData& s) {
    for (int i = 0; i < 32 * M.Cols; ++i)
      EXPECT_EQ(PixelAt(s, M.BoardLeft - 1 + i, M.BoardTop - 1), GridColor);
    for (int i = 0; i < 32 * M.Rows; ++i)
      EXPECT_EQ(PixelAt(s, M.BoardLeft - 1, M.BoardTop - 1 + i), GridColor);
  }
  void ExpectBottomRightLines(TVX8ImageData& s, bool present) {
    const int right = M.BoardLeft + 32 * M.Cols;
    const int bottom = M.BoardTop + 32 * M.Rows;
    for (int i = 0; i < 32 * M.Cols; ++i)
      EXPECT_EQ(PixelAt(s, M.BoardLeft + i, bottom) == ShadowColor, present) << i;
    for (int i = 0; i < 32 * M.Rows; ++i)
      EXPECT_EQ(PixelAt(s, right, M.BoardTop + i) == ShadowColor, present) << i;
  }
};

TEST_F(Boards, BetweenGamesTheBackBoardShowsOnlyTheBackgroundAndItsPicture) {
  for (bool solved : {false, true}) {
    M.Solved = solved;
    Rig.BackgroundOrigins.clear();
    Rig.Renderer.DrawBoard(Rig.State, false, BackBoardOrigin);
    ASSERT_EQ(Rig.BackgroundOrigins, std::vector<TPoint>{BackBoardOrigin});
    const uint8_t picture = solved ? WellDoneValue : ClickStartValue;
    for (int y = 0; y < 208; ++y) {
      for (int x = 0; x < 208; ++x) {
        const bool inPicture = x >= 1 && x < 31 && y >= 1 && y < 21;
        if (inPicture) {
          ASSERT_EQ(PixelAt(Back, x, y), picture) << x << "," << y;
        } else {
          ASSERT_TRUE(IsBackground(Back, BackBoardOrigin, x, y)) << x << "," << y;
        }
      }
    }
    // The picture was given back.
    EXPECT_FALSE(IsLoaded(Rig.Library, "clicksr"));
    EXPECT_FALSE(IsLoaded(Rig.Library, "welldone"));
  }
}

TEST_F(Boards, DuringAGameTheBackBoardIsFramedWithConnectorsAndNoGridOrArrows) {
  M.Playing = true;
  M.BackBoard(1, 1) = Road::SouthEast;
  M.BackBoard(2, 2) = Road::NorthWest;
  Rig.Renderer.DrawBoard(Rig.State, false, BackBoardOrigin);
  ExpectTopLeftLines(Back);
  ExpectBottomRightLines(Back, true);
  EXPECT_EQ(PixelAt(Back, M.BoardLeft + 31, M.BoardTop + 31), ConnectorValue(0, 1));
  EXPECT_EQ(PixelAt(Back, M.BoardLeft + 31, M.BoardTop + 70), EmptyValue);
  // Only the back board's own cells: its roads, not the player's.
  EXPECT_EQ(PixelAt(Back, M.BoardLeft + 32 + RoadMark(0, 4).X, M.BoardTop + 64 + RoadMark(0, 4).Y),
            RoadValue(0, 4));
  EXPECT_EQ(PixelAt(Back, M.BoardLeft + RoadMark(0, 0).X, M.BoardTop + RoadMark(0, 0).Y),
            EmptyValue);
  const TRect arrow = Rig.State.Layout().ArrowRect({TAxis::Column, 1});
  EXPECT_TRUE(IsBackground(Back, BackBoardOrigin, arrow.Left, arrow.Top));
}

TEST_F(Boards, DuringAGameThePlayersBoardHasGridAndArrowsButNoShadowLines) {
  M.Playing = true;
  Rig.Renderer.DrawBoard(Rig.State, true, BoardOrigin);
  EXPECT_EQ(Rig.BackgroundOrigins, std::vector<TPoint>{BoardOrigin});
  ExpectTopLeftLines(Board);
  ExpectBottomRightLines(Board, false);
  EXPECT_EQ(PixelAt(Board, M.BoardLeft + 31, M.BoardTop + 5), GridColor);
  EXPECT_EQ(PixelAt(Board, M.BoardLeft + RoadMark(0, 0).X, M.BoardTop + RoadMark(0, 0).Y),
            RoadValue(0, 0));
  for (int i = 1; i <= 6; ++i) {
    const TRect column = Rig.State.Layout().ArrowRect({TAxis::Column, i});
    const TRect row = Rig.State.Layout().ArrowRect({TAxis::Row, i});
    EXPECT_EQ(PixelAt(Board, column.Left, column.Top),
              ArrowValue(i <= 3 ? ArrowAbove : ArrowBelow, i <= 3 ? i - 1 : i - 4));
    EXPECT_EQ(PixelAt(Board, row.Left, row.Top),
              ArrowValue(i <= 3 ? ArrowLeft : ArrowRight, i <= 3 ? i - 1 : i - 4));
  }
}

TEST_F(Boards, BetweenGamesThePlayersBoardIsInReliefWithBothFrameLinesAndNoArrows) {
  Rig.Renderer.DrawBoard(Rig.State, true, BoardOrigin);
  ExpectTopLeftLines(Board);
  ExpectBottomRightLines(Board, true);
  const TPoint mark = RoadMark(2, 0);
  EXPECT_EQ(PixelAt(Board, M.BoardLeft + mark.X, M.BoardTop + mark.Y + 1), RoadValue(2, 0));
  EXPECT_EQ(PixelAt(Board, M.BoardLeft + 31, M.BoardTop + 5), EmptyValue);
  const TRect arrow = Rig.State.Layout().ArrowRect({TAxis::Row, 4});
  EXPECT_TRUE(IsBackground(Board, BoardOrigin, arrow.Left + 3, arrow.Top + 3));
}

TEST(Arrows, EachSitsOnItsLineFourPixelsOutsideTheGridAtEverySize) {
  TRenderRig rig;
  TBoardState& m = rig.State;
  for (uint8_t cols = 3; cols <= 5; ++cols) {
    for (uint8_t rows = 3; rows <= 5; ++rows) {
      rig.SetBoard(cols, rows, 0);
      for (int i = 1; i <= 2 * cols; ++i) {
        const TRect a = rig.State.Layout().ArrowRect({TAxis::Column, i});
        const int c = (i - 1) % cols + 1;
        EXPECT_EQ(a.Width(), 20);
        EXPECT_EQ(a.Height(), 20);
        EXPECT_EQ(a.Left + 10, m.BoardLeft + 32 * (c - 1) + 16);
        if (i <= cols) {
          EXPECT_EQ(a.Bottom + 4, m.BoardTop - 1);
        } else {
          EXPECT_EQ(a.Top - 4, m.BoardTop + 32 * rows);
        }
      }
      for (int i = 1; i <= 2 * rows; ++i) {
        const TRect a = rig.State.Layout().ArrowRect({TAxis::Row, i});
        const int r = (i - 1) % rows + 1;
        EXPECT_EQ(a.Top + 10, m.BoardTop + 32 * (r - 1) + 16);
        if (i <= rows) {
          EXPECT_EQ(a.Right + 4, m.BoardLeft - 1);
        } else {
          EXPECT_EQ(a.Left - 4, m.BoardLeft + 32 * cols);
        }
      }
    }
  }
  rig.SetBoard(3, 5, 0);
  for (int i = 1; i <= 3; ++i)
    EXPECT_EQ(rig.State.Layout().ArrowRect({TAxis::Column, i}).Left, 31 + 32 * i);
  EXPECT_EQ(rig.State.Layout().ArrowRect({TAxis::Column, 1}).Top, 0);
  EXPECT_EQ(rig.State.Layout().ArrowRect({TAxis::Column, 4}).Top, 189);
}

TEST(Arrows, ThePressedOneComesFromThePressedStripAndTheSecondSetFromFrameIndexMinusFour) {
  TRenderRig rig;
  TBoardState& m = rig.State;
  TVX8ImageData& board = *rig.Pictures.BoardData;
  rig.SetBoard(5, 5, 0);
  m.MoveAxis = TAxis::Row;
  m.MoveIndex = 7;
  rig.Renderer.DrawArrows(rig.State);
  for (int i = 1; i <= 10; ++i) {
    const bool first = i <= 5;
    const int frame = first ? i - 1 : i - 4;
    const TRect column = rig.State.Layout().ArrowRect({TAxis::Column, i});
    const TRect row = rig.State.Layout().ArrowRect({TAxis::Row, i});
    const int columnPicture = first ? ArrowAbove : ArrowBelow;
    const int rowPicture = (first ? ArrowLeft : ArrowRight) + (i == 7 ? 1 : 0);
    // At size 5 the lower and right arrows lose their last line to the picture's edge.
    EXPECT_EQ(PixelAt(board, column.Right - 1, std::min(column.Bottom, 208) - 1),
              ArrowValue(columnPicture, frame))
        << i;
    EXPECT_EQ(PixelAt(board, std::min(row.Right, 208) - 1, row.Bottom - 1),
              ArrowValue(rowPicture, frame))
        << i;
  }
  // Once the move is over the same arrow is drawn normal again.
  m.MoveIndex = 0;
  rig.Renderer.DrawArrow(rig.State, {TAxis::Row, 7});
  const TRect row = rig.State.Layout().ArrowRect({TAxis::Row, 7});
  EXPECT_EQ(PixelAt(board, row.Left, row.Top), ArrowValue(ArrowRight, 3));
}

}  // namespace

namespace {

TEST(Arrows, EveryPixelOfAnArrowHitsItAndNoOtherPixelHitsAny) {
  rendertest::TRenderRig rig;
  for (uint8_t cols : {3, 5}) {
    for (uint8_t rows : {3, 4}) {
      rig.SetBoard(cols, rows, 0);
      std::vector<std::pair<TRect, TMoveCommand>> arrows;
      for (int i = 1; i <= 2 * cols; ++i)
        arrows.push_back({rig.State.Layout().ArrowRect({TAxis::Column, i}), {TAxis::Column, i}});
      for (int i = 1; i <= 2 * rows; ++i)
        arrows.push_back({rig.State.Layout().ArrowRect({TAxis::Row, i}), {TAxis::Row, i}});
      for (int y = -2; y < 210; ++y) {
        for (int x = -2; x < 210; ++x) {
          std::optional<TMoveCommand> expected;
          for (const auto& [rect, move] : arrows)
            if (rect.Contains({x, y})) expected = move;
          ASSERT_EQ(rig.State.Layout().HitArrow(x, y), expected) << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
