#include "platform/DibBlock.h"

namespace platform {

void ColorTableToRgb32(const BitmapInfo& info, const LogicalPalette* palette, uint32_t out[256]) {
  for (int i = 0; i < 256; ++i) {
    const uint8_t entry = static_cast<uint8_t>(info.Colors[i]);
    out[i] = palette ? palette->Rgb32(entry)
                     : 0xFF000000u | (uint32_t(entry) << 16) | (uint32_t(entry) << 8) | entry;
  }
}

bool DibBlockInside(const BitmapInfo& info, int xSrc, int ySrc, int w, int h) {
  const int64_t width = info.Header.Width;
  const int64_t height = info.Header.Height;
  return xSrc >= 0 && ySrc >= 0 && w >= 0 && h >= 0 && int64_t(xSrc) + w <= width &&
         int64_t(ySrc) + h <= height;
}

void ExpandDibBlock(const uint8_t* bits, const BitmapInfo& info, const uint32_t colors[256],
                    int xSrc, int ySrc, int w, int h, uint32_t* out, size_t outStride) {
  const size_t lineBytes = (size_t(info.Header.Width) + 3) & ~size_t(3);
  for (int row = 0; row < h; ++row) {
    // Output row 0 is the block's top line, which is the highest bottom-up line.
    const uint8_t* src = bits + size_t(ySrc + h - 1 - row) * lineBytes + xSrc;
    uint32_t* dst = out + size_t(row) * outStride;
    int x = 0;
    // Four indices read before four colours are written: the writes could alias the bytes.
    for (; x + 4 <= w; x += 4) {
      const uint8_t a = src[x], b = src[x + 1], c = src[x + 2], d = src[x + 3];
      dst[x] = colors[a];
      dst[x + 1] = colors[b];
      dst[x + 2] = colors[c];
      dst[x + 3] = colors[d];
    }
    for (; x < w; ++x) dst[x] = colors[src[x]];
  }
}

}  // namespace platform
