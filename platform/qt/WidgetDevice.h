// The drawing device of a widget's paint event (or of any QPainter): palette-index blocks are
// turned into true colour through the selected logical palette and painted with raster operations.
// It sets the painter's composition mode and pixmap smoothing as it draws.
#pragma once

#include <QPainter>
#include <QRect>
#include <QRegion>
#include <memory>
#include <optional>

#include "platform/Device.h"

namespace platform {

class WidgetDevice final : public Device {
 public:
  // The clip box is the bounding box of `region` (the paint event's region), in the painter's
  // co-ordinates. The painter must outlive the device.
  WidgetDevice(QPainter& painter, const QRegion& region);
  WidgetDevice(QPainter& painter, const QRect& rect);

  TRect ClipBox() const override { return Clip; }
  bool RectVisible(const TRect& rect) const override;

  const LogicalPalette* SelectPalette(const LogicalPalette* palette, bool background) override;
  const LogicalPalette* SelectedPalette() const override { return Palette; }
  bool SelectedAsBackground() const { return Background; }

  // A true-colour screen changes no entries.
  int RealizePalette() override;

  // Paints only the part of the block that lies in the clip box and returns its number of lines.
  // Unequal source and destination sizes, an empty block, or a block outside the pixel array
  // copy nothing and return 0.
  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, const uint8_t* bits, const BitmapInfo& info,
                    RasterOp rop) override;
  void FillRect(const TRect& rect, uint32_t rgb) override;
  // In the painter's font.
  void TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) override;

 private:
  void UseMode(QPainter::CompositionMode mode);

  QPainter& Painter;
  std::optional<QPainter::CompositionMode> Mode;  // the painter's, once set here
  QRegion Region;
  TRect Clip;  // the region's bounding box
  const LogicalPalette* Palette = nullptr;
  bool Background = false;
  // The expanded block, in a buffer that only grows: a paint copies many blocks, most of them
  // tiles of one size.
  std::unique_ptr<uint32_t[]> Block;
  size_t BlockCapacity = 0;
  // The colours of the last block's table and palette, kept while both stay the same.
  uint32_t Colors[256] = {};
  uint16_t ColorsTable[256] = {};
  const LogicalPalette* ColorsPalette = nullptr;
  bool ColorsValid = false;
};

}  // namespace platform
