#include "platform/MemoryDevice.h"

#include "platform/DibBlock.h"

namespace platform {

MemoryDevice::MemoryDevice(int width, int height, uint32_t fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(size_t(width_) * size_t(height_), fill),
      clip_{0, 0, width_, height_} {}

void MemoryDevice::SetClipBox(const TRect& box) {
  clip_ = Intersection(box, TRect{0, 0, width_, height_});
}

const LogicalPalette* MemoryDevice::SelectPalette(const LogicalPalette* palette, bool) {
  const LogicalPalette* previous = palette_;
  palette_ = palette;
  return previous;
}

int MemoryDevice::RealizePalette() {
  ++realizeCount_;
  return 0;
}

int MemoryDevice::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                                int ySrc, int srcWidth, int srcHeight, const uint8_t* bits,
                                const BitmapInfo& info, RasterOp rop) {
  if (!bits || destWidth != srcWidth || destHeight != srcHeight) return 0;
  if (!DibBlockInside(info, xSrc, ySrc, srcWidth, srcHeight)) return 0;
  const TRect target{xDest, yDest, xDest + destWidth, yDest + destHeight};
  const TRect visible = Intersection(target, clip_);
  if (visible.IsEmpty()) return 0;

  // Only the visible part of the block is expanded: cut it down in source co-ordinates first
  // (ySrc counts bottom-up, so rows cut off the top of the target come off the block's top).
  const int w = visible.Width();
  const int h = visible.Height();
  const int x0 = xSrc + (visible.Left - target.Left);
  const int y0 = ySrc + (target.Bottom - visible.Bottom);
  uint32_t colors[256];
  ColorTableToRgb32(info, palette_, colors);
  std::vector<uint32_t> block(size_t(w) * size_t(h));
  ExpandDibBlock(bits, info, colors, x0, y0, w, h, block.data(), size_t(w));

  for (int row = 0; row < h; ++row) {
    const uint32_t* src = block.data() + size_t(row) * size_t(w);
    uint32_t* dst = pixels_.data() + size_t(visible.Top + row) * size_t(width_) + visible.Left;
    switch (rop) {
      case RasterOp::SrcCopy:
        for (int x = 0; x < w; ++x) dst[x] = src[x];
        break;
      case RasterOp::SrcAnd:
        for (int x = 0; x < w; ++x) dst[x] &= src[x];
        break;
      case RasterOp::SrcPaint:
        for (int x = 0; x < w; ++x) dst[x] |= src[x];
        break;
    }
  }
  return h;
}

}  // namespace platform
