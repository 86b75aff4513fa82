#include "platform/MemoryDevice.h"

#include <algorithm>
#include <memory>

#include "foundation/CheckedSize.h"
#include "platform/DibBlock.h"
#include "platform/PixelFont.h"

namespace platform {

MemoryDevice::MemoryDevice(int width, int height, uint32_t fill, PixelOrder order)
    : order_(order),
      width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(foundation::CheckedBufferBytes(width_, height_, sizeof(uint32_t), "MemoryDevice") /
                  sizeof(uint32_t),
              Kept(fill)),
      clip_{0, 0, width_, height_},
      clipRegion_{clip_} {}

void MemoryDevice::SetClipBox(const TRect& box) {
  SetClipRegion({box});
}

void MemoryDevice::SetClipRegion(const std::vector<TRect>& region) {
  clipRegion_.clear();
  for (const TRect& r : region) {
    const TRect inside = Intersection(r, TRect{0, 0, width_, height_});
    if (!inside.IsEmpty()) clipRegion_.push_back(inside);
  }
  clip_ = BoundingRect(clipRegion_);
}

bool MemoryDevice::RectVisible(const TRect& rect) const {
  for (const TRect& area : clipRegion_)
    if (!Intersection(rect, area).IsEmpty()) return true;
  return false;
}

const LogicalPalette* MemoryDevice::SelectPalette(const LogicalPalette* palette, bool) {
  const LogicalPalette* previous = palette_;
  palette_ = palette;
  return previous;
}

int MemoryDevice::RealizePalette() {
  return 0;
}

int MemoryDevice::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                                int ySrc, int srcWidth, int srcHeight, const uint8_t* bits,
                                const BitmapInfo& info, RasterOp rop) {
  if (!bits || destWidth != srcWidth || destHeight != srcHeight) return 0;
  if (!DibBlockInside(info, xSrc, ySrc, srcWidth, srcHeight)) return 0;
  const TRect target{xDest, yDest, xDest + destWidth, yDest + destHeight};
  if (Intersection(target, clip_).IsEmpty()) return 0;
  uint32_t colors[256];
  ColorTableToRgb32(info, palette_, colors);
  if (order_ != PixelOrder::Argb)
    for (uint32_t& color : colors) color = Kept(color);
  std::unique_ptr<uint32_t[]> block;  // only for the raster ops that combine
  size_t blockSize = 0;
  int landedTop = target.Bottom, landedBottom = target.Top;  // the lines that landed, for the count
  for (const TRect& area : clipRegion_) {
    const TRect visible = Intersection(target, area);
    if (visible.IsEmpty()) continue;
    landedTop = std::min(landedTop, visible.Top);
    landedBottom = std::max(landedBottom, visible.Bottom);
    // Only the visible part of the block is expanded.
    const int w = visible.Width();
    const int h = visible.Height();
    const auto [x0, y0] = VisibleBlockSource(target, visible, xSrc, ySrc);
    uint32_t* topLeft = pixels_.data() + size_t(visible.Top) * size_t(width_) + visible.Left;
    if (rop == RasterOp::SrcCopy) {
      // A copy expands straight into the surface.
      ExpandDibBlock(bits, info, colors, x0, y0, w, h, topLeft, size_t(width_));
      continue;
    }
    const size_t size = size_t(w) * size_t(h);
    if (size > blockSize) {
      block.reset(new uint32_t[size]);  // left unset: every word is written before it is read
      blockSize = size;
    }
    ExpandDibBlock(bits, info, colors, x0, y0, w, h, block.get(), size_t(w));
    for (int row = 0; row < h; ++row) {
      const uint32_t* src = block.get() + size_t(row) * size_t(w);
      uint32_t* dst = topLeft + size_t(row) * size_t(width_);
      if (rop == RasterOp::SrcAnd) {
        for (int x = 0; x < w; ++x) dst[x] &= src[x];
      } else {
        for (int x = 0; x < w; ++x) dst[x] |= src[x];
      }
    }
  }
  return std::max(0, landedBottom - landedTop);
}

void MemoryDevice::FillRect(const TRect& rect, uint32_t rgb) {
  const uint32_t color = Kept(0xFF000000u | rgb);
  for (const TRect& region : clipRegion_) {
    const TRect area = Intersection(rect, region);
    for (int y = area.Top; y < area.Bottom; ++y) {
      uint32_t* row = pixels_.data() + size_t(y) * size_t(width_);
      std::fill(row + area.Left, row + area.Right, color);
    }
  }
}

void MemoryDevice::TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) {
  for (const TRect& region : clipRegion_) {
    const TRect area = Intersection(within, region);
    if (!area.IsEmpty())
      DrawPixelText(pixels_.data(), size_t(width_), area, x, y, 1, text, Kept(0xFF000000u | rgb));
  }
}

}  // namespace platform
