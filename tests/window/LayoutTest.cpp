// The window as created: its stored layout, the state FormCreate leaves, what the screen shows,
// and the re-centring of the layout when the client area changes size.
#include <gtest/gtest.h>

#include "controls/TileBG.h"
#include "controls/VexoButton.h"
#include "tests/window/WindowRig.h"
#include "ui/Bevel.h"
#include "ui/PaintBox.h"

namespace {

using namespace windowtest;

TRect At(int x, int y, int w, int h) {
  return {x, y, x + w, y + h};
}

TEST(Layout, EveryChildSitsAtItsStoredPlaceInItsStoredOrder) {
  TWindowRig rig;
  TFormZelto& form = rig.Form();
  EXPECT_FALSE(form.StartupFailed());
  EXPECT_TRUE(rig.Messages().empty());
  EXPECT_EQ(form.ClientWidth(), 517);
  EXPECT_EQ(form.ClientHeight(), 403);

  const std::vector<std::string> stored = {"BG",       "Frame",   "pbxBoard", "pbxBackBoard",
                                           "cmdStart", "cmdExit", "cmdColM",  "cmdColP",
                                           "cmdRowM",  "cmdRowP"};
  std::vector<std::string> children;
  for (const auto& child : form.Controls()) children.push_back(child->Name());
  EXPECT_EQ(children, stored);

  EXPECT_EQ(rig.Find<TTileBG>("BG")->Bounds(), At(0, 0, 517, 403));
  EXPECT_EQ(rig.Find<TTileBG>("BG")->ImageName(), "tile");
  // Enlarged, centred and out of the mouse's way.
  EXPECT_EQ(rig.Find("Frame")->Bounds(), At(-20, -20, 557, 443));
  EXPECT_FALSE(rig.Find("Frame")->WindowEnabled());
  EXPECT_EQ(rig.Find("pbxBoard")->Bounds(), At(37, 104, 208, 208));
  EXPECT_EQ(rig.Find("pbxBackBoard")->Bounds(), At(273, 104, 208, 208));
  // The buttons take their size from their strips: three frames each.
  EXPECT_EQ(rig.Button("cmdStart")->Bounds(), At(299, 329, 156, 28));
  EXPECT_EQ(rig.Button("cmdExit")->Bounds(), At(299, 359, 156, 28));
  EXPECT_EQ(rig.Button("cmdColM")->Bounds(), At(43, 329, 40, 28));
  EXPECT_EQ(rig.Button("cmdColP")->Bounds(), At(199, 329, 40, 28));
  EXPECT_EQ(rig.Button("cmdRowM")->Bounds(), At(43, 359, 40, 28));
  EXPECT_EQ(rig.Button("cmdRowP")->Bounds(), At(199, 359, 40, 28));
  EXPECT_EQ(rig.Button("cmdStart")->ImageName(), "start");
  EXPECT_EQ(rig.Button("cmdExit")->ImageName(), "exit");
  EXPECT_EQ(rig.Button("cmdColM")->ImageName(), "min_btn");
  EXPECT_EQ(rig.Button("cmdRowP")->ImageName(), "plus_btn");
  const std::vector<int> tags = {rig.Button("cmdColM")->Tag, rig.Button("cmdColP")->Tag,
                                 rig.Button("cmdRowM")->Tag, rig.Button("cmdRowP")->Tag};
  EXPECT_EQ(tags, (std::vector<int>{1, 3, 2, 4}));
  for (const TVexoButton* button : {rig.Button("cmdStart"), rig.Button("cmdExit"),
                                    rig.Button("cmdColM"), rig.Button("cmdRowP")})
    EXPECT_EQ(button->Cursor(), platform::CursorId::Hand) << button->Name();
  EXPECT_EQ(rig.Find("pbxBackBoard")->Cursor(), platform::CursorId::Default);
  EXPECT_FALSE(rig.Host().TimerRunning());
  EXPECT_FALSE(rig.Host().TimerRunning());
}

TEST(Layout, CreationEndsIdleAtThreeByThreeWithTheDealtPuzzleOnBothBoards) {
  TWindowRig rig;
  const TBoardState& m = rig.State();
  EXPECT_EQ(m.Cols, 3);
  EXPECT_EQ(m.Rows, 3);
  EXPECT_FALSE(m.Playing);
  EXPECT_EQ(m.Board, m.BackBoard);
  rig.Show();
  auto at = [&](int x, int y) { return rig.ScreenAt({x, y}); };
  // The back board shows "clicksr" at (1, 1), the player's board the idle pattern with its
  // frame lines.
  EXPECT_EQ(at(273 + 1, 104 + 1), rig.Color(rendertest::ClickStartValue));
  EXPECT_EQ(at(273 + 30, 104 + 20), rig.Color(rendertest::ClickStartValue));
  EXPECT_EQ(at(37 + m.BoardLeft - 1, 104 + m.BoardTop + 10), rig.Color(GridColor));
  EXPECT_EQ(at(37 + m.BoardLeft + 96, 104 + m.BoardTop + 10), rig.Color(ShadowColor));
  // The buttons in their looks: Start up, Exit disabled.
  EXPECT_EQ(at(299 + 5, 329 + 5), rig.Color(StartValue));
  EXPECT_EQ(at(299 + 5, 359 + 5), rig.Color(ExitValue + 2));
  EXPECT_EQ(at(43 + 5, 329 + 5), rig.Color(MinusValue + 2));
  EXPECT_EQ(at(199 + 5, 329 + 5), rig.Color(PlusValue));
  // The captions over the tiles.
  EXPECT_EQ(at(71 + 5, 9 + 5), rig.Color(rendertest::TitleValue));
  EXPECT_EQ(at(87 + 5, 329 + 5), rig.Color(rendertest::SizeLabelValue));
  EXPECT_EQ(at(0, 0), rig.Color(TileValue));
}

}  // namespace

namespace {

using namespace windowtest;

struct Placed {
  TPoint Start, Exit, ColP, ColM, RowP, RowM, Board, BackBoard, Title, SizeLabel;
  friend bool operator==(const Placed&, const Placed&) = default;
};

TPoint TopLeft(const ui::TControl* c) {
  return {c->Left(), c->Top()};
}

TPoint TopLeft(const TRect& r) {
  return {r.Left, r.Top};
}

Placed Places(TWindowRig& rig) {
  return {TopLeft(rig.Button("cmdStart")),  TopLeft(rig.Button("cmdExit")),
          TopLeft(rig.Button("cmdColP")),   TopLeft(rig.Button("cmdColM")),
          TopLeft(rig.Button("cmdRowP")),   TopLeft(rig.Button("cmdRowM")),
          TopLeft(rig.Find("pbxBoard")),    TopLeft(rig.Find("pbxBackBoard")),
          TopLeft(rig.PartBounds("title")), TopLeft(rig.PartBounds("size"))};
}

Placed MovedBy(const Placed& p, int dx, int dy) {
  auto moved = [&](TPoint q) { return TPoint{q.X + dx, q.Y + dy}; };
  return {moved(p.Start), moved(p.Exit),  moved(p.ColP),      moved(p.ColM),  moved(p.RowP),
          moved(p.RowM),  moved(p.Board), moved(p.BackBoard), moved(p.Title), moved(p.SizeLabel)};
}

// The tile's value at a point of the window's client area.
uint8_t TileAt(TPoint p) {
  return uint8_t(TileValue + (p.X % 32 + p.Y % 32) % 8);
}

TEST(Layout, AnotherClientSizeMovesEverythingByHalfTheDifference) {
  TWindowRig rig;
  rig.Show();
  const Placed stored = Places(rig);
  // Showing at the stored size moved nothing.
  EXPECT_EQ(stored.Board, (TPoint{37, 104}));
  EXPECT_EQ(stored.Title, (TPoint{71, 9}));

  rig.Host().Resize(617, 463);
  EXPECT_EQ(Places(rig), MovedBy(stored, 50, 30));
  EXPECT_EQ(rig.Find("Frame")->Bounds(), (TRect{30, 10, 587, 453}));
  EXPECT_EQ(rig.Find<TTileBG>("BG")->Bounds(), (TRect{0, 0, 617, 463}));

  // The boards were redrawn on the background of their new places, and the captions were made
  // again there.
  for (const TPoint inside : {TPoint{2, 2}, TPoint{200, 5}, TPoint{5, 190}}) {
    const TPoint at{rig.Find("pbxBoard")->Left() + inside.X,
                    rig.Find("pbxBoard")->Top() + inside.Y};
    EXPECT_EQ(rig.ScreenAt(at), rig.Color(TileAt(at))) << at.X << "," << at.Y;
    const TPoint back{rig.Find("pbxBackBoard")->Left() + inside.X,
                      rig.Find("pbxBackBoard")->Top() + inside.Y + 30};
    EXPECT_EQ(rig.ScreenAt(back), rig.Color(TileAt(back))) << back.X << "," << back.Y;
  }
  EXPECT_EQ(rig.PartBounds("title"), (TRect{121, 39, 161, 55}));
  EXPECT_EQ(rig.ScreenAt({121 + 1, 39 + 1}), rig.Color(TileAt({122, 40})));
  EXPECT_EQ(rig.ScreenAt({121 + 5, 39 + 5}), rig.Color(rendertest::TitleValue));
  rig.Click({121 + 20, 39 + 8});
  EXPECT_EQ(rig.AboutShown, 1);

  // Odd differences round towards zero, both ways.
  rig.Host().Resize(518, 404);
  EXPECT_EQ(Places(rig), MovedBy(stored, 1, 1));
  rig.Host().Resize(516, 402);
  EXPECT_EQ(Places(rig), MovedBy(stored, 0, 0));
  rig.Host().Resize(517, 403);
  EXPECT_EQ(Places(rig), stored);
}

}  // namespace
