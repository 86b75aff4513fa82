#include "controls/TileBG.h"

#include <vector>

#include "foundation/CheckedSize.h"
#include "image/PaletteSelection.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "ui/Form.h"

namespace {

// The start of the grid cell that holds `v` for cells of size `size` anchored at 0, with the
// remainder truncated toward zero.
int32_t CellStart(int32_t v, int32_t size) {
  return v - v % size;
}

// The first column (or row) of a grid anchored at -origin: 0 or negative, also for a
// negative origin.
int32_t GridOffset(int32_t origin, int32_t size) {
  return -(((origin % size) + size) % size);
}

// A black diagonal cross-hatch on white, anchored at the device's origin like a brush.
void Hatch(platform::Device& canvas, const TRect& area) {
  const TRect clip = Intersection(area, canvas.ClipBox());
  if (clip.IsEmpty()) return;
  const int w = clip.Width();
  const int h = clip.Height();
  const int lineBytes = (w + 3) & ~3;
  std::vector<uint8_t> bits(foundation::CheckedBufferBytes(lineBytes, h, 1, "Hatch"));
  for (int row = 0; row < h; ++row) {
    const int y = clip.Bottom - 1 - row;  // bottom-up
    for (int i = 0; i < w; ++i) {
      const int x = clip.Left + i;
      bits[size_t(row) * size_t(lineBytes) + size_t(i)] =
          (((x - y) % 8 + 8) % 8 == 0 || (x + y) % 8 == 0) ? 1 : 0;
    }
  }
  platform::LogicalPalette ink;
  ink.Entries[0] = {255, 255, 255, 0};
  ink.Entries[1] = {0, 0, 0, 0};
  platform::BitmapInfo info = platform::BitmapInfo::Identity();
  info.Header.Width = w;
  info.Header.Height = h;
  const platform::LogicalPalette* previous = canvas.SelectPalette(&ink, false);
  canvas.StretchDIBits(clip.Left, clip.Top, w, h, 0, 0, w, h, bits.data(), info,
                       platform::RasterOp::SrcCopy);
  canvas.SelectPalette(previous, false);
}

}  // namespace

TTileBG::TTileBG(ui::TForm& form, std::string name) : TControl(form, std::move(name)) {
  SetWindowEnabled(false);
  FillForm();
}

TTileBG::~TTileBG() {
  ReleaseTile();
}

void TTileBG::FillForm() {
  SetBounds(0, 0, Form().ClientWidth(), Form().ClientHeight());
}

void TTileBG::SetImageName(const std::string& name) {
  ReleaseTile();
  ImageName_ = name;
  TVX8Library* library = ImageLibrary.Get();
  if (!library || !library->ImageExists(ImageName_)) return;
  TileNode_ = library->GetImage(ImageName_);
  try {
    TileData_ = library->GetImageData(TileNode_);
    Invalidate();
  } catch (...) {
    ReleaseTile();
    throw;
  }
}

void TTileBG::SetImageLibrary(TVX8Library* library) {
  // Also forgets the tile of a library that was destroyed while it was held.
  ReleaseTile();
  ImageLibrary.Set(library);
  if (library) SetImageName(ImageName_);
}

TVX8ImageData* TTileBG::GetTileData() {
  if (!TileData_) SetImageName(ImageName_);
  return TileData_;
}

void TTileBG::ReleaseTile() {
  TVX8Library* library = ImageLibrary.Get();
  if (!library) {
    // The library went away while we held its tile: the tile went with it.
    TileNode_ = nullptr;
    TileData_ = nullptr;
    return;
  }
  if (!TileNode_) return;
  TImageNode* tile = TileNode_;
  TileNode_ = nullptr;
  TileData_ = nullptr;
  library->ReleaseImage(tile);
}

void TTileBG::Paint(platform::Device& canvas) {
  TVX8ImageData* tile = GetImageLibrary() ? GetTileData() : nullptr;
  // A tile without pixels would never fill anything.
  if (!tile || tile->Width() == 0 || tile->Height() == 0) {
    Hatch(canvas, {0, 0, Width(), Height()});
    return;
  }
  TVX8Library& library = *ImageLibrary.Get();
  const int32_t tw = tile->Width();
  const int32_t th = tile->Height();
  const TRect clip = canvas.ClipBox();
  const int32_t x0 = CellStart(clip.Left, tw);
  int32_t x = x0;
  int32_t y = CellStart(clip.Top, th);

  TLibraryPaletteSelection selection(library, canvas);
  canvas.RealizePalette();
  while (x < clip.Right && y < clip.Bottom) {
    library.DrawImage(canvas, {x, y}, TileNode_);
    x += tw;
    if (x >= clip.Right) {
      x = x0;
      y += th;
    }
  }
  if (OnAfterPaint) OnAfterPaint(canvas, clip);
}

void TTileBG::PaintTo(TVX8ImageData& surface, TPoint origin) {
  if (!GetImageLibrary()) return;
  TVX8ImageData* tile = GetTileData();
  if (!tile || tile->Width() == 0 || tile->Height() == 0) return;
  const int32_t tw = tile->Width();
  const int32_t th = tile->Height();
  const int32_t dw = surface.Width();
  const int32_t dh = surface.Height();
  const int32_t x0 = GridOffset(origin.X, tw);
  int32_t x = x0;
  int32_t y = GridOffset(origin.Y, th);
  while (x < dw && y < dh) {
    surface.Draw({x, y}, *tile, {0, 0, tw, th});
    x += tw;
    if (x >= dw) {
      x = x0;
      y += th;
    }
  }
}
