#include <gtest/gtest.h>

#include "GameRig.h"

namespace {

TEST(Keys, OnlyTheFirstTwiceColsLettersAndTwiceRowsDigitsCount) {
  TGameRig rig;
  rig.Idle(4, 3);
  const TBoardModel& m = rig.Model;
  EXPECT_EQ(m.KeyToMove('A'), (TMoveCommand{TAxis::Column, 1}));
  EXPECT_EQ(m.KeyToMove('H'), (TMoveCommand{TAxis::Column, 8}));  // column 4 down
  EXPECT_EQ(m.KeyToMove('h'), (TMoveCommand{TAxis::Column, 8}));
  EXPECT_EQ(m.KeyToMove('I'), std::nullopt);
  EXPECT_EQ(m.KeyToMove('K'), std::nullopt);
  EXPECT_EQ(m.KeyToMove('1'), (TMoveCommand{TAxis::Row, 1}));
  EXPECT_EQ(m.KeyToMove('6'), (TMoveCommand{TAxis::Row, 6}));  // row 3 right
  EXPECT_EQ(m.KeyToMove('7'), std::nullopt);
  EXPECT_EQ(m.KeyToMove('0'), std::nullopt);
  for (char32_t other : {U' ', U'\0', U'@', U'[', U'`', U'{', U'\u00e4', U'\u0410'}) {
    EXPECT_EQ(m.KeyToMove(other), std::nullopt) << uint32_t(other);
  }
}

TEST(Keys, AtTheLargestSizeJAndZeroAreTheLastKeysAndKNeverCounts) {
  TGameRig rig;
  rig.Idle(5, 5);
  EXPECT_EQ(rig.Model.KeyToMove('j'), (TMoveCommand{TAxis::Column, 10}));
  EXPECT_EQ(rig.Model.KeyToMove('K'), std::nullopt);
  EXPECT_EQ(rig.Model.KeyToMove('0'), (TMoveCommand{TAxis::Row, 10}));
}

TEST(Keys, ALowerCaseKeyStartsItsMove) {
  TGameRig rig;
  rig.Ready(3, 3);
  const TCells before = rig.State().Board;
  rig.Model.KeyPress('e');  // column 2 down
  EXPECT_EQ(rig.Window.Take(),
            (Calls{"DrawArrow col 5 pressed", "DrawCells 2,1 2,3", "Interval 100", "Timer on"}));
  EXPECT_EQ(rig.State().Board(2, 1), before(2, 3));
  rig.Model.KeyPress('z');
  EXPECT_TRUE(rig.Window.Take().empty());
}

}  // namespace
