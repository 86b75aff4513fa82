#include "game/SurfaceDisplay.h"

#include "image/PaletteSelection.h"

void ShowSurface(TVX8Library* library, platform::Device* device, TVX8ImageData* surface) {
  if (!library || !device || !surface) return;
  surface->AddDamage(device->ClipBox());
  TLibraryPaletteSelection selection(*library, *device);
  surface->DisplayDamage(*device, TPoint{0, 0});
}
