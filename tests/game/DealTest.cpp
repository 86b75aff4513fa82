#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "RecordingWindow.h"
#include "game/BoardModel.h"
#include "game/Random.h"
#include "tests/support/GameProbe.h"

namespace {

struct Step {
  int dc, dr;
};
// Neighbour offsets of direction bits 0..7: N, NE, E, SE, S, SW, W, NW.
constexpr Step Neighbour[8] = {{0, -1}, {1, -1}, {1, 0},  {1, 1},
                               {0, 1},  {-1, 1}, {-1, 0}, {-1, -1}};

// Empty when every road of the board in play ends in its partner; otherwise the first fault.
std::string RoadFault(const TBoardModel& m) {
  for (int c = 1; c <= m.State().Cols; ++c) {
    for (int r = 1; r <= m.State().Rows; ++r) {
      for (int k = 0; k < 8; ++k) {
        if (!(m.State().Board(c, r) & (1 << k))) continue;
        const int nc = c + Neighbour[k].dc, nr = r + Neighbour[k].dr;
        const std::string where =
            "(" + std::to_string(c) + "," + std::to_string(r) + ") bit " + std::to_string(k);
        if (nc < 1 || nc > m.State().Cols || nr < 1 || nr > m.State().Rows)
          return where + " leaves the grid";
        if (!(m.State().Board(nc, nr) & (1 << ((k + 4) % 8)))) return where + " has no partner";
      }
    }
  }
  return {};
}

bool AllCellsEqual(const TBoardModel& m) {
  for (int c = 1; c <= m.State().Cols; ++c) {
    for (int r = 1; r <= m.State().Rows; ++r) {
      if (m.State().Board(c, r) != m.State().Board(1, 1)) return false;
    }
  }
  return true;
}

std::string Rows(const TBoardModel& m) {
  std::string text;
  for (int r = 1; r <= m.State().Rows; ++r) {
    for (int c = 1; c <= m.State().Cols; ++c) {
      char cell[4];
      std::snprintf(cell, sizeof cell, c == 1 ? "%02x" : " %02x", m.State().Board(c, r));
      text += cell;
    }
    text += '\n';
  }
  return text;
}

class Deal : public ::testing::Test {
 protected:
  TRecordingWindow window;
  TRandom random;
  TBoardModel model{window, window, random};
};

TEST_F(Deal, EveryRoadHasItsPartnerAndNoDealIsUniform) {
  for (uint8_t cols = 3; cols <= 5; ++cols) {
    for (uint8_t rows = 3; rows <= 5; ++rows) {
      model.SetCols(cols);
      model.SetRows(rows);
      for (uint32_t seed = 0; seed < 3000; ++seed) {
        random.Seed = seed * 2654435761u;
        TGameProbe::State(model).NeedsDeal = true;
        model.Deal();
        const std::string fault = RoadFault(model);
        ASSERT_EQ(fault, "") << int(cols) << "x" << int(rows) << " seed " << seed;
        ASSERT_FALSE(AllCellsEqual(model)) << int(cols) << "x" << int(rows) << " seed " << seed;
        ASSERT_TRUE(model.State().BackBoard == model.State().Board);
        ASSERT_FALSE(model.State().NeedsDeal);
      }
    }
  }
  // Dealing draws nothing: only the size setters reached the window.
  for (const auto& call : window.Calls) EXPECT_EQ(call, "EnableControls idle");
}

// Worked out step by step from the dealing rules by an independent script: the mask draws,
// the cell draws in column order, then each MatchRoads draw in the written order.
TEST_F(Deal, AKnownSeedGivesAKnownPuzzle) {
  random.Seed = 1;
  model.Deal();
  EXPECT_EQ(Rows(model), "00 10 30\n10 23 11\n03 00 01\n");

  model.SetCols(5);
  model.SetRows(4);
  random.Seed = 20240601;
  model.Deal();
  EXPECT_EQ(Rows(model), "0c 5c 64 50 30\n14 cf f8 33 21\n1d 62 87 ff 70\n07 c0 02 03 81\n");

  // This one draws exactly 25 in one MatchRoads, which must set both roads.
  model.SetRows(5);
  random.Seed = 2;
  model.Deal();
  EXPECT_EQ(Rows(model),
            "1c 5c 44 50 10\n19 8d cc 59 11\n1d cc cc d5 d1\n19 8c c8 95 51\n01 84 c4 c5 41\n");
}

TEST_F(Deal, CellsOutOfPlayAreKeptAndCopiedWhole) {
  TGameProbe::State(model).Board(4, 1) = 0xAA;
  TGameProbe::State(model).Board(5, 5) = 0x55;
  TGameProbe::State(model).Board(1, 4) = 0x0F;
  random.Seed = 7;
  model.Deal();
  EXPECT_EQ(model.State().Board(4, 1), 0xAA);
  EXPECT_EQ(model.State().Board(5, 5), 0x55);
  EXPECT_EQ(model.State().Board(1, 4), 0x0F);
  EXPECT_TRUE(model.State().BackBoard == model.State().Board);
}

}  // namespace
