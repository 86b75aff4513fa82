// The window as created: its stored layout, the state FormCreate leaves, what the screen shows,
// and the re-centring of the layout when the client area changes size.
#include <gtest/gtest.h>

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
