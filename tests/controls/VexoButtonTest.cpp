#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/VexoButton.h"
#include "tests/controls/ControlsLibrary.h"

namespace {

using namespace controlstest;
using platform::MouseButton;

class VexoButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Library = OpenTestLibrary();
    TVexoButton::SetGlobalImageLibrary(Library.get());
    Button = Parent.Make<TVexoButton>("cmdStart");
    Button->MoveTo({20, 30});
    Button->OnClick = [this](TVexoButton* sender) {
      EXPECT_EQ(sender, Button);
      ++Clicks;
    };
  }
  void TearDown() override { TVexoButton::SetGlobalImageLibrary(nullptr); }

  // As the window does: the name first; the first paint then attaches the class library.
  void Load(const std::string& name) {
    Button->SetImageName(name);
    Button->GetImageLibrary();
  }

  // The frame the face shows, read from its pixels.
  int ShownFrame() {
    TVX8ImageData* face = Button->FaceData();
    if (!face) return -1;
    const uint8_t v = SurfacePixel(*face, face->Width() - 1, face->Height() - 1);
    for (int k = 0; k < 3; ++k)
      if (v == FrameFill(k)) return k;
    return -1;
  }

  // Mouse input through the form, at points of the button.
  void Press(int x, int y, MouseButton b = MouseButton::Left) {
    Parent.MouseDown(b, 20 + x, 30 + y);
  }
  void MoveTo(int x, int y) { Parent.MouseMove(20 + x, 30 + y); }
  void Release(int x, int y, MouseButton b = MouseButton::Left) {
    Parent.MouseUp(b, 20 + x, 30 + y);
  }
  void Click(int x, int y, MouseButton b = MouseButton::Left) {
    Press(x, y, b);
    Release(x, y, b);
  }

  std::unique_ptr<TVX8Library> Library;
  platform::MemoryHost Host{300, 200};
  TTestForm Parent{Host};
  TVexoButton* Button = nullptr;
  int Clicks = 0;
};

TEST_F(VexoButtonTest, NewButtonIsDisabledByItsOwnFlagOnly) {
  EXPECT_EQ(Button->Bounds(), (TRect{20, 30, 95, 55}));
  EXPECT_EQ(Button->Version, 1);
  EXPECT_EQ(Button->FrameCount(), 3);
  EXPECT_FALSE(Button->Enabled());
  EXPECT_TRUE(Button->WindowEnabled()) << "the window system's state starts enabled";
  int decorations = 0;
  Button->OnDecorate = [&](TVexoButton*) { ++decorations; };
  Button->SetEnabled(false);
  EXPECT_EQ(decorations, 0) << "already disabled: nothing to do";
  EXPECT_TRUE(Button->WindowEnabled());
  Button->SetEnabled(true);
  EXPECT_TRUE(Button->WindowEnabled());
  Button->SetEnabled(false);
  EXPECT_FALSE(Button->WindowEnabled());
}

TEST_F(VexoButtonTest, StripSizesTheButtonToOneFrameKeepingItsPlace) {
  Load("strip");
  EXPECT_EQ(Button->Bounds(), (TRect{20, 30, 176, 58}));
  EXPECT_EQ(Button->FrameRect(1), (TRect{0, 28, 156, 56}));
  ASSERT_NE(Button->FaceData(), nullptr);
  EXPECT_EQ(Button->FaceData()->Width(), 156);
  EXPECT_EQ(Button->FaceData()->Height(), 28);
  EXPECT_EQ(Button->StripNode()->UseCount, 1);

  // A new name gives both entries back before taking the new ones.
  const int loaded = LoadedCount(*Library);
  Button->SetImageName("hollow");
  EXPECT_EQ(Button->Bounds(), (TRect{20, 30, 40, 40}));
  EXPECT_EQ(LoadedCount(*Library), loaded);
  Button->ReleaseImages();
  EXPECT_EQ(LoadedCount(*Library), loaded - 2);
  EXPECT_EQ(Button->FaceData(), nullptr);
}

TEST_F(VexoButtonTest, FramePerState) {
  Load("strip");
  EXPECT_EQ(ShownFrame(), 2) << "disabled";
  Button->SetChecked(true);
  EXPECT_EQ(ShownFrame(), 2) << "disabled whatever Checked is";
  Button->SetEnabled(true);
  EXPECT_EQ(ShownFrame(), 0) << "a plain button ignores Checked";
  Button->Toggles = true;
  Button->UpdateFace();
  EXPECT_EQ(ShownFrame(), 1) << "a checked toggle looks down";

  Button->SetFrameCount(2);
  Button->SetEnabled(false);
  EXPECT_EQ(ShownFrame(), 0) << "two frames: disabled shows the up look";
  Button->SetEnabled(true);
  EXPECT_EQ(ShownFrame(), 1);
  Button->SetFrameCount(1);
  EXPECT_EQ(ShownFrame(), 0) << "one frame shows frame 0 always";
  EXPECT_EQ(Button->Height(), 28) << "the size is not recomputed";

  int decorations = 0;
  Button->OnDecorate = [&](TVexoButton*) { ++decorations; };
  Button->SetFrameCount(0);
  Button->SetFrameCount(4);
  Button->SetFrameCount(1);
  EXPECT_EQ(Button->FrameCount(), 1);
  EXPECT_EQ(decorations, 0);
  Button->SetFrameCount(3);
  EXPECT_EQ(decorations, 1);
}

TEST_F(VexoButtonTest, TransparentFramePixelsLeaveTheFaceAsItWas) {
  Load("hollow");
  Button->SetEnabled(true);  // frame 0 over frame 2
  TVX8ImageData* face = Button->FaceData();
  EXPECT_EQ(SurfacePixel(*face, 15, 5), FrameFill(0));
  EXPECT_EQ(SurfacePixel(*face, 2, 5), 0) << "the blank face shows through";
}

TEST_F(VexoButtonTest, PressDragOffAndReleaseGivesNoClick) {
  Load("strip");
  Button->SetEnabled(true);
  std::vector<int> frames;
  Button->OnDecorate = [&](TVexoButton*) { frames.push_back(ShownFrame()); };

  Press(10, 10);
  MoveTo(10, 60);
  Release(10, 60);
  EXPECT_EQ(frames, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Button->Pressed());

  frames.clear();
  Press(10, 10);
  MoveTo(200, 10);
  MoveTo(150, 20);
  Release(150, 20);
  EXPECT_EQ(frames, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(Clicks, 1);
}

TEST_F(VexoButtonTest, AReleaseClicksWithoutAPressAndALostCaptureEndsAPressWithout) {
  Load("strip");
  Button->SetEnabled(true);
  Button->MouseUp(MouseButton::Left, 10, 10);
  EXPECT_EQ(Clicks, 1);
  Press(10, 10);
  Parent.CaptureLost();
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(ShownFrame(), 0);
  Release(10, 10);
  EXPECT_EQ(Clicks, 1) << "the release of a lost press is nobody's";
}

TEST_F(VexoButtonTest, OnlyTheLeftButtonPresses) {
  Load("strip");
  Button->SetEnabled(true);
  Click(10, 10, MouseButton::Right);
  Click(10, 10, MouseButton::Middle);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(ShownFrame(), 0);
  Click(10, 10);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(VexoButtonTest, ToggleFlipsAndReportsOnThePress) {
  Load("strip");
  Button->SetEnabled(true);
  Button->Toggles = true;
  Press(10, 10);
  EXPECT_TRUE(Button->Checked());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(ShownFrame(), 1);
  Release(10, 10);
  EXPECT_TRUE(Button->Checked());
  EXPECT_EQ(Clicks, 1) << "the release changes nothing";
  Click(10, 10);
  EXPECT_FALSE(Button->Checked());
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(ShownFrame(), 0);
}

TEST_F(VexoButtonTest, DisabledButtonIgnoresTheMouseAndPassesClicksToItsParent) {
  Load("strip");
  // Its own flag is off but the window system's state is on: the button keeps the press.
  Click(10, 10);
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(Parent.Presses, 0);

  Button->SetEnabled(true);
  Button->SetEnabled(false);
  Click(10, 10);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(ShownFrame(), 2);
  EXPECT_EQ(Parent.Presses, 1);
}

TEST_F(VexoButtonTest, PaintShowsTheFaceThroughTheLibraryPalette) {
  Load("strip");
  Button->SetEnabled(true);
  const auto image = Painted(*Button, {0, 0, 156, 28});
  EXPECT_EQ(image.Pixel(0, 0), Shown(*Library, FrameFill(0)));
  EXPECT_EQ(image.Pixel(155, 27), Shown(*Library, FrameFill(0)));
  // Only the paint region is copied.
  const auto part = Painted(*Button, {10, 5, 30, 15});
  EXPECT_EQ(part.Pixel(10, 5), Shown(*Library, FrameFill(0)));
  EXPECT_EQ(part.Pixel(9, 5), Untouched);
  EXPECT_EQ(part.Pixel(30, 5), Untouched);
}

TEST_F(VexoButtonTest, UnknownNameShowsMagentaWithTheComponentName) {
  Load("nosuch");
  EXPECT_EQ(Button->ImageName(), "nosuch");
  EXPECT_EQ(Button->FaceData(), nullptr);
  EXPECT_EQ(Button->Width(), 75);
  const auto image = Painted(*Button, {0, 0, 75, 25});
  int white = 0, magenta = 0;
  TRect ink{75, 25, 0, 0};
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 75; ++x) {
      const uint32_t c = image.Pixel(x, y);
      if (c == 0xFFFF00FFu) ++magenta;
      if (c != 0xFFFFFFFFu) continue;
      ++white;
      ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
             std::max(ink.Bottom, y + 1)};
    }
  EXPECT_EQ(image.Pixel(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(image.Pixel(74, 24), 0xFFFF00FFu);
  EXPECT_GT(magenta, 75 * 25 / 2);
  EXPECT_GT(white, 20) << "the name is written in white";
  EXPECT_EQ(ink.Left, 2);
  EXPECT_EQ(ink.Top, 2);

  // Without any library the placeholder shows as well; a name too long for the button is cut
  // at its edge.
  TVexoButton::SetGlobalImageLibrary(nullptr);
  auto* orphan = Parent.Make<TVexoButton>("orphan with a long name");
  orphan->SetImageName("strip");
  const auto cut = Painted(*orphan, {0, 0, 75, 25});
  EXPECT_EQ(cut.Pixel(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(cut.Pixel(74, 24), 0xFFFF00FFu);
}

TEST_F(VexoButtonTest, ClassLibraryIsTakenLazilyAndKeptByButtonsThatHoldOne) {
  Button->SetImageName("strip");  // the button holds no library yet: the name is only kept
  EXPECT_EQ(Button->FaceData(), nullptr);
  EXPECT_EQ(Button->Width(), 75);
  EXPECT_EQ(Button->GetFaceData(), nullptr) << "the face waits for the library";
  EXPECT_EQ(Button->GetImageLibrary(), Library.get());
  EXPECT_NE(Button->GetFaceData(), nullptr);
  EXPECT_EQ(Button->Width(), 156);

  auto other = OpenTestLibrary();
  TVexoButton::SetGlobalImageLibrary(other.get());
  EXPECT_EQ(Button->GetImageLibrary(), Library.get()) << "a button keeps the library it holds";
  TVexoButton::SetGlobalImageLibrary(other.get());
  EXPECT_EQ(TVexoButton::GlobalImageLibrary(), other.get());
  other.reset();
  EXPECT_EQ(TVexoButton::GlobalImageLibrary(), nullptr) << "the library clears the class variable";
}

TEST_F(VexoButtonTest, LibraryDestroyedBeforeTheButton) {
  Load("strip");
  Button->SetEnabled(true);
  Library.reset();
  EXPECT_EQ(TVexoButton::GlobalImageLibrary(), nullptr);
  EXPECT_EQ(Button->GetImageLibrary(), nullptr);
  EXPECT_EQ(Painted(*Button, {0, 0, 156, 28}).Pixel(0, 0), 0xFFFF00FFu);
  Button->SetChecked(true);  // state changes no longer reach the library

  // A new library is taken up without touching the entries of the old one.
  Library = OpenTestLibrary();
  TVexoButton::SetGlobalImageLibrary(Library.get());
  EXPECT_EQ(Button->GetImageLibrary(), Library.get());
  ASSERT_NE(Button->GetFaceData(), nullptr);
  EXPECT_EQ(Painted(*Button, {0, 0, 156, 28}).Pixel(0, 0), Shown(*Library, FrameFill(0)));
  // The library goes first: the form destroys the button after it.
  Library.reset();
}

}  // namespace
