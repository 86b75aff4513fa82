// The drawing device that pictures are copied to: a clip box, a selected logical palette, the
// 8-bit palette-index block copy with three raster operations, and a solid fill and a line of
// text for the few things that are not pictures.
#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/Geometry.h"
#include "platform/BitmapInfo.h"
#include "platform/LogicalPalette.h"

namespace platform {

enum class RasterOp { SrcCopy, SrcAnd, SrcPaint };

class Device {
 public:
  virtual ~Device() = default;

  // The part of the device that may be painted now, in device co-ordinates: the bounding box
  // of an area that may be uneven.
  virtual TRect ClipBox() const = 0;
  // Whether any part of `rect` may be painted now.
  virtual bool RectVisible(const TRect& rect) const = 0;

  // Selects `palette` (which may be null) and returns the one selected before.
  virtual const LogicalPalette* SelectPalette(const LogicalPalette* palette, bool background) = 0;
  virtual const LogicalPalette* SelectedPalette() const = 0;
  // Number of palette entries that changed on the screen: always 0 on a true-colour screen.
  virtual int RealizePalette() = 0;

  // Copies a block of an 8-bit bottom-up pixel array (`info` gives its width and height; each
  // row is the width rounded up to 4 bytes). (xSrc, ySrc) is the block's lower-left pixel in
  // bottom-up co-ordinates; the block lands with its top-left at (xDest, yDest). Each pixel
  // indexes `info.Colors`, whose entry indexes the selected palette. Source and destination
  // sizes must be equal. Returns the number of lines copied.
  virtual int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, const uint8_t* bits,
                            const BitmapInfo& info, RasterOp rop) = 0;

  // Fills `rect` (cut to the clip box) with the colour 0xRRGGBB.
  virtual void FillRect(const TRect& rect, uint32_t rgb) = 0;
  // One line of text in the device's own font, its top-left at (x, y), cut to `within` and to
  // the clip box.
  virtual void TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) = 0;
};

}  // namespace platform
