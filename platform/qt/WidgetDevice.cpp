#include "platform/qt/WidgetDevice.h"

#include <QPainter>
#include <cstring>

#include "foundation/CheckedSize.h"
#include "platform/DibBlock.h"

namespace platform {

namespace {

TRect ToTRect(const QRect& r) {
  if (r.isEmpty()) return TRect{};
  return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QPainter::CompositionMode ModeOf(RasterOp rop) {
  switch (rop) {
    case RasterOp::SrcAnd:
      return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::SrcPaint:
      return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::SrcCopy:
      break;
  }
  return QPainter::CompositionMode_Source;
}

}  // namespace

// Scaled screens show the pixels as crisp squares.
WidgetDevice::WidgetDevice(QPainter& painter, const QRegion& region)
    : Painter(painter), Region(region), Clip(ToTRect(region.boundingRect())) {
  Painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

WidgetDevice::WidgetDevice(QPainter& painter, const QRect& rect)
    : WidgetDevice(painter, QRegion(rect)) {}

// A paint copies many blocks: the mode is set only when it changes.
void WidgetDevice::UseMode(QPainter::CompositionMode mode) {
  if (Mode == mode) return;
  Painter.setCompositionMode(mode);
  Mode = mode;
}

bool WidgetDevice::RectVisible(const TRect& rect) const {
  return !rect.IsEmpty() &&
         Region.intersects(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

const LogicalPalette* WidgetDevice::SelectPalette(const LogicalPalette* palette, bool background) {
  const LogicalPalette* previous = Palette;
  Palette = palette;
  Background = background;
  return previous;
}

int WidgetDevice::RealizePalette() {
  return 0;
}

int WidgetDevice::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                                int ySrc, int srcWidth, int srcHeight, const uint8_t* bits,
                                const BitmapInfo& info, RasterOp rop) {
  if (bits == nullptr || destWidth != srcWidth || destHeight != srcHeight) return 0;
  if (srcWidth <= 0 || srcHeight <= 0) return 0;
  if (!DibBlockInside(info, xSrc, ySrc, srcWidth, srcHeight)) return 0;
  // The block's far corner must stay representable.
  if (int64_t(xDest) + destWidth > INT32_MAX || int64_t(yDest) + destHeight > INT32_MAX) return 0;

  const TRect dest{xDest, yDest, xDest + destWidth, yDest + destHeight};
  TRect visible;
  if (!IntersectRect(visible, dest, Clip)) return 0;

  // The visible part as a block of its own: its lower-left pixel in bottom-up lines.
  const int w = visible.Width();
  const int h = visible.Height();
  const auto [subX, subY] = VisibleBlockSource(dest, visible, xSrc, ySrc);

  // The palette does not change during a paint, and the table seldom between blocks.
  if (!ColorsValid || ColorsPalette != Palette ||
      std::memcmp(ColorsTable, info.Colors, sizeof ColorsTable) != 0) {
    ColorTableToRgb32(info, Palette, Colors);
    std::memcpy(ColorsTable, info.Colors, sizeof ColorsTable);
    ColorsPalette = Palette;
    ColorsValid = true;
  }
  const size_t pixels = foundation::CheckedBufferBytes(w, h, 1, "StretchDIBits");
  if (BlockCapacity < pixels) {
    BlockCapacity = pixels;
    Block = std::make_unique_for_overwrite<uint32_t[]>(BlockCapacity);
  }
  ExpandDibBlock(bits, info, Colors, subX, subY, w, h, Block.get(), size_t(w));
  const QImage block(reinterpret_cast<const uchar*>(Block.get()), w, h,
                     qsizetype(w) * qsizetype(sizeof(uint32_t)), QImage::Format_RGB32);

  UseMode(ModeOf(rop));
  Painter.drawImage(QPoint(visible.Left, visible.Top), block);
  return h;
}

void WidgetDevice::FillRect(const TRect& rect, uint32_t rgb) {
  TRect area;
  if (!IntersectRect(area, rect, Clip)) return;
  UseMode(QPainter::CompositionMode_SourceOver);
  Painter.fillRect(QRect(area.Left, area.Top, area.Width(), area.Height()), QColor::fromRgb(rgb));
}

void WidgetDevice::TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) {
  const TRect area = Intersection(within, Clip);
  if (area.IsEmpty()) return;
  UseMode(QPainter::CompositionMode_SourceOver);
  Painter.save();
  Painter.setClipRect(QRect(area.Left, area.Top, area.Width(), area.Height()), Qt::IntersectClip);
  Painter.setPen(QColor::fromRgb(rgb));
  const QString line = QString::fromUtf8(text.data(), qsizetype(text.size()));
  Painter.drawText(QRect(x, y, INT16_MAX, INT16_MAX),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
  Painter.restore();
}

}  // namespace platform
