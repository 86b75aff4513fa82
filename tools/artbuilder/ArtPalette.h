// The game's 256-colour palette: fixed entries the game relies on, and one ramp per family of
// pictures so antialiased edges find close colours when the art is mapped onto it.
#pragma once

#include <QColor>
#include <cstdint>

#include "image/VX8Writer.h"

namespace art {

// Entries with a meaning for the game or the mapping.
constexpr uint8_t kBlack = 0;
constexpr uint8_t kTransparent = 1;  // never the nearest colour of anything drawn
constexpr uint8_t kFrameDark = 118;  // board's bottom and right line
constexpr uint8_t kGridLight = 242;  // grid lines, board's top and left line
constexpr uint8_t kWhite = 255;

// A run of palette entries shading one family of colours from dark to light.
struct Ramp {
  uint8_t First;
  uint8_t Count;
};

constexpr Ramp kGreys{2, 16};
constexpr Ramp kBackground{18, 32};
constexpr Ramp kGround{50, 32};
constexpr Ramp kRoad{82, 32};
constexpr Ramp kFrame{114, 16};
constexpr Ramp kArrow{130, 32};
constexpr Ramp kArrowPressed{162, 16};
constexpr Ramp kButton{178, 32};
constexpr Ramp kButtonDisabled{210, 16};
constexpr Ramp kCaption{226, 16};
constexpr Ramp kLight{242, 13};

// The designed palette, built once.
const vx8::Palette& GamePalette();

// Palette entry i as an opaque colour.
QColor PaletteColor(uint8_t index);

// Entry `step` (0 = darkest) of a ramp, clamped to the ramp.
QColor RampColor(Ramp ramp, int step);

}  // namespace art
