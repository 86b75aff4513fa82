// Mapping a decoded PNG onto a library palette for `vx8tool pack`: each opaque colour becomes
// the nearest palette colour, or, when only exact colours are allowed, the first palette entry
// of that very colour.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/VX8Writer.h"
#include "tools/png/PngFile.h"

namespace vx8tool {

// A pixel that cannot be packed; the message begins with "pixel (X, Y)".
class PixelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Squared distance in red, green and blue of two 0xRRGGBB colours.
uint32_t ColourDistance(uint32_t a, uint32_t b);

// The palette entry nearest to a colour: least squared distance, the lowest index on a tie,
// never the excluded entry (a picture's transparent index). Results are cached per colour, as a
// large picture repeats few colours.
class NearestColour {
 public:
  NearestColour(const vx8::Palette& palette, std::optional<uint8_t> excluded);

  struct Match {
    uint8_t Index = 0;
    uint32_t Distance = 0;  // squared
  };
  Match Find(uint32_t rgb);

 private:
  Match Search(uint32_t rgb) const;

  // The entries but the excluded one, in order of green and then of index, so that a search
  // starts at the colour's green and stops where green alone is farther than the best match.
  struct Entry {
    int32_t Green, Red, Blue;
    uint8_t Index;
  };
  std::vector<Entry> byGreen_;
  // Direct-mapped: a slot holds a colour with its match, or kEmpty.
  static constexpr uint64_t kEmpty = ~uint64_t(0);
  std::vector<uint64_t> cache_;
};

// What the mapping did to a picture's colours.
struct MappingReport {
  size_t Pixels = 0;
  size_t Changed = 0;            // opaque pixels whose colour the palette lacked
  uint32_t LargestDistance = 0;  // squared
  int X = 0, Y = 0;              // the first pixel of the largest distance
  uint32_t From = 0, To = 0;     // its colour and the palette colour it became
  uint8_t Index = 0;
};

// The picture's pixels as palette indices. A fully transparent pixel becomes `transparent`; an
// opaque one the nearest palette colour (`exact`: only a colour the palette has). A palette PNG
// whose colours agree with `palette` at every index it uses keeps its indices, so that what
// `unpack` wrote packs back unchanged. Raises PixelError for a partly transparent pixel, a
// transparent pixel without a transparent index, an index the PNG's palette lacks, and with
// `exact` a colour the palette lacks.
std::vector<uint8_t> MapPicture(const png::PngPicture& png, const vx8::Palette& palette,
                                std::optional<uint8_t> transparent, bool exact,
                                MappingReport* report);

// "#rrggbb".
std::string HexColour(uint32_t rgb);

}  // namespace vx8tool
