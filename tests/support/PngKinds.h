// PNG files of every kind libpng writes (grey, grey with alpha, RGB, RGBA, palette, 1 to 16
// bits, interlaced or not), for the tests of the PNG reader and the seeds of its fuzzer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vx8test {

using PngRgb = std::array<uint8_t, 3>;

struct PngLayout {
  int Width, Height, ColorType, Depth;
  bool Interlaced = false;
  // A tRNS chunk: palette entry 2 fully transparent, or the key grey 1 or colour (1, 2, 3).
  bool Transparent = false;
  // The palette of palette kinds, cut to what the depth holds; none: 16 colours
  // (16 i, 255 - i, i).
  std::vector<PngRgb> Palette = {};
  // zlib's level (-1 its default), and rows written without filters.
  int CompressionLevel = -1;
  bool Unfiltered = false;
};

// A PNG of rows packed as libpng takes them.
std::vector<uint8_t> EncodeRaw(const PngLayout& layout, const std::vector<uint8_t>& packedRows);

// One small picture of each kind, by a name that says which.
struct PngSample {
  std::string Name;
  std::vector<uint8_t> Bytes;
};
std::vector<PngSample> PngSamples();

}  // namespace vx8test
