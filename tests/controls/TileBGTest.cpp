#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <memory>

#include "controls/VX8Tile.h"
#include "tests/controls/ControlsLibrary.h"

namespace {

using namespace controlstest;

class Window : public QWidget {
 public:
  QPoint LastPress{-1, -1};

 protected:
  void mousePressEvent(QMouseEvent* event) override { LastPress = event->position().toPoint(); }
};

class TileBGTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Library = OpenTestLibrary();
    Parent.resize(200, 120);
    BG = new TTileBG(&Parent);
    BG->SetImageName("tile");
  }
  void TearDown() override {
    delete BG;
    TTileBG::SetGlobalImageLibrary(nullptr);
  }

  // Whether every pixel of `rect` in `image` shows the background grid anchored at (0, 0).
  ::testing::AssertionResult ShowsGrid(const QImage& image, QRect rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      for (int x = rect.left(); x <= rect.right(); ++x)
        if (image.pixel(x, y) != Shown(*Library, TileIndex(x % 32, y % 32)))
          return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    return ::testing::AssertionSuccess();
  }

  static bool IsHatch(const QImage& image) {
    int black = 0, white = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y) & 0xFFFFFF;
        if (c == 0)
          ++black;
        else if (c == 0xFFFFFF)
          ++white;
        else
          return false;
      }
    return black > 0 && white > black;
  }

  std::unique_ptr<TVX8Library> Library;
  Window Parent;
  TTileBG* BG = nullptr;
};

TEST_F(TileBGTest, CoversItsParentAndLetsTheMouseThrough) {
  EXPECT_EQ(BG->geometry(), Parent.rect());
  Parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Parent));
  Parent.resize(250, 90);
  EXPECT_EQ(BG->geometry(), QRect(0, 0, 250, 90));
  EXPECT_TRUE(BG->testAttribute(Qt::WA_OpaquePaintEvent));
  QTest::mouseClick(&Parent, Qt::LeftButton, {}, QPoint(40, 50));
  EXPECT_EQ(Parent.LastPress, QPoint(40, 50));
  EXPECT_EQ(Parent.childAt(40, 50), nullptr);
}

TEST_F(TileBGTest, NameBeforeAnyLibraryIsKeptAndTheFirstPaintLoadsTheTile) {
  EXPECT_EQ(BG->ImageName(), "tile");
  EXPECT_EQ(BG->TileNode(), nullptr);
  EXPECT_TRUE(IsHatch(Painted(*BG, BG->rect())));

  TTileBG::SetGlobalImageLibrary(Library.get());
  EXPECT_EQ(BG->TileNode(), nullptr) << "installing the class library loads nothing yet";
  const QImage image = Painted(*BG, BG->rect());
  EXPECT_TRUE(ShowsGrid(image, BG->rect()));
  ASSERT_NE(BG->TileNode(), nullptr);
  EXPECT_EQ(BG->TileNode()->UseCount, 1);
}

TEST_F(TileBGTest, PaintCoversTheClipWithTheGridAndCallsAfterPaint) {
  TTileBG::SetGlobalImageLibrary(Library.get());
  TRect seenClip;
  bool paletteSelected = false;
  BG->OnAfterPaint = [&](platform::Device& canvas, const TRect& clip) {
    seenClip = clip;
    paletteSelected = canvas.SelectedPalette() == Library->GetHPal();
  };
  const QRect clip(40, 10, 60, 40);  // (40, 10, 100, 50)
  const QImage image = Painted(*BG, clip);
  EXPECT_EQ(seenClip, (TRect{40, 10, 100, 50}));
  EXPECT_TRUE(paletteSelected);
  EXPECT_TRUE(ShowsGrid(image, clip));
  EXPECT_EQ(image.pixel(39, 10), 0xFF123456u) << "nothing outside the clip";
  EXPECT_EQ(image.pixel(100, 49), 0xFF123456u);
  EXPECT_EQ(image.pixel(40, 50), 0xFF123456u);
}

TEST_F(TileBGTest, PaintToGivesASurfaceTheGridBeneathIt) {
  TTileBG::SetGlobalImageLibrary(Library.get());
  TImageNode* node = Library->AddBlankImage("_btn_", 156, 28);
  TVX8ImageData& surface = *Library->GetImageData(node);
  auto showsGridAt = [&](TPoint origin) {
    for (int y = 0; y < surface.Height(); ++y)
      for (int x = 0; x < surface.Width(); ++x) {
        const int bx = ((x + origin.X) % 32 + 32) % 32, by = ((y + origin.Y) % 32 + 32) % 32;
        if (SurfacePixel(surface, x, y) != TileIndex(bx, by)) return false;
      }
    return true;
  };
  for (const TPoint origin : {TPoint{299, 329}, TPoint{64, 0}, TPoint{0, 0}, TPoint{-5, -3}}) {
    surface.FillRect(surface.GetBounds(), 1);
    BG->PaintTo(surface, origin);
    EXPECT_TRUE(showsGridAt(origin)) << origin.X << "," << origin.Y;
  }
  Library->ReleaseImage(node);
}

TEST_F(TileBGTest, PaintToSkipsTheTilesTransparentColour) {
  TTileBG::SetGlobalImageLibrary(Library.get());
  BG->SetImageName("sieve");
  TImageNode* node = Library->AddBlankImage("_cap_", 40, 8);
  TVX8ImageData& surface = *Library->GetImageData(node);
  surface.FillRect(surface.GetBounds(), 5);
  BG->PaintTo(surface, {3, 0});
  // Background column x + 3 is odd (transparent in the tile) for even x.
  EXPECT_EQ(SurfacePixel(surface, 0, 0), 5);
  EXPECT_EQ(SurfacePixel(surface, 1, 0), TileIndex(4, 0));
  EXPECT_EQ(SurfacePixel(surface, 38, 7), 5);
  Library->ReleaseImage(node);
}

TEST_F(TileBGTest, WithoutATileThereIsTheHatchAndPaintToDoesNothing) {
  TTileBG::SetGlobalImageLibrary(Library.get());
  Painted(*BG, BG->rect());
  TImageNode* tile = BG->TileNode();
  ASSERT_NE(tile, nullptr);
  const int loaded = LoadedCount(*Library);
  BG->SetImageName("nosuch");
  EXPECT_EQ(BG->TileNode(), nullptr);
  EXPECT_EQ(LoadedCount(*Library), loaded - 1) << "the old tile was given back";
  EXPECT_TRUE(IsHatch(Painted(*BG, BG->rect())));

  TImageNode* node = Library->AddBlankImage("_cap_", 8, 8);
  TVX8ImageData& surface = *Library->GetImageData(node);
  surface.FillRect(surface.GetBounds(), 9);
  BG->PaintTo(surface, {0, 0});
  EXPECT_EQ(SurfacePixel(surface, 0, 0), 9);
  Library->ReleaseImage(node);
}

TEST_F(TileBGTest, ClassLibraryRegistration) {
  TTileBG::SetGlobalImageLibrary(Library.get());
  TTileBG::SetGlobalImageLibrary(Library.get());
  EXPECT_EQ(TTileBG::GlobalImageLibrary(), Library.get());
  TTileBG::SetGlobalImageLibrary(nullptr);
  EXPECT_EQ(TTileBG::GlobalImageLibrary(), nullptr);
  // Unregistered: destroying the library does not reach the cleared variable, and a control
  // that took the library before keeps it.
  TTileBG::SetGlobalImageLibrary(Library.get());
  EXPECT_EQ(BG->GetImageLibrary(), Library.get());
  auto other = OpenTestLibrary();
  TTileBG::SetGlobalImageLibrary(other.get());
  EXPECT_EQ(BG->GetImageLibrary(), Library.get());
  other.reset();
  EXPECT_EQ(TTileBG::GlobalImageLibrary(), nullptr);
}

TEST_F(TileBGTest, LibraryDestroyedBeforeTheControl) {
  TTileBG::SetGlobalImageLibrary(Library.get());
  Painted(*BG, BG->rect());
  ASSERT_NE(BG->TileNode(), nullptr);
  Library.reset();
  EXPECT_EQ(TTileBG::GlobalImageLibrary(), nullptr);
  EXPECT_TRUE(IsHatch(Painted(*BG, BG->rect())));

  Library = OpenTestLibrary();
  TTileBG::SetGlobalImageLibrary(Library.get());
  EXPECT_TRUE(ShowsGrid(Painted(*BG, BG->rect()), BG->rect()));
  Library.reset();
  // TearDown destroys the control after its library.
}

}  // namespace
