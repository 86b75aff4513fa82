// A device that paints into an RGB32 picture in memory, so that tests and tools can read back
// every pixel that reached "the screen" and save it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Device.h"

namespace platform {

// How a pixel is kept: the word 0xAARRGGBB, or the bytes red, green, blue, alpha in memory on a
// little-endian machine (as a canvas takes them: a browser shows the picture as it is).
enum class PixelOrder : uint8_t { Argb, CanvasRgba };

class MemoryDevice : public Device {
 public:
  // A picture of width x height pixels, all of `fill` (0xAARRGGBB); the clip box covers it.
  MemoryDevice(int width, int height, uint32_t fill = 0xFF000000u,
               PixelOrder order = PixelOrder::Argb);

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelOrder Order() const { return order_; }
  // Pixels as kept, in the device's order; SetPixel takes 0xAARRGGBB.
  uint32_t Pixel(int x, int y) const { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
  void SetPixel(int x, int y, uint32_t color) {
    pixels_[size_t(y) * size_t(width_) + size_t(x)] = Kept(color);
  }
  // Top row first, Width() pixels a row.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

  // Narrows painting to `box`, cut to the picture.
  void SetClipBox(const TRect& box);
  // Narrows painting to the union of `region`, cut to the picture; the clip box is its bounding
  // rectangle, as a window system reports the box of an uneven area to repaint.
  void SetClipRegion(const std::vector<TRect>& region);
  // Painting reaches the whole picture again.
  void ResetClip() { SetClipBox({0, 0, width_, height_}); }

  TRect ClipBox() const override { return clip_; }
  bool RectVisible(const TRect& rect) const override;
  const LogicalPalette* SelectPalette(const LogicalPalette* palette, bool background) override;
  const LogicalPalette* SelectedPalette() const override { return palette_; }
  int RealizePalette() override;
  // Copies only blocks of equal size at both ends that lie within the source array, and
  // returns the number of block lines that landed inside the clip box (0 for a refused copy).
  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, const uint8_t* bits, const BitmapInfo& info,
                    RasterOp rop) override;
  void FillRect(const TRect& rect, uint32_t rgb) override;
  // In the pixel font.
  void TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) override;

 private:
  // 0xAARRGGBB as this device keeps it.
  uint32_t Kept(uint32_t argb) const {
    if (order_ == PixelOrder::Argb) return argb;
    return (argb & 0xFF00FF00u) | ((argb >> 16) & 0xFFu) | ((argb & 0xFFu) << 16);
  }

  PixelOrder order_;
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
  TRect clip_;                     // the bounding box of clipRegion_
  std::vector<TRect> clipRegion_;  // where painting lands
  const LogicalPalette* palette_ = nullptr;
};

}  // namespace platform
