// Turns a block of an 8-bit bottom-up palette-index pixel array into true-colour rows, the
// common first step of every device's block copy.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/Geometry.h"
#include "platform/BitmapInfo.h"
#include "platform/LogicalPalette.h"

namespace platform {

// The 256 device colours (0xFFRRGGBB) of a colour table seen through a logical palette:
// table entry i names palette entry info.Colors[i]. Without a palette, index v shows as the
// grey (v, v, v), so a caller that forgot to select one is easy to spot.
void ColorTableToRgb32(const BitmapInfo& info, const LogicalPalette* palette, uint32_t out[256]);

// Writes the w x h block whose lower-left pixel is (xSrc, ySrc) in bottom-up co-ordinates of
// `bits` (info.Header.Width wide, rows padded to 4 bytes) as top-down rows of `out`, each
// `outStride` pixels apart. The caller has checked that the block lies within the array.
void ExpandDibBlock(const uint8_t* bits, const BitmapInfo& info, const uint32_t colors[256],
                    int xSrc, int ySrc, int w, int h, uint32_t* out, size_t outStride);

// Where the part of a block that lands on `visible` (within `dest`, where the whole block lands)
// starts in the array: its lower-left pixel, (xSrc, ySrc) being the whole block's. Lines count
// bottom-up, so lines cut off the bottom of `dest` raise the part's lower edge.
inline TPoint VisibleBlockSource(const TRect& dest, const TRect& visible, int xSrc, int ySrc) {
  return {xSrc + (visible.Left - dest.Left), ySrc + (dest.Bottom - visible.Bottom)};
}

// Whether the block lies within the array that `info` describes.
bool DibBlockInside(const BitmapInfo& info, int xSrc, int ySrc, int w, int h);

}  // namespace platform
