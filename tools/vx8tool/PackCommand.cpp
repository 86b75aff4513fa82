// vx8tool pack MANIFEST OUT: builds an image library from a manifest, its palette picture and
// its pictures (palette PNGs taken by index, true-colour PNGs mapped onto the palette).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>

#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"
#include "image/VX8Writer.h"
#include "platform/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/Manifest.h"

namespace vx8tool {

namespace {

namespace fs = std::filesystem;

// The most pixels a picture can have: 255 bands of at most 65280 bytes.
constexpr size_t kMaxPixels = 255 * size_t(vx8::MaxSegmentBytes);

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ManifestError("cannot read " + path);
  std::string text{std::istreambuf_iterator<char>(in), {}};
  if (in.bad()) throw ManifestError("cannot read " + path);
  return text;
}

std::string HexColour(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", rgb & 0xFFFFFFu);
  return text;
}

class Packer {
 public:
  explicit Packer(std::string manifestPath) : source_(std::move(manifestPath)) {
    folder_ = fs::path(source_).parent_path();
  }

  void Run(const std::string& out) {
    const Manifest manifest = ParseManifest(ReadText(source_), source_);
    const vx8::Palette palette = ReadPalette(manifest);
    std::vector<vx8::Picture> pictures;
    for (const ManifestImage& image : manifest.Images)
      pictures.push_back(ReadPicture(image, palette));
    vx8::WriteLibrary(out, palette, pictures);
    std::printf("%s: %zu picture%s\n", out.c_str(), pictures.size(),
                pictures.size() == 1 ? "" : "s");
  }

 private:
  std::string Resolve(const std::string& path) const {
    const fs::path p(path);
    return p.is_absolute() ? path : (folder_ / p).string();
  }

  platform::PngPicture ReadPng(int line, const std::string& path) const {
    try {
      return platform::ReadPng(Resolve(path), kMaxPixels);
    } catch (const std::exception& e) {
      throw ManifestError(AtLine(source_, line, e.what()));
    }
  }

  // Pixel i of the 16 x 16 palette picture is the colour of index i.
  vx8::Palette ReadPalette(const Manifest& manifest) const {
    const int line = manifest.PaletteLine;
    const std::string path = Resolve(manifest.PalettePath);
    const platform::PngPicture png = ReadPng(line, manifest.PalettePath);
    if (png.Width != 16 || png.Height != 16)
      throw ManifestError(AtLine(source_, line,
                                 path + ": the palette picture is " + std::to_string(png.Width) +
                                     " x " + std::to_string(png.Height) + ", not 16 x 16"));
    vx8::Palette palette;
    for (int i = 0; i < 256; ++i) {
      uint32_t rgb = 0;
      if (png.Indexed) {
        const uint8_t index = png.Indices[i];
        if (index >= png.PaletteSize)
          throw ManifestError(AtLine(source_, line,
                                     path + ": pixel (" + std::to_string(i % 16) + ", " +
                                         std::to_string(i / 16) + ") has no colour"));
        const platform::PngColor& c = png.Palette[index];
        rgb = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
      } else {
        rgb = png.Argb[i];
      }
      palette[i] = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
    }
    return palette;
  }

  vx8::Picture ReadPicture(const ManifestImage& image, const vx8::Palette& palette) const {
    const int line = image.Line;
    const platform::PngPicture png = ReadPng(line, image.Path);
    vx8::Picture picture{image.Name, 0, 0, {}, image.Transparent};
    if (png.Width > 65535 || png.Height > 65535)
      throw ManifestError(AtLine(source_, line,
                                 Resolve(image.Path) + ": " + std::to_string(png.Width) + " x " +
                                     std::to_string(png.Height) + " is too large"));
    picture.Width = uint16_t(png.Width);
    picture.Height = uint16_t(png.Height);
    if (png.Indexed)
      picture.Pixels = png.Indices;
    else
      picture.Pixels = MapColours(png, image, palette);
    try {
      vx8::CheckPicture(picture);
    } catch (const VX8Exception& e) {
      throw ManifestError(AtLine(source_, line, e.what()));
    }
    return picture;
  }

  // Each colour becomes the first palette index of that colour; a fully transparent pixel
  // becomes the transparent index when the picture has one.
  std::vector<uint8_t> MapColours(const platform::PngPicture& png, const ManifestImage& image,
                                  const vx8::Palette& palette) const {
    std::unordered_map<uint32_t, uint8_t> index;
    for (int i = 255; i >= 0; --i)
      index[uint32_t(palette[i].Red) << 16 | uint32_t(palette[i].Green) << 8 | palette[i].Blue] =
          uint8_t(i);
    std::vector<uint8_t> pixels(png.Argb.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
      const uint32_t argb = png.Argb[i];
      if (argb >> 24 == 0 && image.Transparent) {
        pixels[i] = *image.Transparent;
        continue;
      }
      const auto found = index.find(argb & 0xFFFFFFu);
      if (found == index.end())
        throw ManifestError(AtLine(source_, image.Line,
                                   Resolve(image.Path) + ": pixel (" +
                                       std::to_string(i % png.Width) + ", " +
                                       std::to_string(i / png.Width) + ") has colour " +
                                       HexColour(argb) + ", which is not in the palette"));
      pixels[i] = found->second;
    }
    return pixels;
  }

  std::string source_;
  fs::path folder_;
};

}  // namespace

int PackCommand(const Args& args) {
  Packer(args[0]).Run(args[1]);
  return ExitOk;
}

}  // namespace vx8tool
