// The library's palette selected into a device for a scope: every painting of library pictures
// goes through one, and the previous palette comes back however the painting ends.
#pragma once

#include "image/VX8Library.h"
#include "platform/Device.h"

class TLibraryPaletteSelection {
 public:
  // As a foreground palette.
  TLibraryPaletteSelection(TVX8Library& library, platform::Device& device)
      : Device(device), Previous(device.SelectPalette(library.GetHPal(), false)) {}
  ~TLibraryPaletteSelection() { Device.SelectPalette(Previous, false); }
  TLibraryPaletteSelection(const TLibraryPaletteSelection&) = delete;
  TLibraryPaletteSelection& operator=(const TLibraryPaletteSelection&) = delete;

 private:
  platform::Device& Device;
  const platform::LogicalPalette* Previous;
};
