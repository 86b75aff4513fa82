// Playing through the real window: a whole game from Start to a win with arrows and keys, the
// buttons in each state, the arrows' looks and the frames of a move on the screen.
#include <gtest/gtest.h>

#include <deque>
#include <unordered_map>

#include "controls/VexoButton.h"
#include "tests/support/GameProbe.h"
#include "tests/window/WindowRig.h"
#include "tools/zeltoria-lab/HeadlessBoard.h"
#include "ui/PaintBox.h"

namespace {

using namespace windowtest;

// A 3 × 3 board of nine different cells, as nine nibbles, column by column.
using TKey = uint64_t;

TKey KeyOf(const TCells& cells) {
  TKey key = 0;
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 3; ++r) key = key << 4 | (cells(c, r) & 0x0F);
  return key;
}

void SetCells(TCells& cells, TKey key) {
  for (int c = 3; c >= 1; --c)
    for (int r = 3; r >= 1; --r) {
      cells(c, r) = uint8_t(key & 0x0F);
      key >>= 4;
    }
}

// The shortest list of moves from `from` to `to`, found breadth first over all 9! boards, the
// moves applied by a board model of its own.
std::vector<TMoveCommand> Solve(const TCells& from, const TCells& to) {
  THeadlessBoard scratch;
  TBoardState& state = TGameProbe::State(scratch.Model);
  std::vector<TMoveCommand> moves;
  for (int i = 1; i <= 6; ++i) {
    moves.push_back({TAxis::Column, i});
    moves.push_back({TAxis::Row, i});
  }
  const TKey start = KeyOf(from);
  const TKey goal = KeyOf(to);
  std::unordered_map<TKey, std::pair<TKey, int>> cameFrom{{start, {start, -1}}};
  std::deque<TKey> queue{start};
  while (!queue.empty() && !cameFrom.contains(goal)) {
    const TKey key = queue.front();
    queue.pop_front();
    for (size_t m = 0; m < moves.size(); ++m) {
      SetCells(state.Board, key);
      state.MoveAxis = moves[m].Axis;
      state.MoveIndex = moves[m].Index;
      scratch.Model.DoMove();
      const TKey next = KeyOf(state.Board);
      if (cameFrom.emplace(next, std::pair{key, int(m)}).second) queue.push_back(next);
    }
  }
  std::vector<TMoveCommand> path;
  for (TKey at = goal; at != start; at = cameFrom.at(at).first)
    path.insert(path.begin(), moves[size_t(cameFrom.at(at).second)]);
  return path;
}

char KeyFor(const TMoveCommand& move) {
  return move.Axis == TAxis::Column ? char('A' + move.Index - 1) : "1234567890"[move.Index - 1];
}

struct Buttons {
  bool Start, Exit, ColM, ColP, RowM, RowP;
  friend bool operator==(const Buttons&, const Buttons&) = default;
};

Buttons Enabled(const TWindowRig& rig) {
  return {rig.Button("cmdStart")->Enabled(), rig.Button("cmdExit")->Enabled(),
          rig.Button("cmdColM")->Enabled(),  rig.Button("cmdColP")->Enabled(),
          rig.Button("cmdRowM")->Enabled(),  rig.Button("cmdRowP")->Enabled()};
}

TEST(Game, FromStartToAWinWithArrowsAndKeys) {
  TWindowRig rig;
  rig.Show();
  const TBoardState& m = rig.State();
  // Nine different cells, so that only the one arrangement counts as solved.
  TBoardState& set = TGameProbe::State(rig.Form());
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 3; ++r) set.Board(c, r) = set.BackBoard(c, r) = uint8_t(3 * (c - 1) + r);
  const TCells target = m.BackBoard;

  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  ASSERT_TRUE(m.Playing);
  EXPECT_EQ(rig.Host().TimerInterval(), 55);
  const int batches = rig.RunTimer();
  EXPECT_GE(batches, 10);
  ASSERT_EQ(m.ShuffleCount, 0);
  ASSERT_FALSE(m.IsSolved());
  EXPECT_EQ(m.BackBoard, target);

  const std::vector<TMoveCommand> solution = Solve(m.Board, target);
  ASSERT_FALSE(solution.empty());
  for (size_t i = 0; i < solution.size(); ++i) {
    const TMoveCommand& move = solution[i];
    ASSERT_TRUE(m.Playing) << "won too early, at move " << i;
    if (i % 2 == 0) {
      rig.Click(rig.ArrowCentre(move.Axis, move.Index));
    } else {
      rig.Key(KeyFor(move));
      rig.KeyUp();
    }
    ASSERT_EQ(m.MoveIndex, move.Index) << "move " << i;
    EXPECT_EQ(rig.Host().TimerInterval(), 100);
    // Three frames and the end: a released move takes four ticks.
    EXPECT_EQ(rig.RunTimer(), 4) << "move " << i;
  }

  EXPECT_FALSE(m.Playing);
  EXPECT_TRUE(m.Solved);
  EXPECT_TRUE(m.NeedsDeal);
  EXPECT_EQ(m.Board, target);
  EXPECT_EQ(Enabled(rig), (Buttons{true, false, false, true, false, true}));
  EXPECT_EQ(rig.ScreenAt({273 + 1, 104 + 1}), rig.Color(rendertest::WellDoneValue));
  // The player's board is back in its idle look: no arrows.
  const TPoint arrow = rig.ArrowCentre(TAxis::Column, 1);
  EXPECT_NE(rig.ScreenAt(arrow), rig.Color(rendertest::ArrowValue(ArrowAbove, 0)));

  // Start after a win deals a new puzzle.
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  EXPECT_TRUE(m.Playing);
  EXPECT_FALSE(m.Solved);
  EXPECT_NE(m.BackBoard, target);
}

TEST(Game, ButtonsAreEnabledByStateAndSizeLimits) {
  TWindowRig rig;
  rig.Show();
  const TBoardState& m = rig.State();
  EXPECT_EQ(Enabled(rig), (Buttons{true, false, false, true, false, true}));

  rig.Click(TWindowRig::Centre(rig.Button("cmdColP")));
  rig.Click(TWindowRig::Centre(rig.Button("cmdColP")));
  EXPECT_EQ(m.Cols, 5);
  EXPECT_EQ(Enabled(rig), (Buttons{true, false, true, false, false, true}));
  // A disabled button lets the click through to the window, which does nothing with it.
  rig.Click(TWindowRig::Centre(rig.Button("cmdColP")));
  EXPECT_EQ(m.Cols, 5);
  rig.Click(TWindowRig::Centre(rig.Button("cmdRowP")));
  EXPECT_EQ(m.Rows, 4);
  EXPECT_EQ(Enabled(rig), (Buttons{true, false, true, false, true, true}));
  rig.Click(TWindowRig::Centre(rig.Button("cmdRowM")));
  rig.Click(TWindowRig::Centre(rig.Button("cmdColM")));
  EXPECT_EQ(m.Cols, 4);
  EXPECT_EQ(m.Rows, 3);
  // Each size change deals afresh.
  EXPECT_EQ(m.Board, m.BackBoard);

  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  EXPECT_EQ(Enabled(rig), (Buttons{false, true, false, false, false, false}));
  rig.Click(TWindowRig::Centre(rig.Button("cmdColP")));
  EXPECT_EQ(m.Cols, 4);
  rig.Click(TWindowRig::Centre(rig.Button("cmdExit")));
  EXPECT_FALSE(m.Playing);
  EXPECT_FALSE(rig.Host().TimerRunning());
  EXPECT_EQ(Enabled(rig), (Buttons{true, false, true, true, false, true}));
  // The buttons show their looks: Exit disabled again, Start up.
  EXPECT_EQ(rig.ScreenAt(TWindowRig::Centre(rig.Button("cmdExit"))), rig.Color(ExitValue + 2));
  EXPECT_EQ(rig.ScreenAt(TWindowRig::Centre(rig.Button("cmdStart"))), rig.Color(StartValue));
}

TEST(Game, APressDraggedOffAButtonAndReleasedGivesNoClick) {
  TWindowRig rig;
  rig.Show();
  const TPoint on = TWindowRig::Centre(rig.Button("cmdStart"));
  const TPoint off{on.X, on.Y + 80};
  const TPoint aside{on.X + 10, on.Y};
  rig.Press(on);
  EXPECT_EQ(rig.ScreenAt(on), rig.Color(StartValue + 1));
  rig.MoveTo(off);
  EXPECT_EQ(rig.ScreenAt(on), rig.Color(StartValue));
  rig.Release(off);
  EXPECT_FALSE(rig.State().Playing);

  // Dragged back on before the release, the press clicks.
  rig.Press(on);
  rig.MoveTo(off);
  rig.MoveTo(aside);
  EXPECT_EQ(rig.ScreenAt(on), rig.Color(StartValue + 1));
  rig.Release(aside);
  EXPECT_TRUE(rig.State().Playing);
  // Other mouse buttons do not click.
  rig.Click(TWindowRig::Centre(rig.Button("cmdExit")), platform::MouseButton::Right);
  EXPECT_TRUE(rig.State().Playing);
}

TEST(Game, AnArrowLooksPressedWhileItsMoveRunsAndNormalAfter) {
  TWindowRig rig;
  StartAndShuffle(rig);
  const TPoint below2 = rig.ArrowCentre(TAxis::Column, 5);
  const TPoint right3 = rig.ArrowCentre(TAxis::Row, 6);
  EXPECT_EQ(rig.ScreenAt(below2), rig.Color(rendertest::ArrowValue(ArrowBelow, 1)));

  rig.Press(below2);
  EXPECT_EQ(rig.State().MoveIndex, 5);
  // The pressed arrow reaches the screen with the move's first frame.
  EXPECT_EQ(rig.Tick(), 1);
  EXPECT_EQ(rig.ScreenAt(below2), rig.Color(rendertest::ArrowValue(ArrowBelowPressed, 1)));
  // A held button keeps the move going: the arrow stays pressed through the repeats.
  EXPECT_EQ(rig.Tick(5), 5);
  EXPECT_EQ(rig.ScreenAt(below2), rig.Color(rendertest::ArrowValue(ArrowBelowPressed, 1)));
  // Other arrows are ignored during a move.
  rig.Click(right3);
  EXPECT_EQ(rig.State().MoveIndex, 5);

  // Released far away, off the board: the move still ends.
  rig.MoveTo({500, 390});
  rig.Release({500, 390});
  EXPECT_TRUE(rig.State().MoveReleased);
  rig.RunTimer();
  EXPECT_EQ(rig.State().MoveIndex, 0);
  EXPECT_EQ(rig.ScreenAt(below2), rig.Color(rendertest::ArrowValue(ArrowBelow, 1)));
}

// Where the strip's pixel j of a frame comes from in the resting line (n pixels long).
int SourceOf(int j, int n, int d, bool forward) {
  if (j == n - 1) return j;
  if (forward) return j <= n - d ? j + d - 1 : j - (n - d);
  return j > d ? j - d : j + n - d - 1;
}

TEST(Game, TheScreenShowsEachFrameOfAMoveShortOfItsPlace) {
  TWindowRig rig;
  StartAndShuffle(rig);
  const TBoardState& m = rig.State();
  struct Case {
    TAxis Axis;
    int Index;
    bool Forward;
  };
  for (const Case& move : {Case{TAxis::Row, 4, true}, Case{TAxis::Column, 2, false}}) {
    rig.Click(rig.ArrowCentre(move.Axis, move.Index));
    std::vector<platform::MemoryDevice> frames;
    for (int step = 1; step <= 4; ++step) {
      ASSERT_EQ(rig.Tick(), 1);
      frames.push_back(rig.Host().Screen());
    }
    ASSERT_EQ(m.MoveIndex, 0);
    const platform::MemoryDevice& rest = frames[3];
    const TPoint board = rig.OnBoard(0, 0);
    const TBoardLayout layout = m.Layout();
    const TRect strip = layout.LineStrip(move.Axis, layout.MoveLine({move.Axis, move.Index}));
    const bool column = move.Axis == TAxis::Column;
    const int across0 = column ? strip.Left : strip.Top;
    const int along0 = column ? strip.Top : strip.Left;
    const int n = column ? strip.Height() : strip.Width();
    for (int step = 1; step <= 3; ++step) {
      const int d = 8 * (4 - step);
      for (int across = across0; across < across0 + 31; ++across) {
        for (int j = 0; j < n; ++j) {
          const int from = along0 + SourceOf(j, n, d, move.Forward);
          const TPoint at = column ? TPoint{across, along0 + j} : TPoint{along0 + j, across};
          const TPoint source = column ? TPoint{across, from} : TPoint{from, across};
          ASSERT_EQ(frames[size_t(step - 1)].Pixel(board.X + at.X, board.Y + at.Y),
                    rest.Pixel(board.X + source.X, board.Y + source.Y))
              << "step " << step << " at " << at.X << "," << at.Y;
        }
      }
    }
  }
}

TEST(Game, TheBackBoardShowsClickStartThenThePatternThenClickStartAgain) {
  TWindowRig rig;
  rig.Show();
  const TBoardState& m = rig.State();
  const ui::TControl& box = *rig.Find("pbxBackBoard");
  auto back = [&](int x, int y) { return rig.ScreenAt({box.Left() + x, box.Top() + y}); };
  EXPECT_EQ(back(1, 1), rig.Color(rendertest::ClickStartValue));
  EXPECT_NE(back(m.BoardLeft - 1, m.BoardTop + 5), rig.Color(GridColor));

  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  EXPECT_NE(back(1, 1), rig.Color(rendertest::ClickStartValue));
  EXPECT_EQ(back(m.BoardLeft - 1, m.BoardTop + 5), rig.Color(GridColor));
  EXPECT_EQ(back(m.BoardLeft + 96, m.BoardTop + 5), rig.Color(ShadowColor));
  EXPECT_EQ(back(m.BoardLeft + 10, m.BoardTop + 20), rig.Color(rendertest::EmptyValue));

  rig.Click(TWindowRig::Centre(rig.Button("cmdExit")));
  EXPECT_EQ(back(1, 1), rig.Color(rendertest::ClickStartValue));
}

TEST(Game, TheTimerShufflesAt55AndSlidesAt100Milliseconds) {
  TWindowRig rig;
  rig.Show();
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  EXPECT_TRUE(rig.Host().TimerRunning());
  EXPECT_EQ(rig.Host().TimerInterval(), 55);
  rig.RunTimer();
  EXPECT_FALSE(rig.Host().TimerRunning());
  EXPECT_EQ(rig.State().ShuffleCount, 0);

  rig.Click(rig.ArrowCentre(TAxis::Row, 1));
  EXPECT_TRUE(rig.Host().TimerRunning());
  EXPECT_EQ(rig.Host().TimerInterval(), 100);
  rig.RunTimer();
  EXPECT_FALSE(rig.Host().TimerRunning());
  EXPECT_EQ(rig.State().MoveIndex, 0);
}

}  // namespace
