#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "platform/qt/WidgetDevice.h"

namespace {

using platform::BitmapInfo;
using platform::LogicalPalette;
using platform::RasterOp;
using platform::WidgetDevice;

// A bottom-up 8-bit array of the given size whose pixel (x, yTopDown) is `value(x, y)`.
struct Dib {
  BitmapInfo Info = BitmapInfo::Identity();
  std::vector<uint8_t> Bits;

  template <typename F>
  Dib(int w, int h, F value) {
    Info.Header.Width = w;
    Info.Header.Height = h;
    const int line = (w + 3) & ~3;
    Bits.assign(size_t(line) * h, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) Bits[size_t(h - 1 - y) * line + x] = value(x, y);
  }
};

// Index i shows as (i, 255 - i, i / 2), so every index has its own colour.
LogicalPalette Ramp() {
  LogicalPalette p;
  for (int i = 0; i < 256; ++i) p.Entries[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0};
  return p;
}

QImage Canvas(int w, int h, QRgb fill) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

class WidgetDeviceTest : public ::testing::Test {
 protected:
  LogicalPalette Palette = Ramp();
};

TEST_F(WidgetDeviceTest, ClipBoxIsTheRegionsBoundingBox) {
  QImage img = Canvas(50, 50, 0);
  QPainter painter(&img);
  QRegion region(QRect(5, 6, 10, 4));
  region += QRect(20, 30, 3, 3);
  WidgetDevice device(painter, region);
  EXPECT_EQ(device.ClipBox(), (TRect{5, 6, 23, 33}));
  WidgetDevice empty(painter, QRegion());
  EXPECT_TRUE(empty.ClipBox().IsEmpty());
}

TEST_F(WidgetDeviceTest, PaletteSelectionAndRealisationAreRecorded) {
  QImage img = Canvas(4, 4, 0);
  QPainter painter(&img);
  WidgetDevice device(painter, img.rect());
  LogicalPalette other;
  EXPECT_EQ(device.SelectPalette(&Palette, false), nullptr);
  EXPECT_FALSE(device.SelectedAsBackground());
  EXPECT_EQ(device.SelectPalette(&other, true), &Palette);
  EXPECT_EQ(device.SelectedPalette(), &other);
  EXPECT_TRUE(device.SelectedAsBackground());
  EXPECT_EQ(device.RealizePalette(), 0);
}

TEST_F(WidgetDeviceTest, CopyMapsThroughColourTableAndPalette) {
  Dib dib(5, 3, [](int x, int y) { return uint8_t(10 * y + x + 1); });
  for (int i = 0; i < 256; ++i) dib.Info.Colors[i] = uint16_t(255 - i);  // table reverses
  QImage img = Canvas(10, 10, qRgb(1, 2, 3));
  {
    QPainter painter(&img);
    WidgetDevice device(painter, img.rect());
    device.SelectPalette(&Palette, false);
    EXPECT_EQ(
        device.StretchDIBits(2, 4, 5, 3, 0, 0, 5, 3, dib.Bits.data(), dib.Info, RasterOp::SrcCopy),
        3);
  }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(img.pixel(2 + x, 4 + y), Palette.Rgb32(uint8_t(255 - (10 * y + x + 1))))
          << x << "," << y;
  EXPECT_EQ(img.pixel(1, 4), qRgb(1, 2, 3));
  EXPECT_EQ(img.pixel(7, 4), qRgb(1, 2, 3));
  EXPECT_EQ(img.pixel(2, 7), qRgb(1, 2, 3));
}

TEST_F(WidgetDeviceTest, SourceOriginCountsLinesFromTheBottom) {
  Dib dib(6, 6, [](int x, int y) { return uint8_t(16 * y + x); });
  QImage img = Canvas(4, 4, 0);
  {
    QPainter painter(&img);
    WidgetDevice device(painter, img.rect());
    device.SelectPalette(&Palette, false);
    // The 2 x 2 block whose lower-left pixel is bottom-up (3, 1): top-down rows 3 and 4.
    device.StretchDIBits(0, 0, 2, 2, 3, 1, 2, 2, dib.Bits.data(), dib.Info, RasterOp::SrcCopy);
  }
  EXPECT_EQ(img.pixel(0, 0), Palette.Rgb32(16 * 3 + 3));
  EXPECT_EQ(img.pixel(1, 0), Palette.Rgb32(16 * 3 + 4));
  EXPECT_EQ(img.pixel(0, 1), Palette.Rgb32(16 * 4 + 3));
  EXPECT_EQ(img.pixel(1, 1), Palette.Rgb32(16 * 4 + 4));
}

TEST_F(WidgetDeviceTest, CopyIsClippedToTheClipBoxAndCountsVisibleLines) {
  Dib dib(8, 8, [](int x, int y) { return uint8_t(8 * y + x); });
  QImage img = Canvas(20, 20, qRgb(9, 9, 9));
  int lines = 0;
  {
    QPainter painter(&img);
    WidgetDevice device(painter, QRect(5, 6, 4, 3));  // (5, 6) .. (9, 9) exclusive
    device.SelectPalette(&Palette, false);
    lines =
        device.StretchDIBits(3, 3, 8, 8, 0, 0, 8, 8, dib.Bits.data(), dib.Info, RasterOp::SrcCopy);
  }
  EXPECT_EQ(lines, 3);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= 5 && x < 9 && y >= 6 && y < 9;
      const QRgb expected = inside ? Palette.Rgb32(uint8_t(8 * (y - 3) + (x - 3))) : qRgb(9, 9, 9);
      ASSERT_EQ(img.pixel(x, y), expected) << x << "," << y;
    }
}

TEST_F(WidgetDeviceTest, RejectedCopiesPaintNothing) {
  Dib dib(4, 4, [](int, int) { return uint8_t(200); });
  QImage img = Canvas(10, 10, qRgb(7, 7, 7));
  {
    QPainter painter(&img);
    WidgetDevice device(painter, img.rect());
    device.SelectPalette(&Palette, false);
    const uint8_t* bits = dib.Bits.data();
    EXPECT_EQ(device.StretchDIBits(0, 0, 4, 4, 0, 0, 2, 2, bits, dib.Info, RasterOp::SrcCopy), 0)
        << "stretching is not supported";
    EXPECT_EQ(device.StretchDIBits(0, 0, 3, 3, 2, 0, 3, 3, bits, dib.Info, RasterOp::SrcCopy), 0)
        << "block beyond the array's right edge";
    EXPECT_EQ(device.StretchDIBits(0, 0, 2, 2, 0, -1, 2, 2, bits, dib.Info, RasterOp::SrcCopy), 0);
    EXPECT_EQ(device.StretchDIBits(0, 0, 0, 0, 0, 0, 0, 0, bits, dib.Info, RasterOp::SrcCopy), 0);
    EXPECT_EQ(device.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, nullptr, dib.Info, RasterOp::SrcCopy),
              0);
    EXPECT_EQ(
        device.StretchDIBits(INT32_MAX - 1, 0, 4, 4, 0, 0, 4, 4, bits, dib.Info, RasterOp::SrcCopy),
        0);
    EXPECT_EQ(device.StretchDIBits(20, 20, 4, 4, 0, 0, 4, 4, bits, dib.Info, RasterOp::SrcCopy), 0)
        << "wholly outside the clip box";
  }
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(img.pixel(x, y), qRgb(7, 7, 7));
}

TEST_F(WidgetDeviceTest, AndAndOrWorkOnEachChannel) {
  LogicalPalette p;
  p.Entries[1] = {0xF0, 0x0F, 0x3C, 0};
  Dib dib(1, 1, [](int, int) { return uint8_t(1); });
  const QRgb background = qRgb(0x5A, 0xA5, 0x66);
  QImage andImg = Canvas(1, 1, background);
  QImage orImg = Canvas(1, 1, background);
  for (auto [img, rop] : {std::pair{&andImg, RasterOp::SrcAnd}, {&orImg, RasterOp::SrcPaint}}) {
    QPainter painter(img);
    WidgetDevice device(painter, img->rect());
    device.SelectPalette(&p, false);
    EXPECT_EQ(device.StretchDIBits(0, 0, 1, 1, 0, 0, 1, 1, dib.Bits.data(), dib.Info, rop), 1);
  }
  EXPECT_EQ(andImg.pixel(0, 0), qRgb(0xF0 & 0x5A, 0x0F & 0xA5, 0x3C & 0x66));
  EXPECT_EQ(orImg.pixel(0, 0), qRgb(0xF0 | 0x5A, 0x0F | 0xA5, 0x3C | 0x66));
}

// The two copies of a picture with a transparent colour: a mask (transparent -> white, the rest
// black) ANDed, then the picture with the transparent colour as black ORed.
TEST_F(WidgetDeviceTest, MaskThenImageLeavesTheBackgroundUnderTheTransparentColour) {
  LogicalPalette p = Ramp();
  p.Entries[0] = {0, 0, 0, 0};
  p.Entries[255] = {255, 255, 255, 0};
  const uint8_t transparent = 7;
  Dib dib(4, 4, [](int x, int y) { return uint8_t((x + y) % 2 ? transparent : 40 + x + 4 * y); });
  BitmapInfo mask = dib.Info, image = dib.Info;
  for (int i = 0; i < 256; ++i) mask.Colors[i] = 0;
  mask.Colors[transparent] = 255;
  image.Colors[transparent] = 0;

  QImage img(4, 4, QImage::Format_RGB32);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) img.setPixel(x, y, qRgb(30 * x, 60 * y, 77));
  const QImage before = img.copy();
  {
    QPainter painter(&img);
    WidgetDevice device(painter, img.rect());
    device.SelectPalette(&p, false);
    device.StretchDIBits(0, 0, 4, 4, 0, 0, 4, 4, dib.Bits.data(), mask, RasterOp::SrcAnd);
    device.StretchDIBits(0, 0, 4, 4, 0, 0, 4, 4, dib.Bits.data(), image, RasterOp::SrcPaint);
  }
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const QRgb expected = (x + y) % 2 ? before.pixel(x, y) : p.Rgb32(uint8_t(40 + x + 4 * y));
      EXPECT_EQ(img.pixel(x, y), expected) << x << "," << y;
    }
}

// Each picture pixel becomes a solid square of device pixels, never a blend of its neighbours,
// and two blocks side by side meet without a seam.
TEST_F(WidgetDeviceTest, ScaledScreensShowCrispPixels) {
  for (const qreal ratio : {2.0, 1.5}) {
    Dib dib(4, 4, [](int x, int y) { return uint8_t((x + y) % 2 ? 0 : 255); });
    LogicalPalette p;
    p.Entries[255] = {255, 255, 255, 0};
    const int side = int(8 * ratio);
    QImage img(side, side, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(qRgb(255, 0, 0));
    {
      QPainter painter(&img);
      WidgetDevice device(painter, QRect(0, 0, 8, 8));
      device.SelectPalette(&p, false);
      const uint8_t* bits = dib.Bits.data();
      device.StretchDIBits(0, 0, 4, 4, 0, 0, 4, 4, bits, dib.Info, RasterOp::SrcCopy);
      device.StretchDIBits(4, 0, 4, 4, 0, 0, 4, 4, bits, dib.Info, RasterOp::SrcCopy);
    }
    for (int y = 0; y < int(4 * ratio); ++y)
      for (int x = 0; x < side; ++x) {
        const QRgb c = img.pixel(x, y);
        ASSERT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255))
            << "ratio " << ratio << " pixel " << x << "," << y << " is " << std::hex << c;
      }
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(side - 1, 0), qRgb(0, 0, 0));
  }
}

// The device a widget builds in its paint event covers the event's region.
class PaintingWidget : public QWidget {
 public:
  TRect SeenClip;
  Dib Picture{16, 16, [](int x, int y) { return uint8_t(x * 16 + y); }};
  LogicalPalette Palette = Ramp();

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    WidgetDevice device(painter, event->region());
    SeenClip = device.ClipBox();
    device.SelectPalette(&Palette, false);
    device.StretchDIBits(0, 0, 16, 16, 0, 0, 16, 16, Picture.Bits.data(), Picture.Info,
                         RasterOp::SrcCopy);
  }
};

TEST_F(WidgetDeviceTest, WidgetPaintEventSeesItsRegion) {
  PaintingWidget widget;
  widget.resize(16, 16);
  QImage img = Canvas(16, 16, qRgb(1, 1, 1));
  // The region's top-left lands at the target offset; no background is painted first.
  widget.render(&img, QPoint(4, 5), QRegion(4, 5, 6, 7), QWidget::RenderFlags());
  EXPECT_EQ(widget.SeenClip, (TRect{4, 5, 10, 12}));
  EXPECT_EQ(img.pixel(4, 5), widget.Palette.Rgb32(4 * 16 + 5));
  EXPECT_EQ(img.pixel(9, 11), widget.Palette.Rgb32(9 * 16 + 11));
  EXPECT_EQ(img.pixel(3, 5), qRgb(1, 1, 1));
}

}  // namespace
