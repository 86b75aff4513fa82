// What `vx8tool pack` reads from the artist: PNG files of any kind through the PNG reader and
// the mapping onto the palette, and manifests through their parser. The first byte chooses:
// even, a PNG follows the second byte (bit 1: only exact colours; bit 2: the second byte is the
// picture's transparent index); odd, the rest is a manifest, which must read back the same
// after it is written out again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/png/PngFile.h"
#include "tools/vx8tool/ColourMap.h"
#include "tools/vx8tool/Manifest.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// Every colour of a cube of 6 steps, then greys: as a game palette would spread them.
vx8::Palette FuzzPalette() {
  vx8::Palette palette{};
  for (int i = 0; i < 256; ++i) {
    if (i < 216) {
      palette[i] = {uint8_t(i / 36 * 51), uint8_t(i / 6 % 6 * 51), uint8_t(i % 6 * 51)};
    } else {
      const uint8_t grey = uint8_t((i - 216) * 6 + 8);
      palette[i] = {grey, grey, grey};
    }
  }
  return palette;
}

void Picture(const uint8_t* data, size_t size, uint8_t mode) {
  if (size < 1) return;
  static const vx8::Palette palette = FuzzPalette();
  const std::optional<uint8_t> transparent =
      mode & 4 ? std::optional<uint8_t>(data[0]) : std::nullopt;
  try {
    const png::PngPicture png =
        png::DecodePng(std::vector<uint8_t>(data + 1, data + size), "fuzz.png", 1 << 16);
    vx8tool::MappingReport report;
    const std::vector<uint8_t> indices =
        vx8tool::MapPicture(png, palette, transparent, mode & 2, &report);
    Check(indices.size() == size_t(png.Width) * size_t(png.Height));
    Check(report.Changed <= report.Pixels);
    if (png.Indexed) return;
    for (size_t i = 0; i < indices.size(); ++i) {
      const uint32_t alpha = png.Argb[i] >> 24;
      // Only a clear pixel takes the transparent index; the others never do.
      if (transparent) Check((alpha == 0) == (indices[i] == *transparent));
      if (alpha == 0) continue;
      // The colour chosen is one of the nearest, counted again the slow way for the first.
      const uint32_t rgb = png.Argb[i] & 0xFFFFFFu;
      auto colour = [&](int k) {
        return uint32_t(palette[k].Red) << 16 | uint32_t(palette[k].Green) << 8 | palette[k].Blue;
      };
      uint32_t best = ~0u;
      for (int k = 0; k < 256; ++k)
        if (!transparent || k != *transparent)
          best = std::min(best, vx8tool::ColourDistance(rgb, colour(k)));
      Check(vx8tool::ColourDistance(rgb, colour(indices[i])) == best);
      break;
    }
  } catch (const png::PngError&) {
  } catch (const vx8tool::PixelError&) {
  }
}

bool SameImages(const vx8tool::Manifest& a, const vx8tool::Manifest& b) {
  if (a.PalettePath != b.PalettePath || a.Images.size() != b.Images.size()) return false;
  for (size_t i = 0; i < a.Images.size(); ++i) {
    const vx8tool::ManifestImage &x = a.Images[i], &y = b.Images[i];
    if (x.Name != y.Name || x.Path != y.Path || x.Transparent != y.Transparent) return false;
  }
  return true;
}

void ManifestText(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  vx8tool::Manifest manifest;
  try {
    manifest = vx8tool::ParseManifest(text, "fuzz.txt");
  } catch (const vx8tool::ManifestError&) {
    return;
  }
  // What the parser took, written out, must parse to the same.
  Check(
      SameImages(vx8tool::ParseManifest(vx8tool::FormatManifest(manifest), "again.txt"), manifest));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  if (data[0] & 1) {
    ManifestText(data + 1, size - 1);
  } else {
    Picture(data + 1, size - 1, data[0]);
  }
  return 0;
}
