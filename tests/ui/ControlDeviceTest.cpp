// A control's device: its co-ordinates and everything cut to its area, on a form's device whose
// own clip may be larger or made of several rectangles.
#include <gtest/gtest.h>

#include <vector>

#include "platform/MemoryDevice.h"
#include "ui/ControlDevice.h"

namespace {

constexpr uint32_t Black = 0xFF000000u;
constexpr uint32_t Red = 0xFFFF0000u;

// A 4 × 4 block of index 1, stored bottom-up, shown red.
struct Block {
  std::vector<uint8_t> Bits = std::vector<uint8_t>(16, 1);
  platform::BitmapInfo Info = platform::BitmapInfo::Identity();
  platform::LogicalPalette Palette;
  Block() {
    Info.Header.Width = 4;
    Info.Header.Height = 4;
    Palette.Entries[1] = {255, 0, 0, 0};
  }
};

// Which pixels of the device are red, as rows of '#' and '.'.
std::vector<std::string> Ink(const platform::MemoryDevice& d) {
  std::vector<std::string> rows;
  for (int y = 0; y < d.Height(); ++y) {
    std::string row;
    for (int x = 0; x < d.Width(); ++x) row += d.Pixel(x, y) == Red ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(ControlDevice, MovesTheOriginAndCutsEverythingToTheControl) {
  platform::MemoryDevice form(8, 6);
  ui::TControlDevice control(form, {2, 1, 6, 4});  // 4 × 3 at (2, 1)
  EXPECT_EQ(control.ClipBox(), (TRect{0, 0, 4, 3}));
  Block b;
  control.SelectPalette(&b.Palette, false);
  EXPECT_EQ(form.SelectedPalette(), &b.Palette);
  // A block from (-1, 1) in the control's co-ordinates: only its part inside the control lands.
  EXPECT_EQ(control.StretchDIBits(-1, 1, 4, 4, 0, 0, 4, 4, b.Bits.data(), b.Info,
                                  platform::RasterOp::SrcCopy),
            2);
  EXPECT_EQ(Ink(form), (std::vector<std::string>{"........", "........", "..###...", "..###...",
                                                 "........", "........"}));
  control.FillRect({3, -5, 10, 1}, 0xFF0000);
  EXPECT_EQ(Ink(form)[1], ".....#..");
  EXPECT_EQ(form.Pixel(5, 0), Black);
}

TEST(ControlDevice, TakesTheFormsClipAndRegion) {
  platform::MemoryDevice form(8, 2);
  form.SetClipRegion({{0, 0, 3, 2}, {5, 0, 8, 2}});
  EXPECT_EQ(form.ClipBox(), (TRect{0, 0, 8, 2}));
  ui::TControlDevice control(form, {1, 0, 7, 2});
  EXPECT_EQ(control.ClipBox(), (TRect{0, 0, 6, 2}));
  control.FillRect({0, 0, 6, 2}, 0xFF0000);
  EXPECT_EQ(Ink(form), (std::vector<std::string>{".##..##.", ".##..##."}));

  // Text is cut to the control and to what the caller allows.
  platform::MemoryDevice wide(40, 10);
  ui::TControlDevice narrow(wide, {5, 0, 12, 10});
  narrow.TextOut(0, 0, "MMMMMM", 0xFF0000, {0, 0, 100, 100});
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(wide.Pixel(4, y), Black);
    EXPECT_EQ(wide.Pixel(12, y), Black);
  }
  EXPECT_EQ(wide.Pixel(5, 2), Red) << "the M's left stroke";
}

TEST(Geometry, SubtractingAHoleLeavesTheRestInUpToFourParts) {
  std::vector<TRect> parts;
  SubtractRect({0, 0, 10, 10}, {3, 4, 6, 7}, parts);
  ASSERT_EQ(parts.size(), 4u);
  int area = 0;
  for (const TRect& p : parts) area += p.Width() * p.Height();
  EXPECT_EQ(area, 100 - 9);
  for (const TRect& p : parts) EXPECT_TRUE(Intersection(p, {3, 4, 6, 7}).IsEmpty());
  parts.clear();
  SubtractRect({0, 0, 10, 10}, {-5, -5, 20, 20}, parts);
  EXPECT_TRUE(parts.empty());
  SubtractRect({0, 0, 10, 10}, {20, 20, 30, 30}, parts);
  EXPECT_EQ(parts, (std::vector<TRect>{{0, 0, 10, 10}}));
  EXPECT_EQ(BoundingRect({{5, 5, 6, 6}, {}, {1, 2, 3, 4}}), (TRect{1, 2, 6, 6}));
}

}  // namespace
