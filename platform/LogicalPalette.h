// A logical palette: 256 RGB entries with their flags, the colours through which palette
// indices reach a true-colour screen.
#pragma once

#include <array>
#include <cstdint>

namespace platform {

struct PaletteEntry {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t Flags = 0;

  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

constexpr uint8_t PaletteNoCollapse = 4;

// What a screen tells of its palette: whether its system palette keeps static colours, how many
// it reserves, and its entries. A screen without a palette answers as one that keeps none.
struct ScreenPalette {
  bool Static = false;  // SYSPAL_STATIC
  int ReservedColors = 0;
  std::array<PaletteEntry, 256> System{};
};

class LogicalPalette {
 public:
  std::array<PaletteEntry, 256> Entries{};

  // 0xAARRGGBB with full alpha, the pixel format of the memory device.
  uint32_t Rgb32(uint8_t index) const {
    const PaletteEntry& e = Entries[index];
    return 0xFF000000u | (uint32_t(e.Red) << 16) | (uint32_t(e.Green) << 8) | e.Blue;
  }
};

}  // namespace platform
