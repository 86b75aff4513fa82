// Showing pictures on a device: ShowSurface's damage and palette handling, and the two
// captions composed over the background and painted after it.
#include <gtest/gtest.h>

#include "game/SurfaceDisplay.h"
#include "platform/MemoryDevice.h"
#include "tests/render/RenderRig.h"
#include "tests/support/RecordingDevice.h"

namespace {

using namespace rendertest;

constexpr uint32_t Untouched = 0xFF123456u;

uint8_t Gradient(int x, int y) {
  return uint8_t(7 * x + 13 * y);
}

TEST(ShowSurface, CopiesTheClipBoxAndEveryRecordedChangeThroughTheLibraryPalette) {
  TRenderRig rig;
  TVX8ImageData& board = *rig.Pictures.BoardData;
  FillWith(board, Gradient);
  board.FillRect({120, 130, 140, 135}, 50);

  vx8test::RecordingDevice device(208, 208, Untouched);
  platform::LogicalPalette other;
  device.SelectPalette(&other, false);
  device.SetClipBox({0, 0, 100, 100});
  ShowSurface(&rig.Library, &device, &board);

  const platform::LogicalPalette& palette = *rig.Library.GetHPal();
  for (int y = 0; y < 208; y += 3) {
    for (int x = 0; x < 208; x += 3) {
      const uint32_t expected = x < 100 && y < 100 ? palette.Rgb32(Gradient(x, y)) : Untouched;
      ASSERT_EQ(device.Pixel(x, y), expected) << x << "," << y;
    }
  }
  // The change outside the clip box was copied too (and cut away by the device).
  bool changeCopied = false;
  for (const auto& copy : device.Copies)
    changeCopied |= copy.XDest == 120 && copy.YDest <= 130 && copy.Width == 20;
  EXPECT_TRUE(changeCopied);
  EXPECT_EQ(device.SelectedPalette(), &other);
  EXPECT_EQ(board.DamageList().First, nullptr);

  // Nothing recorded and an empty clip box: nothing to copy.
  device.Copies.clear();
  device.SetClipBox({});
  ShowSurface(&rig.Library, &device, &board);
  for (const auto& copy : device.Copies) EXPECT_EQ(copy.Lines, 0);
  ShowSurface(&rig.Library, nullptr, &board);
  ShowSurface(&rig.Library, &device, nullptr);
  ShowSurface(nullptr, &device, &board);
}

size_t UnnamedEntries(const TVX8Library& library) {
  size_t n = 0;
  for (auto* node = library.LoadedImages().First; node; node = library.LoadedImages().Next(node))
    n += static_cast<const TImageNode*>(node)->Name.empty() ? 1 : 0;
  return n;
}

TEST(Captions, AreComposedOnTheBackgroundBeneathThemAndPaintedAtTheirPlaces) {
  TRenderRig rig;
  TCaptions captions(rig.Library, rig.Background());
  platform::MemoryDevice device(517, 403, Untouched);
  platform::LogicalPalette other;
  device.SelectPalette(&other, false);
  captions.BGAfterPaint(device, {0, 0, 517, 403});

  EXPECT_EQ(captions.TitleRect, (TRect{71, 9, 111, 25}));
  EXPECT_EQ(captions.SizeLabelRect, (TRect{87, 329, 117, 341}));
  EXPECT_EQ(rig.BackgroundOrigins, (std::vector<TPoint>{{71, 9}, {87, 329}}));
  const platform::LogicalPalette& palette = *rig.Library.GetHPal();
  // The picture where it is opaque, the background under its transparent border.
  EXPECT_EQ(device.Pixel(71 + 5, 9 + 5), palette.Rgb32(TitleValue));
  EXPECT_EQ(device.Pixel(71 + 1, 9 + 1), palette.Rgb32(BackgroundValue(72, 10)));
  EXPECT_EQ(device.Pixel(110, 24), palette.Rgb32(BackgroundValue(110, 24)));
  EXPECT_EQ(device.Pixel(87 + 29, 329 + 6), palette.Rgb32(BackgroundValue(87 + 29, 329 + 6)));
  EXPECT_EQ(device.Pixel(87 + 10, 329 + 6), palette.Rgb32(SizeLabelValue));
  EXPECT_EQ(device.Pixel(111, 9), Untouched);
  EXPECT_EQ(device.Pixel(70, 9), Untouched);
  EXPECT_EQ(device.SelectedPalette(), &other);

  // The pictures themselves were given back; the two composites stay for the next paints.
  EXPECT_EQ(rig.Library.LoadedImages().FindImage("zelto"), nullptr);
  EXPECT_EQ(rig.Library.LoadedImages().FindImage("colrow"), nullptr);
  EXPECT_EQ(UnnamedEntries(rig.Library), 2u);
  captions.BGAfterPaint(device, {0, 0, 10, 10});
  EXPECT_EQ(rig.BackgroundOrigins.size(), 2u);

  // After the layout moved, the next paint makes them again at the new places.
  captions.ReleaseComposites();
  EXPECT_EQ(UnnamedEntries(rig.Library), 0u);
  captions.TitlePos = {81, 19};
  captions.BGAfterPaint(device, {0, 0, 517, 403});
  EXPECT_EQ(captions.TitleRect, (TRect{81, 19, 121, 35}));
  EXPECT_EQ(device.Pixel(81 + 1, 19 + 1), palette.Rgb32(BackgroundValue(82, 20)));
  EXPECT_EQ(device.Pixel(81 + 5, 19 + 5), palette.Rgb32(TitleValue));
  EXPECT_EQ(UnnamedEntries(rig.Library), 2u);
}

TEST(Captions, AMissingPictureLeavesOnlyThatCaptionOut) {
  TRenderRig rig("zelto");
  TCaptions captions(rig.Library, rig.Background());
  EXPECT_FALSE(captions.MakeComposite("zelto", captions.TitlePos).has_value());
  platform::MemoryDevice device(517, 403, Untouched);
  captions.BGAfterPaint(device, {0, 0, 517, 403});
  EXPECT_TRUE(captions.TitleRect.IsEmpty());
  EXPECT_EQ(captions.Title.Node, nullptr);
  EXPECT_EQ(device.Pixel(71 + 5, 9 + 5), Untouched);
  EXPECT_EQ(device.Pixel(87 + 10, 329 + 6), rig.Library.GetHPal()->Rgb32(SizeLabelValue));
  EXPECT_EQ(UnnamedEntries(rig.Library), 1u);
}

}  // namespace
