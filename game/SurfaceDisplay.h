// Showing a drawing surface on a device through the library's palette: what every painting of
// a board does.
#pragma once

#include "image/VX8Library.h"
#include "platform/Device.h"

// Records the device's clip box as damage on the surface, then shows every damaged rectangle
// at the device's origin and forgets them. Nothing happens when any of the three is missing.
void ShowSurface(TVX8Library* library, platform::Device* device, TVX8ImageData* surface);
