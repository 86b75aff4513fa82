// Opens arbitrary bytes as an image library file and uses every picture in it as the game
// does: loads it, makes its surface, draws it onto another surface and shows it on a device.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

#include "image/VX8Library.h"
#include "platform/MemoryDevice.h"
#include "platform/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TVX8Library library;
  try {
    library.OpenLibrary("zelto.vx8", std::make_unique<platform::MemoryStream>(
                                         std::vector<uint8_t>(data, data + size)));
  } catch (const std::exception&) {
    return 0;
  }
  platform::MemoryDevice device(40, 40);
  device.SelectPalette(library.GetHPal(), false);
  // Longer than a record name can be, so no GetImage below finds and frees it.
  TImageNode* board = library.AddBlankImage("_fuzz_board_", 64, 64);
  TVX8ImageData* boardSurface = library.GetImageData(board);

  for (const std::string& name : library.ImageNames()) {
    try {
      TImageNode* entry = library.GetImage(name);
      library.DrawImage(device, {-5, 7}, entry);
      if (TVX8ImageData* surface = library.GetImageData(entry)) {
        surface->AddDamage(surface->GetBounds());
        surface->DisplayDamage(device, {3, -2});
        if (boardSurface) {
          boardSurface->Draw({-1, 2}, *surface, {-2, 0, surface->Width(), surface->Height()});
          boardSurface->DisplayDamage(device, {0, 0});
        }
      }
      library.ReleaseImage(entry);
    } catch (const std::exception&) {
      // A picture that does not load is reported to the game the same way; go on.
    }
  }
  library.ReleaseImage(board);
  return 0;
}
