#include <gtest/gtest.h>

#include "GameRig.h"

namespace {

const Calls PressColumn1 = {"DrawArrow col 1 pressed", "DrawCells 1,1 1,3", "Interval 100",
                            "Timer on"};
const Calls Repeat1 = {"DrawCells 1,1 1,3", "Interval 100", "Timer on"};
const Calls Frames = {"Frame 1", "Frame 2", "Frame 3"};
const Calls Finish1 = {"DrawArrow col 1 normal", "Show player", "Timer off"};

Calls Join(std::initializer_list<Calls> parts) {
  Calls all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class MoveCycle : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.Ready();
    // Distinct cells and an unreachable pattern: no move here can win.
    for (int c = 1; c <= 5; ++c) {
      for (int r = 1; r <= 5; ++r) {
        rig.Set().Board(c, r) = static_cast<uint8_t>(16 * c + r);
        rig.Set().BackBoard(c, r) = 0;
      }
    }
    start = rig.State().Board;
  }

  // The board after `n` up shifts of column 1, from the start.
  TCells ColumnUp(int n) const {
    TCells cells = start;
    for (int i = 0; i < n; ++i) {
      const uint8_t top = cells(1, 1);
      cells(1, 1) = cells(1, 2);
      cells(1, 2) = cells(1, 3);
      cells(1, 3) = top;
    }
    return cells;
  }

  TGameRig rig;
  TCells start;
};

TEST_F(MoveCycle, AQuickPressAndReleaseEndsAtTheFourthTick) {
  rig.Model.KeyPress('A');
  rig.Model.Release();
  rig.Tick(4);
  EXPECT_EQ(rig.Window.Take(), Join({PressColumn1, Frames, Finish1}));
  EXPECT_TRUE(rig.State().Board == ColumnUp(1));
  EXPECT_EQ(rig.State().MoveIndex, 0);
  EXPECT_FALSE(rig.Window.TimerOn);
}

TEST_F(MoveCycle, AReleaseAfterTheFourthTickGivesOneMoreShift) {
  rig.Model.KeyPress('A');
  rig.Tick(4);
  EXPECT_EQ(rig.Window.Take(), Join({PressColumn1, Frames, {"Show player"}}));
  rig.Model.Release();
  rig.Tick(5);
  EXPECT_EQ(rig.Window.Take(), Join({Repeat1, Frames, Finish1}));
  EXPECT_TRUE(rig.State().Board == ColumnUp(2));
}

TEST_F(MoveCycle, AHeldKeyRepeatsEveryFifthTick) {
  rig.Model.KeyPress('A');
  rig.Tick(15);
  EXPECT_TRUE(rig.State().Board == ColumnUp(4));
  const Calls cycle = Join({Frames, {"Show player"}});
  EXPECT_EQ(rig.Window.Take(),
            Join({PressColumn1, cycle, Repeat1, cycle, Repeat1, cycle, Repeat1}));
}

TEST_F(MoveCycle, PressingTheSameKeyAgainShiftsAtOnceAndRestartsTheAnimation) {
  rig.Model.KeyPress('A');
  rig.Model.Release();
  rig.Tick(2);
  rig.Window.Take();
  rig.Model.KeyPress('a');  // the keyboard's own repeat, or a second press
  EXPECT_EQ(rig.Window.Take(), PressColumn1);
  EXPECT_TRUE(rig.State().Board == ColumnUp(2));
  EXPECT_EQ(rig.State().MoveStep, 0);
  // The new press is held until its own release.
  rig.Tick(4);
  EXPECT_EQ(rig.Window.Take(), Join({Frames, {"Show player"}}));
  rig.Model.Release();
  rig.Tick(5);
  EXPECT_EQ(rig.Window.Take(), Join({Repeat1, Frames, Finish1}));
}

TEST_F(MoveCycle, AnotherMoveDuringAMoveIsIgnored) {
  rig.Model.KeyPress('A');
  rig.Window.Take();
  rig.Model.KeyPress('D');               // column 1, the other way
  rig.Model.KeyPress('B');               // another column
  rig.Model.KeyPress('1');               // a row
  rig.Model.StartMove({TAxis::Row, 1});  // an arrow
  EXPECT_TRUE(rig.Window.Take().empty());
  EXPECT_TRUE(rig.State().Board == ColumnUp(1));
  EXPECT_EQ(rig.State().MoveIndex, 1);
  EXPECT_EQ(rig.State().MoveAxis, TAxis::Column);
}

TEST_F(MoveCycle, MovesAreIgnoredBetweenGamesAndWhileShuffling) {
  TGameRig idle;
  idle.Idle();
  idle.Model.KeyPress('A');
  idle.Model.StartMove({TAxis::Column, 1});
  EXPECT_TRUE(idle.Window.Take().empty());

  idle.Model.Start();
  idle.Tick(3);
  idle.Window.Take();
  idle.Model.KeyPress('A');
  EXPECT_TRUE(idle.Window.Take().empty());
  EXPECT_EQ(idle.Model.State().MoveIndex, 0);
}

TEST_F(MoveCycle, ACommandNamingNoLineIsIgnored) {
  rig.Model.StartMove({TAxis::Column, 0});
  rig.Model.StartMove({TAxis::Column, 7});  // 2 × Cols is 6
  rig.Model.StartMove({TAxis::Row, -1});
  EXPECT_TRUE(rig.Window.Take().empty());
  EXPECT_TRUE(rig.State().Board == start);
}

TEST_F(MoveCycle, AReleaseWithNoMoveRunningDoesNotCountForTheNextMove) {
  rig.Model.Release();
  EXPECT_FALSE(rig.State().MoveReleased);
  rig.Model.KeyPress('A');
  rig.Tick(4);
  EXPECT_EQ(rig.Window.Calls.back(), "Show player");  // still held
}

TEST_F(MoveCycle, ExitDuringAMoveThenStartGivesACleanGame) {
  rig.Model.KeyPress('A');
  rig.Tick(2);
  rig.Model.Exit();
  EXPECT_FALSE(rig.Window.TimerOn);
  rig.Model.Start();
  EXPECT_EQ(rig.State().MoveIndex, 0);  // the boards were redrawn with no arrow pressed
  rig.RunTimer();
  rig.Window.Take();
  rig.Model.KeyPress('B');
  EXPECT_EQ(rig.Window.Take(),
            (Calls{"DrawArrow col 2 pressed", "DrawCells 2,1 2,3", "Interval 100", "Timer on"}));
  rig.Model.Release();
  rig.Tick(4);
  EXPECT_EQ(rig.Window.Take(),
            Join({Frames, {"DrawArrow col 2 normal", "Show player", "Timer off"}}));
}

TEST_F(MoveCycle, TheWinCountsOnlyWhenTheMoveEnds) {
  // One up shift of column 1 solves the board; a held key passes through it.
  rig.Set().BackBoard = ColumnUp(1);
  rig.Model.KeyPress('A');
  rig.Tick(5);
  EXPECT_TRUE(rig.State().Playing);
  EXPECT_TRUE(rig.State().Board == ColumnUp(2));
  rig.Model.Release();
  rig.Tick(4);
  EXPECT_TRUE(rig.State().Playing);  // ended unsolved
  EXPECT_FALSE(rig.State().Solved);
  rig.Window.Take();

  // Two more up shifts bring column 1 round to the solution (3 rows).
  rig.Model.KeyPress('A');
  rig.Model.Release();
  rig.Tick(4);
  rig.Model.KeyPress('A');
  rig.Model.Release();
  rig.Tick(4);
  const Calls won = {
      "DrawArrow col 1 normal", "Show player", "EnableControls idle", "DrawBoard player",
      "DrawBoard back",         "Show player", "Show back",           "Timer off"};
  const Calls calls = rig.Window.Take();
  ASSERT_GE(calls.size(), won.size());
  EXPECT_EQ(Calls(calls.end() - won.size(), calls.end()), won);
  EXPECT_FALSE(rig.State().Playing);
  EXPECT_TRUE(rig.State().Solved);
  EXPECT_TRUE(rig.State().NeedsDeal);
}

}  // namespace
