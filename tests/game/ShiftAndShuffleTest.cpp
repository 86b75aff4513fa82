#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "RecordingWindow.h"
#include "game/BoardModel.h"
#include "game/Random.h"
#include "tests/support/GameProbe.h"

namespace {

class Board : public ::testing::Test {
 protected:
  Board() {
    // Every cell of the 5 × 5 array distinct, so each move is visible.
    for (int c = 1; c <= 5; ++c) {
      for (int r = 1; r <= 5; ++r)
        TGameProbe::State(model).Board(c, r) = static_cast<uint8_t>(16 * c + r);
    }
  }

  std::vector<uint8_t> CellsInPlay() const {
    std::vector<uint8_t> cells;
    for (int c = 1; c <= model.State().Cols; ++c) {
      for (int r = 1; r <= model.State().Rows; ++r) cells.push_back(model.State().Board(c, r));
    }
    std::sort(cells.begin(), cells.end());
    return cells;
  }

  TRecordingWindow window;
  TRandom random;
  TBoardModel model{window, window, random};
};

TEST_F(Board, ColumnShiftsRotateOnlyThatColumnWithinTheRowsInPlay) {
  model.SetRows(4);
  const TCells before = model.State().Board;
  model.ShiftColumnUp(2);
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(model.State().Board(2, r), before(2, r + 1));
  EXPECT_EQ(model.State().Board(2, 4), before(2, 1));
  EXPECT_EQ(model.State().Board(2, 5), before(2, 5));  // out of play
  model.ShiftColumnDown(2);
  EXPECT_TRUE(model.State().Board == before);

  model.ShiftColumnDown(3);
  EXPECT_EQ(model.State().Board(3, 1), before(3, 4));
  EXPECT_EQ(model.State().Board(3, 2), before(3, 1));
  for (int i = 1; i < 4; ++i) model.ShiftColumnDown(3);
  EXPECT_TRUE(model.State().Board == before);
}

TEST_F(Board, RowShiftsRotateOnlyThatRowWithinTheColumnsInPlay) {
  model.SetCols(4);
  const TCells before = model.State().Board;
  model.ShiftRowLeft(3);
  for (int c = 1; c <= 3; ++c) EXPECT_EQ(model.State().Board(c, 3), before(c + 1, 3));
  EXPECT_EQ(model.State().Board(4, 3), before(1, 3));
  EXPECT_EQ(model.State().Board(5, 3), before(5, 3));
  model.ShiftRowRight(3);
  EXPECT_TRUE(model.State().Board == before);

  for (int i = 0; i < 4; ++i) model.ShiftRowRight(1);
  EXPECT_TRUE(model.State().Board == before);
  for (int i = 0; i < 4; ++i) model.ShiftRowLeft(4);
  EXPECT_TRUE(model.State().Board == before);
}

TEST_F(Board, ShiftsRedrawTheirLineOnlyOutsideTheShuffle) {
  model.SetCols(4);
  model.SetRows(5);
  window.Take();
  model.ShiftColumnUp(3);
  model.ShiftRowRight(2);
  EXPECT_EQ(window.Take(), (std::vector<std::string>{"DrawCells 3,1 3,5", "DrawCells 1,2 4,2"}));
  TGameProbe::State(model).ShuffleCount = 4;
  model.ShiftColumnDown(1);
  model.ShiftRowLeft(1);
  EXPECT_TRUE(window.Take().empty());
}

TEST_F(Board, IsSolvedComparesTheCellsInPlayOnly) {
  TGameProbe::State(model).BackBoard = model.State().Board;
  EXPECT_TRUE(model.State().IsSolved());
  TGameProbe::State(model).BackBoard(4, 4) = 0;  // out of play at 3 × 3
  EXPECT_TRUE(model.State().IsSolved());
  TGameProbe::State(model).BackBoard(3, 3) = 0;
  EXPECT_FALSE(model.State().IsSolved());
}

TEST_F(Board, ShuffleBatchesPermuteTheCellsAndStopAfterTenUnsolved) {
  model.SetCols(5);
  model.SetRows(3);
  TGameProbe::State(model).BackBoard = model.State().Board;
  const auto cells = CellsInPlay();
  random.Seed = 99;
  window.Take();
  model.StartShuffle();
  EXPECT_EQ(window.Take(), (std::vector<std::string>{"Interval 55", "Timer on"}));
  EXPECT_EQ(model.State().TimerMode, TTimerMode::Shuffle);
  EXPECT_EQ(model.State().ShuffleCount, 10);

  int batches = 0;
  bool running = true;
  while (running && batches < 100) {
    running = model.ShuffleBatch();
    ++batches;
    ASSERT_EQ(CellsInPlay(), cells);  // lines were rotated, never a cell lost or doubled
    ASSERT_EQ(window.Take(), (std::vector<std::string>{"DrawCells 1,1 5,3", "Show player"}));
    ASSERT_EQ(running, model.State().ShuffleCount > 0);
  }
  EXPECT_FALSE(model.State().IsSolved());
  EXPECT_EQ(model.State().ShuffleCount, 0);
  EXPECT_GE(batches, 10);
}

TEST_F(Board, ABatchThatLandsOnTheSolutionStartsTheShuffleAgain) {
  // With every cell alike, every arrangement is the solution.
  for (int c = 1; c <= 5; ++c) {
    for (int r = 1; r <= 5; ++r) TGameProbe::State(model).Board(c, r) = 0x44;
  }
  TGameProbe::State(model).BackBoard = model.State().Board;
  TGameProbe::State(model).ShuffleCount = 1;
  EXPECT_TRUE(model.ShuffleBatch());
  EXPECT_EQ(model.State().ShuffleCount, 10);
}

TEST_F(Board, TheSameSeedGivesTheSameShuffle) {
  const TCells start = model.State().Board;
  TRecordingWindow otherWindow;
  TBoardModel other{otherWindow, otherWindow, random};
  for (TBoardModel* m : {&model, &other}) {
    m->SetCols(4);
    m->SetRows(5);
    TGameProbe::State(*m).Board = start;
    TGameProbe::State(*m).ShuffleCount = 10;
    random.Seed = 4242;
    m->ShuffleBatch();
  }
  EXPECT_TRUE(other.State().Board == model.State().Board);
  EXPECT_FALSE(model.State().Board == start);
}

}  // namespace
