// PNG files of pictures: true-colour shots of a memory device and 8-bit palette pictures with
// a transparent index, written and read. The one place where libpng is used.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
class MemoryDevice;
}

namespace png {

// What went wrong, naming the file where there is one.
class PngError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PngColor {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
};

using PngPalette = std::array<PngColor, 256>;

constexpr std::array<uint8_t, 256> FullAlpha() {
  std::array<uint8_t, 256> alpha{};
  for (uint8_t& a : alpha) a = 255;
  return alpha;
}

// `pixels`: height rows of 0xAARRGGBB, top row first, `stride` pixels apart. Alpha is dropped.
std::vector<uint8_t> EncodePngRgb32(int width, int height, const uint32_t* pixels, size_t stride);
// `indices`: height rows of width palette indices, top row first, no padding. With a
// transparent index, that palette entry is fully transparent (a tRNS chunk). The zlib level is
// 0 to 9, or -1 for zlib's default.
std::vector<uint8_t> EncodePngIndexed(int width, int height, const uint8_t* indices,
                                      const PngPalette& palette,
                                      std::optional<uint8_t> transparentIndex,
                                      int compressionLevel = -1);

// The encoded file written to `path`; raises PngError naming the path.
void WritePngRgb32(const std::string& path, int width, int height, const uint32_t* pixels,
                   size_t stride);
void WritePngIndexed(const std::string& path, int width, int height, const uint8_t* indices,
                     const PngPalette& palette, std::optional<uint8_t> transparentIndex);
void SavePng(const platform::MemoryDevice& device, const std::string& path);

// Writes bytes to `path`, raising PngError "cannot write PATH: REASON".
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A decoded PNG. A palette picture keeps its indices (depths under 8 bits widened to one byte
// each); every other kind becomes 0xAARRGGBB pixels, opaque where the file has no alpha, 16-bit
// samples scaled to 8 bits with rounding.
struct PngPicture {
  int Width = 0;
  int Height = 0;
  bool Indexed = false;
  std::vector<uint8_t> Indices;  // Indexed: Width x Height, top row first, no padding
  PngPalette Palette{};          // Indexed: the file's colours, PaletteSize of them
  int PaletteSize = 0;
  std::array<uint8_t, 256> Alpha = FullAlpha();  // Indexed: each entry's alpha (tRNS), else 255
  std::vector<uint32_t> Argb;                    // otherwise: Width x Height, top row first
};

// Decodes a PNG held in memory; raises PngError "NAME: REASON". A picture of more than
// `maxPixels` pixels is refused before its rows are read.
PngPicture DecodePng(const std::vector<uint8_t>& bytes, const std::string& name, size_t maxPixels);
// Reads and decodes the file; raises PngError naming the path.
PngPicture ReadPng(const std::string& path, size_t maxPixels);

}  // namespace png
