#include <gtest/gtest.h>

#include "GameRig.h"

namespace {

const Calls BothBoards = {"DrawBoard player", "DrawBoard back", "Show player", "Show back"};

Calls Join(std::initializer_list<Calls> parts) {
  Calls all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(Transitions, StartUpDealsAndShowsAnIdleGame) {
  TGameRig rig;
  rig.Random.Seed = 5;
  rig.Model.SetCols(3);
  rig.Model.SetRows(3);
  rig.Model.Exit();
  EXPECT_EQ(
      rig.Window.Take(),
      Join({{"EnableControls idle", "EnableControls idle", "Timer off", "EnableControls idle"},
            BothBoards}));
  EXPECT_EQ(rig.State().BoardLeft, 57);
  EXPECT_EQ(rig.State().BoardTop, 57);
  EXPECT_FALSE(rig.State().Playing);
  EXPECT_TRUE(rig.State().Board == rig.State().BackBoard);
}

TEST(Transitions, SizeSettersKeepTheOldSizeOutsideThreeToFive) {
  TGameRig rig;
  rig.Model.SetCols(5);
  rig.Model.SetRows(4);
  EXPECT_EQ(rig.State().BoardLeft, 25);
  EXPECT_EQ(rig.State().BoardTop, 41);
  rig.Model.SetCols(6);
  rig.Model.SetRows(2);
  rig.Model.SetCols(0);
  EXPECT_EQ(rig.State().Cols, 5);
  EXPECT_EQ(rig.State().Rows, 4);
  EXPECT_EQ(rig.State().BoardLeft, 25);
  EXPECT_EQ(rig.State().BoardTop, 41);
  // The controls are refreshed either way.
  EXPECT_EQ(rig.Window.Take(), Calls(5, "EnableControls idle"));
}

TEST(Transitions, StartShufflesThePuzzleTheIdleBoardShows) {
  TGameRig rig;
  rig.Idle();
  const TCells dealt = rig.State().BackBoard;
  rig.Model.Start();
  EXPECT_EQ(rig.Window.Take(),
            Join({{"EnableControls playing"}, BothBoards, {"Interval 55", "Timer on"}}));
  EXPECT_TRUE(rig.State().Playing);
  EXPECT_TRUE(rig.State().BackBoard == dealt);
  const int ticks = rig.RunTimer();
  EXPECT_GE(ticks, 10);
  EXPECT_EQ(rig.Window.Calls.back(), "Timer off");
  EXPECT_EQ(rig.State().ShuffleCount, 0);
  EXPECT_EQ(rig.State().TimerMode, TTimerMode::Shuffle);  // until the first move
  EXPECT_FALSE(rig.State().IsSolved());
  EXPECT_TRUE(rig.State().BackBoard == dealt);
}

TEST(Transitions, StartAfterAWinDealsANewPuzzle) {
  TGameRig rig;
  rig.Idle();
  rig.Set().Solved = true;
  rig.Set().NeedsDeal = true;
  rig.Random.Seed = 77;
  rig.Model.Start();
  EXPECT_FALSE(rig.State().Solved);
  EXPECT_FALSE(rig.State().NeedsDeal);

  TGameRig same;
  same.Idle();
  same.Random.Seed = 77;
  same.Model.Deal();
  EXPECT_TRUE(rig.State().BackBoard == same.Model.State().BackBoard);
}

TEST(Transitions, ExitDropsTheGameAndDealsAgain) {
  TGameRig rig;
  rig.Ready();
  const uint32_t seed = rig.Random.Seed;
  rig.Model.Exit();
  EXPECT_EQ(rig.Window.Take(), Join({{"Timer off", "EnableControls idle"}, BothBoards}));
  EXPECT_FALSE(rig.State().Playing);
  EXPECT_NE(rig.Random.Seed, seed);  // a deal took its numbers
  EXPECT_TRUE(rig.State().Board == rig.State().BackBoard);
}

TEST(Transitions, SizeButtonsChangeOneSizeByTagThenDeal) {
  TGameRig rig;
  rig.Idle(4, 4);
  rig.Set().Solved = true;
  rig.Model.ColRowButtonClick(3);
  EXPECT_EQ(rig.Window.Take(), Join({{"EnableControls idle"}, BothBoards}));
  EXPECT_EQ(rig.State().Cols, 5);
  EXPECT_FALSE(rig.State().Solved);
  rig.Model.ColRowButtonClick(1);
  EXPECT_EQ(rig.State().Cols, 4);
  rig.Model.ColRowButtonClick(4);
  EXPECT_EQ(rig.State().Rows, 5);
  rig.Model.ColRowButtonClick(2);
  EXPECT_EQ(rig.State().Rows, 4);
  EXPECT_EQ(rig.State().BoardTop, 41);
  rig.Window.Take();

  const uint32_t seed = rig.Random.Seed;
  rig.Model.ColRowButtonClick(0);
  EXPECT_EQ(rig.Window.Take(), BothBoards);  // no size change, still a new deal
  EXPECT_NE(rig.Random.Seed, seed);
  EXPECT_EQ(rig.State().Cols, 4);
  EXPECT_EQ(rig.State().Rows, 4);
}

TEST(Transitions, TheSizeLabelDealsOnThePlayersBoardOnlyBetweenGames) {
  TGameRig rig;
  rig.Idle();
  rig.Set().Solved = true;
  rig.Set().NeedsDeal = true;
  const uint32_t seed = rig.Random.Seed;
  rig.Model.SizeLabelDeal();
  EXPECT_EQ(rig.Window.Take(), (Calls{"DrawBoard player", "Show player"}));
  EXPECT_NE(rig.Random.Seed, seed);
  EXPECT_TRUE(rig.State().Solved);  // the back board keeps its well-done picture
  EXPECT_FALSE(rig.State().NeedsDeal);

  rig.Model.Start();
  rig.Window.Take();
  const TCells board = rig.State().Board;
  rig.Model.SizeLabelDeal();
  EXPECT_TRUE(rig.Window.Take().empty());
  EXPECT_TRUE(rig.State().Board == board);
}

}  // namespace
