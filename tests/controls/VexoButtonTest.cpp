#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <vector>

#include "controls/VexoButton.h"
#include "tests/controls/ControlsLibrary.h"

namespace {

using namespace controlstest;

// A window that records the presses that reach it.
class Window : public QWidget {
 public:
  int Presses = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++Presses; }
};

class VexoButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Library = OpenTestLibrary();
    TVexoButton::SetGlobalImageLibrary(Library.get());
    Parent.resize(300, 200);
    Button = new TVexoButton(&Parent);
    Button->setObjectName("cmdStart");
    Button->move(20, 30);
    Button->OnClick = [this](TVexoButton* sender) {
      EXPECT_EQ(sender, Button);
      ++Clicks;
    };
  }
  void TearDown() override {
    delete Button;
    TVexoButton::SetGlobalImageLibrary(nullptr);
  }

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

  void ShowParent() {
    Parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Parent));
  }

  std::unique_ptr<TVX8Library> Library;
  Window Parent;
  TVexoButton* Button = nullptr;
  int Clicks = 0;
};

TEST_F(VexoButtonTest, NewButtonIsDisabledByItsOwnFlagOnly) {
  EXPECT_EQ(Button->size(), QSize(75, 25));
  EXPECT_EQ(Button->Version, 1);
  EXPECT_EQ(Button->FrameCount(), 3);
  EXPECT_FALSE(Button->Enabled());
  EXPECT_TRUE(Button->isEnabled()) << "the widget state starts enabled";
  int decorations = 0;
  Button->OnDecorate = [&](TVexoButton*) { ++decorations; };
  Button->SetEnabled(false);
  EXPECT_EQ(decorations, 0) << "already disabled: nothing to do";
  EXPECT_TRUE(Button->isEnabled());
  Button->SetEnabled(true);
  EXPECT_TRUE(Button->isEnabled());
  Button->SetEnabled(false);
  EXPECT_FALSE(Button->isEnabled());
}

TEST_F(VexoButtonTest, StripSizesTheButtonToOneFrameKeepingItsPlace) {
  Load("strip");
  EXPECT_EQ(Button->geometry(), QRect(20, 30, 156, 28));
  EXPECT_EQ(Button->FrameRect(1), (TRect{0, 28, 156, 56}));
  ASSERT_NE(Button->FaceData(), nullptr);
  EXPECT_EQ(Button->FaceData()->Width(), 156);
  EXPECT_EQ(Button->FaceData()->Height(), 28);
  EXPECT_EQ(Button->StripNode()->UseCount, 1);

  // A new name gives both entries back before taking the new ones.
  const int loaded = LoadedCount(*Library);
  Button->SetImageName("hollow");
  EXPECT_EQ(Button->size(), QSize(20, 10));
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
  EXPECT_EQ(Button->size(), QSize(156, 28)) << "the size is not recomputed";

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
  ShowParent();
  std::vector<int> frames;
  Button->OnDecorate = [&](TVexoButton*) { frames.push_back(ShownFrame()); };

  QTest::mousePress(Button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(Button, QPoint(10, 60));
  QTest::mouseRelease(Button, Qt::LeftButton, {}, QPoint(10, 60));
  EXPECT_EQ(frames, (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Button->Pressed());

  frames.clear();
  QTest::mousePress(Button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(Button, QPoint(200, 10));
  QTest::mouseMove(Button, QPoint(150, 20));
  QTest::mouseRelease(Button, Qt::LeftButton, {}, QPoint(150, 20));
  EXPECT_EQ(frames, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(Clicks, 1);
}

TEST_F(VexoButtonTest, OnlyTheLeftButtonPresses) {
  Load("strip");
  Button->SetEnabled(true);
  ShowParent();
  QTest::mouseClick(Button, Qt::RightButton, {}, QPoint(10, 10));
  QTest::mouseClick(Button, Qt::MiddleButton, {}, QPoint(10, 10));
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(ShownFrame(), 0);
  QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Clicks, 1);
}

TEST_F(VexoButtonTest, ToggleFlipsAndReportsOnThePress) {
  Load("strip");
  Button->SetEnabled(true);
  Button->Toggles = true;
  ShowParent();
  QTest::mousePress(Button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(Button->Checked());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(ShownFrame(), 1);
  QTest::mouseRelease(Button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(Button->Checked());
  EXPECT_EQ(Clicks, 1) << "the release changes nothing";
  QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(Button->Checked());
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(ShownFrame(), 0);
}

TEST_F(VexoButtonTest, DisabledButtonIgnoresTheMouseAndPassesClicksToItsParent) {
  Load("strip");
  ShowParent();
  // Its own flag is off but the widget is still enabled: the button keeps the press.
  QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Button->Pressed());
  EXPECT_EQ(Parent.Presses, 0);

  Button->SetEnabled(true);
  Button->SetEnabled(false);
  QTest::mouseClick(Button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(ShownFrame(), 2);
  EXPECT_EQ(Parent.Presses, 1);
}

TEST_F(VexoButtonTest, PaintShowsTheFaceThroughTheLibraryPalette) {
  Load("strip");
  Button->SetEnabled(true);
  const QImage image = Painted(*Button, Button->rect());
  EXPECT_EQ(image.pixel(0, 0), Shown(*Library, FrameFill(0)));
  EXPECT_EQ(image.pixel(155, 27), Shown(*Library, FrameFill(0)));
  // Only the paint region is copied.
  const QImage part = Painted(*Button, QRect(10, 5, 20, 10));
  EXPECT_EQ(part.pixel(10, 5), Shown(*Library, FrameFill(0)));
  EXPECT_EQ(part.pixel(9, 5), 0xFF123456u);
  EXPECT_EQ(part.pixel(30, 5), 0xFF123456u);
}

TEST_F(VexoButtonTest, UnknownNameShowsMagentaWithTheComponentName) {
  Load("nosuch");
  EXPECT_EQ(Button->ImageName(), "nosuch");
  EXPECT_EQ(Button->FaceData(), nullptr);
  EXPECT_EQ(Button->size(), QSize(75, 25));
  const QImage image = Painted(*Button, Button->rect());
  int white = 0, magenta = 0;
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y) & 0xFFFFFF;
      if (c == 0xFF00FF) ++magenta;
      if (qGreen(c) > 128) ++white, ink |= QRect(x, y, 1, 1);  // anti-aliased white
    }
  EXPECT_EQ(image.pixel(0, 0), 0xFFFF00FFu);
  EXPECT_EQ(image.pixel(74, 24), 0xFFFF00FFu);
  EXPECT_GT(magenta, 75 * 25 / 2);
  EXPECT_GT(white, 20) << "the name is written in white";
  EXPECT_GE(ink.left(), 2);
  EXPECT_GE(ink.top(), 2);
  EXPECT_LT(ink.left(), 5);

  // Without any library the placeholder shows as well.
  TVexoButton::SetGlobalImageLibrary(nullptr);
  TVexoButton orphan(&Parent);
  orphan.setObjectName("orphan");
  orphan.SetImageName("strip");
  EXPECT_EQ(Painted(orphan, orphan.rect()).pixel(0, 0), 0xFFFF00FFu);
}

TEST_F(VexoButtonTest, ClassLibraryIsTakenLazilyAndKeptByButtonsThatHoldOne) {
  Button->SetImageName("strip");  // the button holds no library yet: the name is only kept
  EXPECT_EQ(Button->FaceData(), nullptr);
  EXPECT_EQ(Button->size(), QSize(75, 25));
  EXPECT_EQ(Button->GetFaceData(), nullptr) << "the face waits for the library";
  EXPECT_EQ(Button->GetImageLibrary(), Library.get());
  EXPECT_NE(Button->GetFaceData(), nullptr);
  EXPECT_EQ(Button->size(), QSize(156, 28));

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
  EXPECT_EQ(Painted(*Button, Button->rect()).pixel(0, 0), 0xFFFF00FFu);
  Button->SetChecked(true);  // state changes no longer reach the library

  // A new library is taken up without touching the entries of the old one.
  Library = OpenTestLibrary();
  TVexoButton::SetGlobalImageLibrary(Library.get());
  EXPECT_EQ(Button->GetImageLibrary(), Library.get());
  ASSERT_NE(Button->GetFaceData(), nullptr);
  EXPECT_EQ(Painted(*Button, Button->rect()).pixel(0, 0), Shown(*Library, FrameFill(0)));
  Library.reset();
  // TearDown destroys the button after its library.
}

}  // namespace
