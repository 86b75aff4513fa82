// Keys through the window's key preview, the captions' clicks, the cursors, the first showing
// and the palette.
#include <gtest/gtest.h>

#include "controls/VexoButton.h"
#include "tests/support/GameProbe.h"
#include "tests/window/WindowRig.h"
#include "ui/PaintBox.h"

namespace {

using namespace windowtest;
using platform::CursorId;
using platform::MouseButton;

TEST(Keys, ActOnTheBoardThroughTheWindow) {
  TWindowRig rig;
  StartAndShuffle(rig);
  const TCells before = rig.State().Board;
  rig.Key('b');  // lower case too: column 2 up
  EXPECT_EQ(rig.State().MoveAxis, TAxis::Column);
  EXPECT_EQ(rig.State().MoveIndex, 2);
  EXPECT_EQ(rig.State().Board(2, 1), before(2, 2));
  EXPECT_EQ(rig.State().Board(1, 1), before(1, 1));
  rig.KeyUp();
  EXPECT_TRUE(rig.State().MoveReleased);
  EXPECT_EQ(rig.RunTimer(), 4);
  EXPECT_TRUE(rig.State().Playing);

  rig.Key('6');  // row 3 right
  EXPECT_EQ(rig.State().MoveAxis, TAxis::Row);
  EXPECT_EQ(rig.State().MoveIndex, 6);
  rig.KeyUp();
  rig.RunTimer();
  rig.Key('7');  // no seventh row key at 3 rows
  rig.Key('G');
  EXPECT_EQ(rig.State().MoveIndex, 0);
}

TEST(Keys, AHeldKeyRepeatsItsMoveAndAnyReleaseEndsIt) {
  TWindowRig rig;
  StartAndShuffle(rig);
  const TBoardState& m = rig.State();
  const TCells before = m.Board;
  rig.Key('A');
  rig.Tick(2);
  // The keyboard's own repeat is a press: one more shift at once, the animation again.
  rig.Key('A');
  EXPECT_EQ(m.MoveStep, 0);
  EXPECT_EQ(m.Board(1, 1), before(1, 3));
  // Another key meanwhile starts nothing; letting go of it ends the repeat all the same.
  rig.Key('C');
  EXPECT_EQ(m.MoveIndex, 1);
  rig.KeyUp();
  EXPECT_TRUE(m.MoveReleased);
  EXPECT_EQ(rig.RunTimer(), 4);
  EXPECT_EQ(m.MoveIndex, 0);
  EXPECT_EQ(m.Board(3, 1), before(3, 1));
}

// The release of a key held when the window loses the keyboard goes elsewhere: the move ends at
// its usual place all the same.
TEST(Keys, AKeyHeldWhenTheWindowLosesTheKeyboardIsLetGo) {
  TWindowRig rig;
  StartAndShuffle(rig);
  const TCells before = rig.State().Board;
  rig.Key('A');
  rig.Tick(2);
  rig.Form().CaptureLost();
  EXPECT_TRUE(rig.State().MoveReleased);
  EXPECT_EQ(rig.RunTimer(), 2);
  EXPECT_EQ(rig.State().MoveIndex, 0);
  EXPECT_EQ(rig.State().Board(1, 1), before(1, 2)) << "one shift, not repeated";
}

// The keyboard's repeat, 25 presses a second against the 100 ms of a move: each press sets the
// same interval again, which must not restart the timer's count, or no frame would come.
TEST(Keys, AHeldKeyKeepsTheTimersRhythmAndItsFramesOnScreen) {
  TWindowRig rig;
  StartAndShuffle(rig);
  const int starts = rig.Host().TimerStarts();
  rig.Key('B');
  EXPECT_EQ(rig.Host().TimerStarts(), starts + 1);
  for (int i = 0; i < 10; ++i) rig.Key('B');
  EXPECT_EQ(rig.Host().TimerStarts(), starts + 1) << "the repeats kept the timer's count";
  // Column 2 at rest after its eleventh shift, then the first frame of that shift on screen.
  const TBoardLayout layout = rig.State().Layout();
  const TRect strip = layout.LineStrip(TAxis::Column, 2);
  auto column = [&] {
    std::vector<uint32_t> pixels;
    for (int y = strip.Top; y < strip.Bottom; ++y)
      for (int x = strip.Left; x < strip.Right; ++x)
        pixels.push_back(rig.ScreenAt(rig.OnBoard(x, y)));
    return pixels;
  };
  rig.Form().Invalidate();  // the shifted column's picture, shown whole
  rig.Host().Flush();
  const std::vector<uint32_t> resting = column();
  ASSERT_EQ(rig.Tick(), 1);
  EXPECT_EQ(rig.State().MoveStep, 1);
  EXPECT_NE(column(), resting);
}

TEST(Captions, TheTitleOpensTheAboutDialogOnALeftClickOnly) {
  TWindowRig rig;
  rig.Show();
  const TPoint title{71 + 20, 9 + 8};
  rig.Click(title, MouseButton::Right);
  rig.Click(title, MouseButton::Middle);
  EXPECT_EQ(rig.AboutShown, 0);
  rig.Click(title);
  EXPECT_EQ(rig.AboutShown, 1);
  rig.Click({71 + 41, 9 + 8});
  EXPECT_EQ(rig.AboutShown, 1);
  // Also during a game.
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  rig.Click(title);
  EXPECT_EQ(rig.AboutShown, 2);
}

TEST(Captions, TheSizeLabelDealsANewPuzzleBetweenGamesOnly) {
  TWindowRig rig;
  rig.Show();
  const TBoardState& m = rig.State();
  const TPoint label{87 + 10, 329 + 6};
  const TCells firstDeal = m.Board;
  rig.Click(label, MouseButton::Right);  // any button
  EXPECT_NE(m.Board, firstDeal);
  // A deal is always the pattern to reach as well, but only the player's board is redrawn:
  // the back board keeps its picture.
  EXPECT_EQ(m.BackBoard, m.Board);
  EXPECT_EQ(rig.ScreenAt({273 + 1, 104 + 1}), rig.Color(rendertest::ClickStartValue));
  const TCells secondDeal = m.Board;
  rig.Click(label);
  EXPECT_NE(m.Board, secondDeal);

  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  rig.RunTimer();
  const TCells playing = m.Board;
  rig.Click(label);
  EXPECT_EQ(m.Board, playing);
  EXPECT_TRUE(m.Playing);
}

TEST(Captions, AfterAWinTheSizeLabelKeepsWellDoneOnTheBackBoard) {
  TWindowRig rig;
  rig.Show();
  const TBoardState& m = rig.State();
  // Start, then one move away from the target: undo it by the opposite arrow.
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  rig.RunTimer();
  TBoardState& set = TGameProbe::State(rig.Form());
  set.Board = set.BackBoard;
  for (int c = 1; c <= 3; ++c) set.Board(c, 1) = uint8_t(c), set.BackBoard(c, 1) = uint8_t(c);
  rig.Key('1');  // row 1 left
  rig.KeyUp();
  rig.RunTimer();
  ASSERT_TRUE(m.Playing);
  rig.Key('4');  // and back right: solved
  rig.KeyUp();
  rig.RunTimer();
  ASSERT_TRUE(m.Solved);
  rig.Click({87 + 10, 329 + 6});
  EXPECT_TRUE(m.Solved);
  EXPECT_EQ(rig.ScreenAt({273 + 1, 104 + 1}), rig.Color(rendertest::WellDoneValue));
}

TEST(Cursors, TheHandShowsOverArrowsWhenMovesAreLiveAndOverTheTitle) {
  TWindowRig rig;
  rig.Show();
  auto cursorAt = [&](TPoint p) {
    rig.MoveTo(p);
    return rig.Host().CursorShown();
  };
  EXPECT_EQ(cursorAt(TWindowRig::Centre(rig.Button("cmdStart"))), CursorId::Hand);

  const TPoint arrow = rig.ArrowCentre(TAxis::Column, 2);
  EXPECT_EQ(cursorAt(arrow), CursorId::Default);  // idle: no arrows to press
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  EXPECT_EQ(cursorAt({arrow.X + 1, arrow.Y}), CursorId::Default);  // shuffling
  rig.RunTimer();
  EXPECT_EQ(cursorAt(arrow), CursorId::Hand);
  EXPECT_EQ(cursorAt(rig.OnBoard(104, 104)), CursorId::Default);

  EXPECT_EQ(cursorAt({71 + 3, 9 + 3}), CursorId::Hand);
  EXPECT_EQ(cursorAt({71 + 40, 9 + 3}), CursorId::Default);
  // The size label keeps the default.
  EXPECT_EQ(cursorAt({87 + 5, 329 + 5}), CursorId::Default);
}

TEST(Cursors, EveryChildAreaShowsItsOwnCursorNotTheWindows) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& f = rig.Form();
  rig.MoveTo({71 + 3, 9 + 3});
  ASSERT_EQ(rig.Host().CursorShown(), CursorId::Hand);
  // A fast move lands on the back board without passing the window's own area, whose cursor
  // is still the hand.
  rig.MoveTo(TWindowRig::Centre(rig.Find("pbxBackBoard")));
  EXPECT_EQ(f.Cursor(), CursorId::Hand);
  EXPECT_EQ(rig.Host().CursorShown(), CursorId::Default);
  // A button disabled after it was enabled lets the window's own cursor show.
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  rig.Click(TWindowRig::Centre(rig.Button("cmdExit")));
  rig.MoveTo(TWindowRig::Centre(rig.Button("cmdExit")));
  EXPECT_EQ(rig.Host().CursorShown(), f.Cursor());
}

TEST(Buttons, ANeverEnabledButtonTakesItsPressesAndIgnoresThem) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& f = rig.Form();
  // Exit was stored disabled and has not been enabled since: it shows its disabled look but
  // the window system still has it enabled, so it keeps its hand and takes the press.
  EXPECT_FALSE(rig.Button("cmdExit")->Enabled());
  EXPECT_TRUE(rig.Button("cmdExit")->WindowEnabled());
  const TPoint exit = TWindowRig::Centre(rig.Button("cmdExit"));
  EXPECT_EQ(f.ControlAt(exit), rig.Button("cmdExit"));
  rig.Click(exit);
  EXPECT_EQ(rig.ScreenAt(exit), rig.Color(ExitValue + 2));
  // Once enabled and disabled again, both states agree and the press goes to the window.
  rig.Click(TWindowRig::Centre(rig.Button("cmdStart")));
  rig.Click(exit);
  EXPECT_FALSE(rig.Button("cmdExit")->WindowEnabled());
  EXPECT_EQ(f.ControlAt(exit), nullptr);
}

TEST(Showing, TheFirstShowingOpensTheAboutDialogOnce) {
  TWindowOptions options;
  options.AboutWhenShown = true;
  TWindowRig rig(options);
  EXPECT_EQ(rig.AboutShown, 0);
  rig.Show();
  EXPECT_EQ(rig.AboutShown, 1);
  rig.Show();
  EXPECT_EQ(rig.AboutShown, 1);
}

TEST(Palette, PaintingAndActivationRealiseTheLibraryPalette) {
  TWindowRig rig;
  rig.Show();
  const int afterShowing = rig.Host().Realizations();
  EXPECT_GE(afterShowing, 1) << "the window's painting realised it";
  rig.Form().Activated();
  rig.Form().AppActivate();
  EXPECT_EQ(rig.Host().Realizations(), afterShowing + 2);
  // The palette messages: the window may take the screen's entries; another window took them.
  EXPECT_EQ(rig.Form().QueryNewPalette(), 0) << "no entry changes on a true-colour screen";
  EXPECT_EQ(rig.Host().Realizations(), afterShowing + 3);
  rig.Form().PaletteChanged(true);
  EXPECT_EQ(rig.Host().ColorUpdates(), 0) << "its own change needs no update";
  rig.Form().PaletteChanged(false);
  EXPECT_EQ(rig.Host().ColorUpdates(), 1);

  TWindowOptions none;
  none.WriteLibrary = false;
  TWindowRig failed(none);
  failed.Form().AppActivate();
  failed.Form().PaletteChanged(false);
  EXPECT_EQ(failed.Host().Realizations(), 0);
  EXPECT_EQ(failed.Host().ColorUpdates(), 0);
}

}  // namespace
