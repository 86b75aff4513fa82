// Keys through the window's key preview, the captions' clicks, the cursors, the first showing
// and the palette handlers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "controls/VexoButton.h"
#include "game/PaintBox.h"
#include "platform/qt/AppCursors.h"
#include "tests/window/WindowRig.h"

namespace {

using namespace windowtest;

TEST(Keys, ActThroughTheWindowEvenWhileAButtonHasTheFocus) {
  TWindowRig rig;
  StartAndShuffle(rig);
  TFormZelto& f = rig.Form();
  f.cmdExit->setFocusPolicy(Qt::StrongFocus);
  f.cmdExit->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), f.cmdExit);

  const TCells before = rig.Model().Board;
  rig.Key('b');  // lower case too: column 2 up
  EXPECT_EQ(rig.Model().MoveAxis, ColumnAxis);
  EXPECT_EQ(rig.Model().MoveIndex, 2);
  EXPECT_EQ(rig.Model().Board(2, 1), before(2, 2));
  EXPECT_EQ(rig.Model().Board(1, 1), before(1, 1));
  rig.KeyUp('b');
  EXPECT_TRUE(rig.Model().MoveReleased);
  EXPECT_EQ(rig.RunTimer(), 4);
  // The key went to the game, not to the button.
  EXPECT_TRUE(rig.Model().Playing);

  rig.Key('6');  // row 3 right
  EXPECT_EQ(rig.Model().MoveAxis, RowAxis);
  EXPECT_EQ(rig.Model().MoveIndex, 6);
  rig.KeyUp('6');
  rig.RunTimer();
  rig.Key('7');  // no seventh row key at 3 rows
  rig.Key('G');
  EXPECT_EQ(rig.Model().MoveIndex, 0);
}

TEST(Keys, AHeldKeyRepeatsItsMoveAndAnyReleaseEndsIt) {
  TWindowRig rig;
  StartAndShuffle(rig);
  TBoardModel& m = rig.Model();
  const TCells before = m.Board;
  rig.Key('A');
  rig.Tick(2);
  // The keyboard's own repeat: a release and a press marked as repeats. The release is no
  // letting go; the press applies one more shift at once and starts the animation again.
  rig.KeyUp('A', true);
  EXPECT_FALSE(m.MoveReleased);
  rig.Key('A', true);
  EXPECT_EQ(m.MoveStep, 0);
  EXPECT_EQ(m.Board(1, 1), before(1, 3));
  // Another key meanwhile starts nothing; letting go of it ends the repeat all the same.
  rig.Key('C');
  EXPECT_EQ(m.MoveIndex, 1);
  rig.KeyUp('C');
  EXPECT_TRUE(m.MoveReleased);
  EXPECT_EQ(rig.RunTimer(), 4);
  EXPECT_EQ(m.MoveIndex, 0);
  EXPECT_EQ(m.Board(3, 1), before(3, 1));
}

TEST(Keys, ACharacterTypedWithCtrlAltOrMetaIsAShortcutNotAMove) {
  TWindowRig rig;
  StartAndShuffle(rig);
  for (Qt::KeyboardModifier modifier : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier}) {
    QTest::simulateEvent(rig.Form().windowHandle(), true, Qt::Key_A, modifier, QStringLiteral("a"),
                         false);
    EXPECT_EQ(rig.Model().MoveIndex, 0) << modifier;
  }
  // Shift only changes the character.
  QTest::simulateEvent(rig.Form().windowHandle(), true, Qt::Key_A, Qt::ShiftModifier,
                       QStringLiteral("A"), false);
  EXPECT_EQ(rig.Model().MoveIndex, 1);
}

// Counts the paintings of one widget.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget* watched) { watched->installEventFilter(this); }
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

TEST(Keys, AHeldKeyOnTheRealTimerKeepsTheTicksAndFramesComing) {
  TWindowOptions options;
  options.ManualTimer = false;
  TWindowRig rig(options);
  rig.Show();
  TFormZelto& f = rig.Form();
  rig.Click(rig.Centre(f.cmdStart));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !f.tmrZelto->isActive(); }, 10000));

  // The keyboard's own repeat: a press of the same key every 30 ms for a second. Each one
  // sets the move's 100 ms interval again, which must not restart the count.
  TPaintCounter board(f.pbxBoard);
  QElapsedTimer clock;
  clock.start();
  rig.Key('B');
  while (clock.elapsed() < 1000) {
    QTest::qWait(30);
    rig.Key('B', true);
  }
  EXPECT_GE(board.Paints, 5) << "frames of the held move reached the screen";
  EXPECT_TRUE(f.tmrZelto->isActive());
  rig.KeyUp('B');
  EXPECT_TRUE(QTest::qWaitFor([&] { return rig.Model().MoveIndex == 0; }, 2000));
}

TEST(Captions, TheTitleOpensTheAboutDialogOnALeftClickOnly) {
  TWindowRig rig;
  rig.Show();
  const QPoint title(71 + 20, 9 + 8);
  rig.Click(title, Qt::RightButton);
  rig.Click(title, Qt::MiddleButton);
  EXPECT_EQ(rig.AboutShown, 0);
  rig.Click(title);
  EXPECT_EQ(rig.AboutShown, 1);
  rig.Click(QPoint(71 + 41, 9 + 8));
  EXPECT_EQ(rig.AboutShown, 1);
  // Also during a game.
  rig.Click(rig.Centre(rig.Form().cmdStart));
  rig.Click(title);
  EXPECT_EQ(rig.AboutShown, 2);
}

TEST(Captions, TheSizeLabelDealsANewPuzzleBetweenGamesOnly) {
  TWindowRig rig;
  rig.Show();
  TBoardModel& m = rig.Model();
  const QPoint label(87 + 10, 329 + 6);
  const TCells firstDeal = m.Board;
  rig.Click(label, Qt::RightButton);  // any button
  EXPECT_NE(m.Board, firstDeal);
  // A deal is always the pattern to reach as well, but only the player's board is redrawn:
  // the back board keeps its picture.
  EXPECT_EQ(m.BackBoard, m.Board);
  const QPoint back = rig.Form().pbxBackBoard->pos();
  EXPECT_EQ(rig.Screen().pixel(back + QPoint(1, 1)), rig.Color(rendertest::ClickStartValue));
  // The new puzzle is on the screen.
  const TCells secondDeal = m.Board;
  rig.Click(label);
  EXPECT_NE(m.Board, secondDeal);

  rig.Click(rig.Centre(rig.Form().cmdStart));
  rig.RunTimer();
  const TCells playing = m.Board;
  rig.Click(label);
  EXPECT_EQ(m.Board, playing);
  EXPECT_TRUE(m.Playing);
}

TEST(Captions, AfterAWinTheSizeLabelKeepsWellDoneOnTheBackBoard) {
  TWindowRig rig;
  rig.Show();
  TBoardModel& m = rig.Model();
  // Start, then one move away from the target: undo it by the opposite arrow.
  rig.Click(rig.Centre(rig.Form().cmdStart));
  rig.RunTimer();
  m.Board = m.BackBoard;
  for (int c = 1; c <= 3; ++c) m.Board(c, 1) = uint8_t(c), m.BackBoard(c, 1) = uint8_t(c);
  rig.Key('1');  // row 1 left
  rig.KeyUp('1');
  rig.RunTimer();
  ASSERT_TRUE(m.Playing);
  rig.Key('4');  // and back right: solved
  rig.KeyUp('4');
  rig.RunTimer();
  ASSERT_TRUE(m.Solved);
  const QPoint back = rig.Form().pbxBackBoard->pos();
  rig.Click(QPoint(87 + 10, 329 + 6));
  EXPECT_TRUE(m.Solved);
  EXPECT_EQ(rig.Screen().pixel(back + QPoint(1, 1)), rig.Color(rendertest::WellDoneValue));
}

bool ShowsHand(const QWidget* widget) {
  return widget->cursor() == platform::AppCursor(platform::HandCursor);
}

TEST(Cursors, TheHandShowsOverArrowsWhenMovesAreLiveAndOverTheTitle) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& f = rig.Form();
  // The game's own cursors are compiled into the tests too.
  ASSERT_TRUE(platform::HasAppCursor(platform::HandCursor));
  ASSERT_FALSE(platform::AppCursor(platform::HandCursor) == QCursor(Qt::ArrowCursor));
  EXPECT_TRUE(ShowsHand(f.cmdStart));

  const QPoint arrow = rig.ArrowCentre(ColumnAxis, 2);
  rig.MoveTo(arrow);
  EXPECT_FALSE(ShowsHand(f.pbxBoard));  // idle: no arrows to press
  rig.Click(rig.Centre(f.cmdStart));
  rig.MoveTo(arrow + QPoint(1, 0));
  EXPECT_FALSE(ShowsHand(f.pbxBoard));  // shuffling
  rig.RunTimer();
  rig.MoveTo(arrow);
  EXPECT_TRUE(ShowsHand(f.pbxBoard));
  rig.MoveTo(rig.OnBoard(104, 104));
  EXPECT_FALSE(ShowsHand(f.pbxBoard));

  rig.MoveTo(QPoint(71 + 3, 9 + 3));
  EXPECT_TRUE(ShowsHand(&f));
  rig.MoveTo(QPoint(71 + 40, 9 + 3));
  EXPECT_FALSE(ShowsHand(&f));
  // The size label keeps the default.
  rig.MoveTo(QPoint(87 + 5, 329 + 5));
  EXPECT_FALSE(ShowsHand(&f));
}

TEST(Cursors, TheBackBoardShowsTheDefaultCursorAfterTheHandOverTheTitle) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& f = rig.Form();
  rig.MoveTo(QPoint(71 + 3, 9 + 3));
  ASSERT_TRUE(ShowsHand(&f));
  // A fast move lands on the back board without passing the window's own area.
  rig.MoveTo(rig.Centre(f.pbxBackBoard));
  EXPECT_TRUE(f.pbxBackBoard->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(f.pbxBackBoard->cursor().shape(), Qt::ArrowCursor);
}

TEST(Buttons, ANeverEnabledButtonTakesItsPressesAndIgnoresThem) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& f = rig.Form();
  // Exit was stored disabled and has not been enabled since: it shows its disabled look but
  // is still enabled for the window system, so it keeps its hand and swallows the press.
  EXPECT_FALSE(f.cmdExit->Enabled());
  EXPECT_TRUE(f.cmdExit->isEnabled());
  EXPECT_TRUE(ShowsHand(f.cmdExit));
  rig.Click(rig.Centre(f.cmdExit));
  EXPECT_EQ(rig.Screen().pixel(rig.Centre(f.cmdExit)), rig.Color(ExitValue + 2));
  // Once enabled and disabled again, both states agree.
  rig.Click(rig.Centre(f.cmdStart));
  rig.Click(rig.Centre(f.cmdExit));
  EXPECT_FALSE(f.cmdExit->isEnabled());
}

TEST(Showing, TheFirstShowingOpensTheAboutDialogOnce) {
  TWindowOptions options;
  options.AboutWhenShown = true;
  TWindowRig rig(options);
  EXPECT_EQ(rig.AboutShown, 0);
  rig.Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return rig.AboutShown == 1; }, 2000));
  rig.Form().hide();
  rig.Show();
  QApplication::processEvents();
  EXPECT_EQ(rig.AboutShown, 1);
}

TEST(Palette, ActivationRealisesTheLibraryPaletteWhichChangesNoEntries) {
  TWindowRig rig;
  rig.Show();
  const int before = rig.Form().PaletteRealizations();
  EXPECT_EQ(rig.Form().RealizeLibraryPalette(), 0);
  rig.Form().AppActivate();
  EXPECT_EQ(rig.Form().PaletteRealizations(), before + 2);

  TWindowOptions none;
  none.WriteLibrary = false;
  TWindowRig failed(none);
  EXPECT_EQ(failed.Form().RealizeLibraryPalette(), 0);
  EXPECT_EQ(failed.Form().PaletteRealizations(), 0);
}

}  // namespace
