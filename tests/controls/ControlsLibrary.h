// A small image library built in memory for the control tests, and helpers that read back
// what a control painted.
#pragma once

#include <memory>
#include <string>

#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/MemoryDevice.h"
#include "platform/MemoryStream.h"
#include "tests/support/TestLibraryWriter.h"
#include "ui/ControlDevice.h"
#include "ui/Form.h"
#include "platform/MemoryHost.h"

namespace controlstest {

using vx8test::Pixels;

// Strip frames are filled with these indices, so a face tells which frame it shows.
inline uint8_t FrameFill(int k) {
  return uint8_t(10 + 10 * k);
}

// Index of the tile's pixel (x, y): every 4 x 4 cell of the 32 x 32 tile has its own.
inline uint8_t TileIndex(int x, int y) {
  return uint8_t(100 + x / 4 + 8 * (y / 4));
}

constexpr uint8_t TransparentIndex = 7;

inline Pixels Strip(uint16_t w, uint16_t frameHeight, int frames) {
  Pixels p(w, uint16_t(frameHeight * frames));
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y) = FrameFill(y / frameHeight);
  return p;
}

// The pictures: "strip" 156 x 84 (three frames of 28 lines), "hollow" 20 x 30 (three frames
// of 10 lines whose left half is transparent), "tile" 32 x 32 and "sieve" 32 x 32, a tile
// whose odd columns are transparent.
inline vx8test::Bytes LibraryFile() {
  using vx8test::Coding;
  using vx8test::MakeRecord;
  Pixels hollow = Strip(20, 10, 3);
  for (int y = 0; y < hollow.Height; ++y)
    for (int x = 0; x < 10; ++x) hollow.At(x, y) = TransparentIndex;
  Pixels tile(32, 32), sieve(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      tile.At(x, y) = TileIndex(x, y);
      sieve.At(x, y) = x % 2 ? TransparentIndex : TileIndex(x, y);
    }
  return vx8test::LibraryBytes({
      MakeRecord("strip", Strip(156, 28, 3), Coding::LineCode),
      MakeRecord("hollow", hollow, Coding::PlainRuns, TransparentIndex),
      MakeRecord("tile", tile, Coding::PlainRows),
      MakeRecord("sieve", sieve, Coding::LineCode, TransparentIndex),
  });
}

inline std::unique_ptr<TVX8Library> OpenTestLibrary() {
  auto library = std::make_unique<TVX8Library>();
  library->OpenLibrary("controls.vx8", std::make_unique<platform::MemoryStream>(LibraryFile()));
  return library;
}

inline int LoadedCount(const TVX8Library& library) {
  int n = 0;
  for (const TVexoNode* node = library.LoadedImages().First; node; node = node->Next) ++n;
  return n;
}

// The colour an index shows on the screen through the library palette.
inline uint32_t Shown(TVX8Library& library, uint8_t index) {
  return library.GetHPal()->Rgb32(index);
}

inline uint8_t SurfacePixel(TVX8ImageData& data, int x, int y) {
  const uint8_t value = *data.StartLine(x, y);
  data.UnlockSegment(x, y);
  return value;
}

constexpr uint32_t Untouched = 0xFF123456u;

// What `control` paints for `area` (its own co-ordinates) over a fill of Untouched, as a
// picture of the control's size.
inline platform::MemoryDevice Painted(ui::TControl& control, const TRect& area) {
  platform::MemoryDevice device(control.Width(), control.Height(), Untouched);
  device.SetClipBox(area);
  ui::TControlDevice canvas(device, {0, 0, control.Width(), control.Height()});
  control.Paint(canvas);
  return device;
}

// A form on a memory host that counts the presses no control takes.
class TTestForm : public ui::TForm {
 public:
  explicit TTestForm(platform::MemoryHost& host) : TForm(host) {}
  int Presses = 0;
  void FormMouseDown(platform::MouseButton, int, int) override { ++Presses; }
};

}  // namespace controlstest
