#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "foundation/CheckedSize.h"
#include "platform/MemoryDevice.h"

namespace {

using platform::BitmapInfo;
using platform::LogicalPalette;
using platform::MemoryDevice;
using platform::RasterOp;

// A palette where index i is the colour (i, 2i, 255 - i), so each index is recognisable.
LogicalPalette Ramp() {
  LogicalPalette p;
  for (int i = 0; i < 256; ++i) p.Entries[i] = {uint8_t(i), uint8_t(2 * i), uint8_t(255 - i), 0};
  return p;
}

// A 3 x 2 block, bottom-up: stored row 0 (the bottom line) is 1 2 3, row 1 is 4 5 6.
struct Block {
  std::vector<uint8_t> Bits{1, 2, 3, 0, 4, 5, 6, 0};
  BitmapInfo Info = BitmapInfo::Identity();
  Block() {
    Info.Header.Width = 3;
    Info.Header.Height = 2;
  }
};

TEST(MemoryDevice, CopiesBottomUpBlocksThroughThePalette) {
  const LogicalPalette ramp = Ramp();
  MemoryDevice dev(5, 4);
  EXPECT_EQ(dev.SelectPalette(&ramp, false), nullptr);
  EXPECT_EQ(dev.SelectedPalette(), &ramp);
  Block b;
  EXPECT_EQ(dev.StretchDIBits(1, 1, 3, 2, 0, 0, 3, 2, b.Bits.data(), b.Info, RasterOp::SrcCopy), 2);
  EXPECT_EQ(dev.Pixel(1, 1), ramp.Rgb32(4));  // top line of the block is stored row 1
  EXPECT_EQ(dev.Pixel(3, 2), ramp.Rgb32(3));
  EXPECT_EQ(dev.Pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(dev.Pixel(4, 3), 0xFF000000u);

  // The colour table stands between pixel and palette.
  b.Info.Colors[5] = 200;
  dev.StretchDIBits(0, 0, 1, 1, 1, 1, 1, 1, b.Bits.data(), b.Info, RasterOp::SrcCopy);
  EXPECT_EQ(dev.Pixel(0, 0), ramp.Rgb32(200));
  EXPECT_EQ(dev.RealizePalette(), 0);
}

// Puts palette index `index` at (0, 0) with `op`.
void PutOnePixel(MemoryDevice& dev, uint8_t index, RasterOp op) {
  const std::vector<uint8_t> bits{index, 0, 0, 0};  // one row, padded to four bytes
  BitmapInfo info = BitmapInfo::Identity();
  info.Header.Width = 1;
  info.Header.Height = 1;
  dev.StretchDIBits(0, 0, 1, 1, 0, 0, 1, 1, bits.data(), info, op);
}

TEST(MemoryDevice, RasterOperationsWorkPerChannel) {
  LogicalPalette p;
  p.Entries[1] = {0xF0, 0x0F, 0xAA, 0};
  MemoryDevice dev(1, 1, 0xFF3C3C3Cu);
  dev.SelectPalette(&p, false);
  PutOnePixel(dev, 1, RasterOp::SrcAnd);
  EXPECT_EQ(dev.Pixel(0, 0), 0xFF300C28u);
  PutOnePixel(dev, 1, RasterOp::SrcPaint);
  EXPECT_EQ(dev.Pixel(0, 0), 0xFFF00FAAu);
}

// What the browser's canvas takes: the same painting, each pixel as red, green, blue, alpha.
TEST(MemoryDevice, KeptInTheCanvasOrderEveryPaintingGivesTheSameColours) {
  const LogicalPalette ramp = Ramp();
  MemoryDevice argb(4, 3, 0xFF102030u);
  MemoryDevice canvas(4, 3, 0xFF102030u, platform::PixelOrder::CanvasRgba);
  for (MemoryDevice* dev : {&argb, &canvas}) {
    dev->SelectPalette(&ramp, false);
    Block b;
    dev->StretchDIBits(0, 0, 3, 2, 0, 0, 3, 2, b.Bits.data(), b.Info, RasterOp::SrcCopy);
    PutOnePixel(*dev, 9, RasterOp::SrcAnd);
    dev->FillRect({3, 0, 4, 3}, 0xA0B0C0);
    dev->SetPixel(0, 2, 0x80123456u);
  }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      const uint32_t c = argb.Pixel(x, y);
      const uint8_t bytes[4] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), uint8_t(c >> 24)};
      const uint32_t kept = canvas.Pixel(x, y);
      EXPECT_EQ(std::memcmp(&kept, bytes, 4), 0) << x << "," << y;
    }
}

TEST(MemoryDevice, ClipsToItsClipBoxAndRefusesBadBlocks) {
  const LogicalPalette ramp = Ramp();
  MemoryDevice dev(4, 4);
  dev.SelectPalette(&ramp, false);
  dev.SetClipBox({2, 0, 10, 2});
  EXPECT_EQ(dev.ClipBox(), (TRect{2, 0, 4, 2}));
  Block b;
  // Lands at (1, 1)-(4, 3); only (2..3, 1) is inside the clip box: one line.
  EXPECT_EQ(dev.StretchDIBits(1, 1, 3, 2, 0, 0, 3, 2, b.Bits.data(), b.Info, RasterOp::SrcCopy), 1);
  EXPECT_EQ(dev.Pixel(2, 1), ramp.Rgb32(5));
  EXPECT_EQ(dev.Pixel(3, 1), ramp.Rgb32(6));
  EXPECT_EQ(dev.Pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(dev.Pixel(2, 2), 0xFF000000u);

  dev.SetClipBox({0, 0, 4, 4});
  // Unequal sizes, blocks outside the array and blocks off the device copy nothing.
  EXPECT_EQ(dev.StretchDIBits(0, 0, 2, 2, 0, 0, 3, 2, b.Bits.data(), b.Info, RasterOp::SrcCopy), 0);
  EXPECT_EQ(dev.StretchDIBits(0, 0, 3, 2, 1, 0, 3, 2, b.Bits.data(), b.Info, RasterOp::SrcCopy), 0);
  EXPECT_EQ(dev.StretchDIBits(0, 0, 3, 3, 0, 0, 3, 3, b.Bits.data(), b.Info, RasterOp::SrcCopy), 0);
  EXPECT_EQ(dev.StretchDIBits(-5, 0, 3, 2, 0, 0, 3, 2, b.Bits.data(), b.Info, RasterOp::SrcCopy),
            0);
  EXPECT_EQ(dev.Pixel(0, 0), 0xFF000000u);
}

TEST(MemoryDevice, WithoutPaletteIndicesShowAsGrey) {
  MemoryDevice dev(1, 1);
  PutOnePixel(dev, 9, RasterOp::SrcCopy);
  EXPECT_EQ(dev.Pixel(0, 0), 0xFF090909u);
}

}  // namespace

// A size whose buffer would wrap a 32-bit size_t (65536 x 65536 x 4 bytes is 2^34) or pass the
// cap is refused, on every target, before anything is allocated.
TEST(MemoryDevice, SizesPastTheCapAreRefusedNotWrapped) {
  EXPECT_EQ(foundation::CheckedBufferBytes(16384, 16384, 4, "x"), size_t(1) << 30);
  EXPECT_EQ(foundation::CheckedBufferBytes(0, 1 << 30, 4, "x"), 0u);
  for (const auto& [w, h, item] : std::vector<std::tuple<int64_t, int64_t, int64_t>>{
           {65536, 65536, 4}, {16384, 16385, 4}, {-1, 1, 1}, {int64_t(1) << 40, 1, 0}})
    EXPECT_THROW(foundation::CheckedBufferBytes(w, h, item, "x"), std::length_error) << w;
  try {
    platform::MemoryDevice device(65536, 65536);
    ADD_FAILURE() << "made " << device.Pixels().size() << " pixels";
  } catch (const std::length_error& e) {
    EXPECT_STREQ(e.what(), "MemoryDevice: 65536 x 65536 is too large (at most 1073741824 bytes)");
  }
}
