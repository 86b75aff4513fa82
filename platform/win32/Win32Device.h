// A window's device context as the game's device: its clip box, the logical palette selected
// into it (a GDI palette made once from each logical one), the 8-bit block copy through
// StretchDIBits with DIB_PAL_COLORS, and fills and text. Each client pixel is `scale` device
// pixels square, so that a scaled screen shows the pixels crisp.
#pragma once

#include <array>
#include <vector>

#include "platform/Device.h"
#include "platform/win32/WindowsApi.h"

namespace platform::win32 {

// The GDI palettes of the window's logical palettes, made when first selected.
class Win32Palettes {
 public:
  Win32Palettes() = default;
  Win32Palettes(const Win32Palettes&) = delete;
  Win32Palettes& operator=(const Win32Palettes&) = delete;
  ~Win32Palettes();

  // None when the system cannot make it.
  HPALETTE Handle(const LogicalPalette& palette);

 private:
  struct Made {
    const LogicalPalette* Of;
    std::array<PaletteEntry, 256> Entries;
    HPALETTE Palette;
  };
  std::vector<Made> Palettes;
};

class Win32Device : public Device {
 public:
  // Paints on `dc`, which the caller owns; the palette selected before is selected back when
  // the device goes.
  Win32Device(HDC dc, int scale, Win32Palettes& palettes);
  ~Win32Device() override;
  Win32Device(const Win32Device&) = delete;
  Win32Device& operator=(const Win32Device&) = delete;

  TRect ClipBox() const override;
  bool RectVisible(const TRect& rect) const override;
  const LogicalPalette* SelectPalette(const LogicalPalette* palette, bool background) override;
  const LogicalPalette* SelectedPalette() const override { return Selected; }
  int RealizePalette() override;
  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, const uint8_t* bits, const BitmapInfo& info,
                    RasterOp rop) override;
  void FillRect(const TRect& rect, uint32_t rgb) override;
  void TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) override;

 private:
  RECT Scaled(const TRect& r) const;

  HDC Dc;
  int Scale;
  Win32Palettes& Palettes;
  const LogicalPalette* Selected = nullptr;
  HPALETTE Original = nullptr;  // the device's palette before the first selection
};

}  // namespace platform::win32
