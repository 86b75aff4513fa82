#include "ui/ControlDevice.h"

#include "platform/DibBlock.h"

namespace ui {

TControlDevice::TControlDevice(platform::Device& form, const TRect& bounds)
    : Form(form), Origin{bounds.Left, bounds.Top} {
  const TRect visible = Intersection(form.ClipBox(), bounds);
  Clip = visible.IsEmpty() ? TRect{}
                           : TRect{visible.Left - Origin.X, visible.Top - Origin.Y,
                                   visible.Right - Origin.X, visible.Bottom - Origin.Y};
}

TRect TControlDevice::ToForm(const TRect& r) const {
  return {r.Left + Origin.X, r.Top + Origin.Y, r.Right + Origin.X, r.Bottom + Origin.Y};
}

bool TControlDevice::RectVisible(const TRect& rect) const {
  const TRect inside = Intersection(rect, Clip);
  return !inside.IsEmpty() && Form.RectVisible(ToForm(inside));
}

const platform::LogicalPalette* TControlDevice::SelectPalette(
    const platform::LogicalPalette* palette, bool background) {
  return Form.SelectPalette(palette, background);
}

const platform::LogicalPalette* TControlDevice::SelectedPalette() const {
  return Form.SelectedPalette();
}

int TControlDevice::RealizePalette() {
  return Form.RealizePalette();
}

// Only the part of the block inside the control reaches the form's device: the form's device
// cuts to its own clip box alone, which may reach beyond the control.
int TControlDevice::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                                  int ySrc, int srcWidth, int srcHeight, const uint8_t* bits,
                                  const platform::BitmapInfo& info, platform::RasterOp rop) {
  if (destWidth != srcWidth || destHeight != srcHeight) return 0;
  const TRect dest{xDest, yDest, xDest + destWidth, yDest + destHeight};
  TRect visible;
  if (!IntersectRect(visible, dest, Clip)) return 0;
  const TPoint source = platform::VisibleBlockSource(dest, visible, xSrc, ySrc);
  return Form.StretchDIBits(visible.Left + Origin.X, visible.Top + Origin.Y, visible.Width(),
                            visible.Height(), source.X, source.Y, visible.Width(), visible.Height(),
                            bits, info, rop);
}

void TControlDevice::FillRect(const TRect& rect, uint32_t rgb) {
  const TRect area = Intersection(rect, Clip);
  if (!area.IsEmpty()) Form.FillRect(ToForm(area), rgb);
}

void TControlDevice::TextOut(int x, int y, std::string_view text, uint32_t rgb,
                             const TRect& within) {
  const TRect area = Intersection(within, Clip);
  if (!area.IsEmpty()) Form.TextOut(x + Origin.X, y + Origin.Y, text, rgb, ToForm(area));
}

}  // namespace ui
