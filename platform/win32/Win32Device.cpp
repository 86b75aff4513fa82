#include "platform/win32/Win32Device.h"

#include <memory>

#include "platform/win32/Win32Text.h"

namespace platform::win32 {

namespace {

COLORREF ColorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

Win32Palettes::~Win32Palettes() {
  for (const Made& made : Palettes) DeleteObject(made.Palette);
}

HPALETTE Win32Palettes::Handle(const LogicalPalette& palette) {
  for (const Made& made : Palettes)
    if (made.Of == &palette && made.Entries == palette.Entries) return made.Palette;
  // LOGPALETTE holds one entry; the other 255 follow it.
  auto block = std::make_unique<std::byte[]>(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.get());
  logical->palVersion = 0x300;
  logical->palNumEntries = 256;
  for (size_t i = 0; i < 256; ++i) {
    const PaletteEntry& e = palette.Entries[i];
    logical->palPalEntry[i] = {e.Red, e.Green, e.Blue, e.Flags};
  }
  HPALETTE made = CreatePalette(logical);
  if (made) Palettes.push_back({&palette, palette.Entries, made});
  return made;
}

Win32Device::Win32Device(HDC dc, int scale, Win32Palettes& palettes)
    : Dc(dc), Scale(scale), Palettes(palettes) {
  // Nearest neighbour: a scaled pixel stays one colour.
  SetStretchBltMode(Dc, COLORONCOLOR);
}

Win32Device::~Win32Device() {
  if (Original) ::SelectPalette(Dc, Original, TRUE);
}

RECT Win32Device::Scaled(const TRect& r) const {
  return {r.Left * Scale, r.Top * Scale, r.Right * Scale, r.Bottom * Scale};
}

TRect Win32Device::ClipBox() const {
  RECT box{};
  if (GetClipBox(Dc, &box) == ERROR) return {};
  return {FloorDiv(box.left, Scale), FloorDiv(box.top, Scale),
          FloorDiv(box.right + Scale - 1, Scale), FloorDiv(box.bottom + Scale - 1, Scale)};
}

bool Win32Device::RectVisible(const TRect& rect) const {
  if (rect.IsEmpty()) return false;
  const RECT r = Scaled(rect);
  return ::RectVisible(Dc, &r) != FALSE;
}

const LogicalPalette* Win32Device::SelectPalette(const LogicalPalette* palette, bool background) {
  const LogicalPalette* previous = Selected;
  HPALETTE handle =
      palette ? Palettes.Handle(*palette) : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  if (!handle) return previous;
  HPALETTE before = ::SelectPalette(Dc, handle, background ? TRUE : FALSE);
  if (!Original) Original = before;
  Selected = palette;
  return previous;
}

int Win32Device::RealizePalette() {
  const UINT changed = ::RealizePalette(Dc);
  return changed == GDI_ERROR ? 0 : int(changed);
}

int Win32Device::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                               int ySrc, int srcWidth, int srcHeight, const uint8_t* bits,
                               const BitmapInfo& info, RasterOp rop) {
  if (!bits) return 0;
  const DWORD op = rop == RasterOp::SrcAnd     ? SRCAND
                   : rop == RasterOp::SrcPaint ? SRCPAINT
                                               : SRCCOPY;
  // The game's bitmap information is the system's: a header and 256 palette indices.
  static_assert(sizeof(BitmapInfoHeader) == sizeof(BITMAPINFOHEADER));
  const int lines = ::StretchDIBits(Dc, xDest * Scale, yDest * Scale, destWidth * Scale,
                                    destHeight * Scale, xSrc, ySrc, srcWidth, srcHeight, bits,
                                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_PAL_COLORS, op);
  return lines < 0 ? 0 : lines;
}

void Win32Device::FillRect(const TRect& rect, uint32_t rgb) {
  if (rect.IsEmpty()) return;
  HBRUSH brush = CreateSolidBrush(ColorRef(rgb));
  const RECT r = Scaled(rect);
  ::FillRect(Dc, &r, brush);
  DeleteObject(brush);
}

// In the window's font, "System", at the window's scale.
void Win32Device::TextOut(int x, int y, std::string_view text, uint32_t rgb, const TRect& within) {
  const std::wstring wide = Wide(text);
  HFONT font = CreateFontW(-13 * Scale, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"System");
  HGDIOBJ before = SelectObject(Dc, font);
  SetTextColor(Dc, ColorRef(rgb));
  SetBkMode(Dc, TRANSPARENT);
  const RECT clip = Scaled(within);
  ExtTextOutW(Dc, x * Scale, y * Scale, ETO_CLIPPED, &clip, wide.c_str(), UINT(wide.size()),
              nullptr);
  SelectObject(Dc, before);
  DeleteObject(font);
}

}  // namespace platform::win32
