// Putting drawing surfaces on a device through the library's palette: the palette selection
// that every paint of the game makes, and ShowSurface, which copies what changed.
#pragma once

#include "image/VX8Library.h"
#include "platform/Device.h"

// Selects the library's palette into a device as a foreground palette for the guard's life and
// selects the previous one back when it ends, also when the painting in between fails.
class TLibraryPaletteSelection {
 public:
  TLibraryPaletteSelection(TVX8Library& library, platform::Device& device)
      : Device(device), Previous(device.SelectPalette(library.GetHPal(), false)) {}
  ~TLibraryPaletteSelection() { Device.SelectPalette(Previous, false); }
  TLibraryPaletteSelection(const TLibraryPaletteSelection&) = delete;
  TLibraryPaletteSelection& operator=(const TLibraryPaletteSelection&) = delete;

 private:
  platform::Device& Device;
  const platform::LogicalPalette* Previous;
};

// Records the device's clip box as damage on the surface, then shows every damaged rectangle
// at the device's origin and forgets them. Nothing happens when any of the three is missing.
void ShowSurface(TVX8Library* library, platform::Device* device, TVX8ImageData* surface);
