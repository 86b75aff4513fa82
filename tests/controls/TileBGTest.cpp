#include <gtest/gtest.h>

#include <memory>

#include "controls/TileBG.h"
#include "tests/controls/ControlsLibrary.h"

namespace {

using namespace controlstest;

class TileBGTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Library = OpenTestLibrary();
    Host.SetClient(&Parent);
    BG = Parent.Make<TTileBG>("BG");
    BG->SetImageName("tile");
  }
  void TearDown() override { TTileBG::SetGlobalImageLibrary(nullptr); }

  TRect Whole() const { return {0, 0, BG->Width(), BG->Height()}; }

  // Whether every pixel of `rect` in `image` shows the background grid anchored at (0, 0).
  ::testing::AssertionResult ShowsGrid(const platform::MemoryDevice& image, TRect rect) {
    for (int y = rect.Top; y < rect.Bottom; ++y)
      for (int x = rect.Left; x < rect.Right; ++x)
        if (image.Pixel(x, y) != Shown(*Library, TileIndex(x % 32, y % 32)))
          return ::testing::AssertionFailure() << "pixel " << x << "," << y;
    return ::testing::AssertionSuccess();
  }

  static bool IsHatch(const platform::MemoryDevice& image) {
    int black = 0, white = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) {
        const uint32_t c = image.Pixel(x, y) & 0xFFFFFF;
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
  platform::MemoryHost Host{200, 120};
  TTestForm Parent{Host};
  TTileBG* BG = nullptr;
};

TEST_F(TileBGTest, CoversItsFormAndLetsTheMouseThrough) {
  EXPECT_EQ(BG->Bounds(), (TRect{0, 0, 200, 120}));
  EXPECT_FALSE(BG->WindowEnabled());
  EXPECT_EQ(Parent.ControlAt({40, 50}), nullptr);
  Parent.MouseDown(platform::MouseButton::Left, 40, 50);
  Parent.MouseUp(platform::MouseButton::Left, 40, 50);
  EXPECT_EQ(Parent.Presses, 1);
  Host.Resize(250, 90);
  BG->FillForm();
  EXPECT_EQ(BG->Bounds(), (TRect{0, 0, 250, 90}));
}

TEST_F(TileBGTest, NameBeforeAnyLibraryIsKeptAndTheFirstPaintLoadsTheTile) {
  EXPECT_EQ(BG->ImageName(), "tile");
  EXPECT_EQ(BG->TileNode(), nullptr);
  EXPECT_TRUE(IsHatch(Painted(*BG, Whole())));

  TTileBG::SetGlobalImageLibrary(Library.get());
  EXPECT_EQ(BG->TileNode(), nullptr) << "installing the class library loads nothing yet";
  const auto image = Painted(*BG, Whole());
  EXPECT_TRUE(ShowsGrid(image, Whole()));
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
  const TRect clip{40, 10, 100, 50};
  const auto image = Painted(*BG, clip);
  EXPECT_EQ(seenClip, clip);
  EXPECT_TRUE(paletteSelected);
  EXPECT_TRUE(ShowsGrid(image, clip));
  EXPECT_EQ(image.Pixel(39, 10), Untouched) << "nothing outside the clip";
  EXPECT_EQ(image.Pixel(100, 49), Untouched);
  EXPECT_EQ(image.Pixel(40, 50), Untouched);
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
  Painted(*BG, Whole());
  TImageNode* tile = BG->TileNode();
  ASSERT_NE(tile, nullptr);
  const int loaded = LoadedCount(*Library);
  BG->SetImageName("nosuch");
  EXPECT_EQ(BG->TileNode(), nullptr);
  EXPECT_EQ(LoadedCount(*Library), loaded - 1) << "the old tile was given back";
  EXPECT_TRUE(IsHatch(Painted(*BG, Whole())));

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
  Painted(*BG, Whole());
  ASSERT_NE(BG->TileNode(), nullptr);
  Library.reset();
  EXPECT_EQ(TTileBG::GlobalImageLibrary(), nullptr);
  EXPECT_TRUE(IsHatch(Painted(*BG, Whole())));

  Library = OpenTestLibrary();
  TTileBG::SetGlobalImageLibrary(Library.get());
  EXPECT_TRUE(ShowsGrid(Painted(*BG, Whole()), Whole()));
  // The library goes first: the form destroys the control after it.
  Library.reset();
}

}  // namespace
