// Writes image library files: a palette and named pictures, each coded into its segments.
// Used by the tools; the game itself only reads libraries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vx8 {

struct PaletteColor {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  friend bool operator==(const PaletteColor&, const PaletteColor&) = default;
};

using Palette = std::array<PaletteColor, 256>;

struct Picture {
  std::string Name;  // 1 to 8 single-byte characters
  uint16_t Width = 0;
  uint16_t Height = 0;
  std::vector<uint8_t> Pixels;              // Width x Height indices, top row first, no padding
  std::optional<uint8_t> TransparentIndex;  // none: the picture is opaque
};

// Refuses (VX8Exception, the message BuildLibrary would give) a picture whose name, size or
// pixel count cannot be written. Names shared between pictures are BuildLibrary's to find.
void CheckPicture(const Picture& picture);

// The whole file in memory. Refuses (VX8Exception) a bad name, size or pixel count before
// coding anything. The same input always gives the same bytes.
std::vector<uint8_t> BuildLibrary(const Palette& palette, const std::vector<Picture>& pictures);

// BuildLibrary written to `path` through a temporary file renamed into place, so a failure
// never leaves a half-written library where a good one was.
void WriteLibrary(const std::string& path, const Palette& palette,
                  const std::vector<Picture>& pictures);

// Writes every byte to `fd`, again after an interrupted write; false with errno set when it
// cannot.
bool WriteAll(int fd, const std::vector<uint8_t>& bytes);

}  // namespace vx8
