// The window as created: its stored layout, the state FormCreate leaves, what the screen shows,
// and the re-centring of the layout when the client area changes size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QTimer>

#include "controls/VX8Tile.h"
#include "controls/VexoButton.h"
#include "game/PaintBox.h"
#include "tests/window/WindowRig.h"

namespace {

using namespace windowtest;

QRect At(int x, int y, int w, int h) {
  return QRect(x, y, w, h);
}

TEST(Layout, EveryChildSitsAtItsStoredPlaceInItsStoredOrder) {
  TWindowRig rig;
  TFormZelto& form = rig.Form();
  EXPECT_FALSE(form.StartupFailed());
  EXPECT_TRUE(rig.Boxes.Shown.empty());
  EXPECT_EQ(form.windowTitle(), "Zeltoria");
  EXPECT_EQ(form.size(), QSize(517, 403));
  // Not resizable by the user.
  EXPECT_EQ(form.minimumSize(), form.maximumSize());

  const std::vector<QWidget*> stored = {
      form.BG,      form.Frame,   form.pbxBoard, form.pbxBackBoard, form.cmdStart,
      form.cmdExit, form.cmdColM, form.cmdColP,  form.cmdRowM,      form.cmdRowP};
  std::vector<QWidget*> children;
  for (QObject* child : form.children())
    if (child->isWidgetType()) children.push_back(static_cast<QWidget*>(child));
  EXPECT_EQ(children, stored);

  EXPECT_EQ(form.BG->geometry(), At(0, 0, 517, 403));
  EXPECT_EQ(form.BG->ImageName(), "tile");
  // Enlarged, centred and out of the mouse's way.
  EXPECT_EQ(form.Frame->geometry(), At(-20, -20, 557, 443));
  EXPECT_FALSE(form.Frame->isEnabled());
  EXPECT_EQ(form.pbxBoard->geometry(), At(37, 104, 208, 208));
  EXPECT_EQ(form.pbxBackBoard->geometry(), At(273, 104, 208, 208));
  // The buttons take their size from their strips: three frames each.
  EXPECT_EQ(form.cmdStart->geometry(), At(299, 329, 156, 28));
  EXPECT_EQ(form.cmdExit->geometry(), At(299, 359, 156, 28));
  EXPECT_EQ(form.cmdColM->geometry(), At(43, 329, 40, 28));
  EXPECT_EQ(form.cmdColP->geometry(), At(199, 329, 40, 28));
  EXPECT_EQ(form.cmdRowM->geometry(), At(43, 359, 40, 28));
  EXPECT_EQ(form.cmdRowP->geometry(), At(199, 359, 40, 28));
  EXPECT_EQ(form.cmdStart->ImageName(), "start");
  EXPECT_EQ(form.cmdExit->ImageName(), "exit");
  EXPECT_EQ(form.cmdColM->ImageName(), "min_btn");
  EXPECT_EQ(form.cmdRowP->ImageName(), "plus_btn");
  const std::vector<int> tags = {form.cmdColM->Tag, form.cmdColP->Tag, form.cmdRowM->Tag,
                                 form.cmdRowP->Tag};
  EXPECT_EQ(tags, (std::vector<int>{1, 3, 2, 4}));
  EXPECT_FALSE(form.tmrZelto->isActive());
  EXPECT_FALSE(form.TimerEnabled());
}

TEST(Layout, CreationEndsIdleAtThreeByThreeWithTheDealtPuzzleOnBothBoards) {
  TWindowRig rig;
  TBoardModel& m = rig.Model();
  EXPECT_EQ(m.Cols, 3);
  EXPECT_EQ(m.Rows, 3);
  EXPECT_FALSE(m.Playing);
  EXPECT_EQ(m.Board, m.BackBoard);
  rig.Show();
  const QImage screen = rig.Screen();
  ASSERT_EQ(screen.size(), QSize(517, 403));
  // The back board shows "clicksr" at (1, 1), the player's board the idle pattern with its
  // frame lines.
  EXPECT_EQ(screen.pixel(273 + 1, 104 + 1), rig.Color(rendertest::ClickStartValue));
  EXPECT_EQ(screen.pixel(273 + 30, 104 + 20), rig.Color(rendertest::ClickStartValue));
  EXPECT_EQ(screen.pixel(37 + m.BoardLeft - 1, 104 + m.BoardTop + 10), rig.Color(GridColor));
  EXPECT_EQ(screen.pixel(37 + m.BoardLeft + 96, 104 + m.BoardTop + 10), rig.Color(ShadowColor));
  // The buttons in their looks: Start up, Exit disabled.
  EXPECT_EQ(screen.pixel(299 + 5, 329 + 5), rig.Color(StartValue));
  EXPECT_EQ(screen.pixel(299 + 5, 359 + 5), rig.Color(ExitValue + 2));
  EXPECT_EQ(screen.pixel(43 + 5, 329 + 5), rig.Color(MinusValue + 2));
  EXPECT_EQ(screen.pixel(199 + 5, 329 + 5), rig.Color(PlusValue));
  // The captions over the tiles.
  EXPECT_EQ(screen.pixel(71 + 5, 9 + 5), rig.Color(rendertest::TitleValue));
  EXPECT_EQ(screen.pixel(87 + 5, 329 + 5), rig.Color(rendertest::SizeLabelValue));
  EXPECT_EQ(screen.pixel(0, 0), rig.Color(TileValue));
}

}  // namespace

namespace {

using namespace windowtest;

struct Placed {
  QPoint Start, Exit, ColP, ColM, RowP, RowM, Board, BackBoard;
  TPoint Title, SizeLabel;
  friend bool operator==(const Placed&, const Placed&) = default;
};

Placed Places(TFormZelto& f) {
  return {f.cmdStart->pos(), f.cmdExit->pos(), f.cmdColP->pos(),  f.cmdColM->pos(),
          f.cmdRowP->pos(),  f.cmdRowM->pos(), f.pbxBoard->pos(), f.pbxBackBoard->pos(),
          TitlePos,          SizeLabelPos};
}

Placed MovedBy(const Placed& p, int dx, int dy) {
  const QPoint d(dx, dy);
  return {p.Start + d,
          p.Exit + d,
          p.ColP + d,
          p.ColM + d,
          p.RowP + d,
          p.RowM + d,
          p.Board + d,
          p.BackBoard + d,
          {p.Title.X + dx, p.Title.Y + dy},
          {p.SizeLabel.X + dx, p.SizeLabel.Y + dy}};
}

// The tile's value at a point of the window's client area.
uint8_t TileAt(QPoint p) {
  return uint8_t(TileValue + (p.x() % 32 + p.y() % 32) % 8);
}

TEST(Layout, AnotherClientSizeMovesEverythingByHalfTheDifference) {
  TWindowRig rig;
  rig.Show();
  TFormZelto& f = rig.Form();
  const Placed stored = Places(f);
  // Showing at the stored size moved nothing.
  EXPECT_EQ(stored.Board, QPoint(37, 104));
  EXPECT_EQ(stored.Title, (TPoint{71, 9}));

  f.setFixedSize(617, 463);
  QApplication::processEvents();
  EXPECT_EQ(Places(f), MovedBy(stored, 50, 30));
  EXPECT_EQ(f.Frame->geometry(), QRect(30, 10, 557, 443));
  EXPECT_EQ(f.BG->geometry(), QRect(0, 0, 617, 463));

  // The boards were redrawn on the background of their new places, and the captions were made
  // again there.
  const QImage screen = rig.Screen();
  for (const QPoint inside : {QPoint(2, 2), QPoint(200, 5), QPoint(5, 190)}) {
    const QPoint at = f.pbxBoard->pos() + inside;
    EXPECT_EQ(screen.pixel(at), rig.Color(TileAt(at))) << at.x() << "," << at.y();
    const QPoint back = f.pbxBackBoard->pos() + inside + QPoint(0, 30);
    EXPECT_EQ(screen.pixel(back), rig.Color(TileAt(back))) << back.x() << "," << back.y();
  }
  EXPECT_EQ(f.Captions.TitleRect, (TRect{121, 39, 161, 55}));
  EXPECT_EQ(screen.pixel(121 + 1, 39 + 1), rig.Color(TileAt({122, 40})));
  EXPECT_EQ(screen.pixel(121 + 5, 39 + 5), rig.Color(rendertest::TitleValue));
  rig.Click(QPoint(121 + 20, 39 + 8));
  EXPECT_EQ(rig.AboutShown, 1);

  // Odd differences round towards zero, both ways.
  f.setFixedSize(518, 404);
  QApplication::processEvents();
  EXPECT_EQ(Places(f), MovedBy(stored, 1, 1));
  f.setFixedSize(516, 402);
  QApplication::processEvents();
  EXPECT_EQ(Places(f), MovedBy(stored, 0, 0));
  f.setFixedSize(517, 403);
  QApplication::processEvents();
  EXPECT_EQ(Places(f), stored);
}

}  // namespace
