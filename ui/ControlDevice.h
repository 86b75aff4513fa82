// The device a windowless control paints through: its form's device with the origin moved to
// the control's top-left corner and everything cut to the control's area.
#pragma once

#include "platform/Device.h"

namespace ui {

class TControlDevice final : public platform::Device {
 public:
  // `bounds`: the control's area in `form`'s co-ordinates. The form's device outlives this one.
  TControlDevice(platform::Device& form, const TRect& bounds);

  TRect ClipBox() const override { return Clip; }
  bool RectVisible(const TRect& rect) const override;
  const platform::LogicalPalette* SelectPalette(const platform::LogicalPalette* palette,
                                                bool background) override;
  const platform::LogicalPalette* SelectedPalette() const override;
  int RealizePalette() override;
  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, const uint8_t* bits,
                    const platform::BitmapInfo& info, platform::RasterOp rop) override;
  void FillRect(const TRect& rect, uint32_t rgb) override;
  void TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) override;

 private:
  TRect ToForm(const TRect& r) const;

  platform::Device& Form;
  TPoint Origin;
  TRect Clip;  // in the control's co-ordinates
};

}  // namespace ui
