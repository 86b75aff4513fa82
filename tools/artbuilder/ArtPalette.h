// The game's 256-colour palette: the system's own colours at both ends, fixed entries the game
// relies on, and one ramp per family of pictures so antialiased edges find close colours when
// the art is mapped onto it.
#pragma once

#include <QColor>
#include <cstdint>

#include "image/VX8Writer.h"
#include "tools/artbuilder/PaletteMapper.h"

namespace art {

// The twenty colours a 256-colour Windows display keeps for itself, entries 0 to 9 and 246 to
// 255 of its system palette. The game's palette holds them at the same places, so that a
// palette display has room for every one of the game's own colours (10 to 245) and shows each
// picture exactly.
inline constexpr uint32_t kSystemColours[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                                0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                                0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                                0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr int kSystemColoursAtEachEnd = 10;

// A run of palette entries shading one family of colours from dark to light.
struct Ramp {
  uint8_t First;
  uint8_t Count;
};

constexpr Ramp kGreys{10, 12};
constexpr Ramp kBackground{22, 29};
constexpr Ramp kGround{51, 29};
constexpr Ramp kRoad{80, 30};
constexpr Ramp kFrame{110, 16};
constexpr Ramp kArrow{126, 30};
constexpr Ramp kArrowPressed{156, 16};
constexpr Ramp kButton{172, 29};
constexpr Ramp kButtonDisabled{201, 16};
constexpr Ramp kCaption{217, 16};
constexpr Ramp kLight{233, 13};

// Entries with a meaning for the game or the mapping.
constexpr uint8_t kBlack = 0;
constexpr uint8_t kTransparent = 253;             // the system's magenta, never drawn with
constexpr uint8_t kFrameDark = kFrame.First + 4;  // board's bottom and right line
constexpr uint8_t kGridLight = kLight.First;      // grid lines, board's top and left line
constexpr uint8_t kWhite = 255;

// The designed palette, built once.
const vx8::Palette& GamePalette();
// Maps the art onto the palette: its own colours, black and white; never the other system
// colours (nor the transparent index among them).
PaletteMapper GameMapper();

// Palette entry i as an opaque colour.
QColor PaletteColor(uint8_t index);

// Entry `step` (0 = darkest) of a ramp, clamped to the ramp.
QColor RampColor(Ramp ramp, int step);

}  // namespace art
