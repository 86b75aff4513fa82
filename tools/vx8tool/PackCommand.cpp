// vx8tool pack [--exact] MANIFEST OUT: builds an image library from a manifest, its palette
// picture and its pictures, each mapped onto the palette (see ColourMap.h), then reports what
// the palette did to each picture whose colours it changed.
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"
#include "image/VX8Writer.h"
#include "tools/png/PngFile.h"
#include "tools/vx8tool/ColourMap.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/Manifest.h"
#include "tools/vx8tool/SafeFiles.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

namespace {

namespace fs = std::filesystem;

// The most pixels a picture can have: 255 bands of at most 65280 bytes.
constexpr size_t kMaxPixels = 255 * size_t(vx8::MaxSegmentBytes);

// What pack reads and holds: a manifest of text, a PNG no larger than its largest picture
// could be, and pictures that together stay within what a library can hold.
constexpr int64_t kMaxManifestBytes = int64_t(16) << 20;
constexpr int64_t kMaxPngBytes = int64_t(256) << 20;
constexpr size_t kMaxHeldPixels = size_t(1) << 30;

std::string ReadText(const std::string& path) {
  try {
    const std::vector<uint8_t> bytes = ReadRegularFile(path, kMaxManifestBytes);
    return std::string(bytes.begin(), bytes.end());
  } catch (const std::runtime_error& e) {
    throw ManifestError(e.what());
  }
}

class Packer {
 public:
  Packer(std::string manifestPath, bool exact) : source_(std::move(manifestPath)), exact_(exact) {
    folder_ = fs::path(source_).parent_path();
  }

  void Run(const std::string& out) {
    Inputs inputs({source_});
    inputs.CheckNotAnInput(out);
    const Manifest manifest = ParseManifest(ReadText(source_), source_);
    inputs.Add(Resolve(manifest.PalettePath));
    for (const ManifestImage& image : manifest.Images) inputs.Add(Resolve(image.Path));
    inputs.CheckNotAnInput(out);
    const vx8::Palette palette = ReadPalette(manifest);
    std::vector<vx8::Picture> pictures;
    std::vector<std::string> changes;
    size_t held = 0;
    for (const ManifestImage& image : manifest.Images) {
      MappingReport report;
      pictures.push_back(ReadPicture(image, palette, &report));
      if (report.Changed > 0) changes.push_back(Describe(image, report));
      held += pictures.back().Pixels.size();
      if (held > kMaxHeldPixels)
        throw ManifestError(AtLine(source_, image.Line,
                                   "the pictures up to this line hold " + std::to_string(held) +
                                       " pixels, more than pack holds at once (" +
                                       std::to_string(kMaxHeldPixels >> 20) + " Mpixel)"));
    }
    vx8::WriteLibrary(out, palette, pictures);
    std::printf("%s: %zu picture%s\n", out.c_str(), pictures.size(),
                pictures.size() == 1 ? "" : "s");
    for (const std::string& line : changes) std::printf("%s\n", line.c_str());
  }

 private:
  std::string Resolve(const std::string& path) const {
    const fs::path p(path);
    return p.is_absolute() ? path : (folder_ / p).string();
  }

  png::PngPicture ReadPng(int line, const std::string& path) const {
    try {
      const std::string file = Resolve(path);
      return png::DecodePng(ReadRegularFile(file, kMaxPngBytes), file, kMaxPixels);
    } catch (const std::exception& e) {
      throw ManifestError(AtLine(source_, line, e.what()));
    }
  }

  // Pixel i of the 16 x 16 palette picture is the colour of index i.
  vx8::Palette ReadPalette(const Manifest& manifest) const {
    const int line = manifest.PaletteLine;
    const std::string path = Resolve(manifest.PalettePath);
    const png::PngPicture png = ReadPng(line, manifest.PalettePath);
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
        const png::PngColor& c = png.Palette[index];
        rgb = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
      } else {
        rgb = png.Argb[i];
      }
      palette[i] = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
    }
    return palette;
  }

  vx8::Picture ReadPicture(const ManifestImage& image, const vx8::Palette& palette,
                           MappingReport* report) const {
    const int line = image.Line;
    const png::PngPicture png = ReadPng(line, image.Path);
    vx8::Picture picture{image.Name, 0, 0, {}, image.Transparent};
    if (png.Width > 65535 || png.Height > 65535)
      throw ManifestError(AtLine(source_, line,
                                 Resolve(image.Path) + ": " + std::to_string(png.Width) + " x " +
                                     std::to_string(png.Height) + " is too large"));
    picture.Width = uint16_t(png.Width);
    picture.Height = uint16_t(png.Height);
    try {
      picture.Pixels = MapPicture(png, palette, image.Transparent, exact_, report);
    } catch (const PixelError& e) {
      throw ManifestError(AtLine(source_, line, Named(image) + ": " + e.what()));
    }
    try {
      vx8::CheckPicture(picture);
    } catch (const VX8Exception& e) {
      throw ManifestError(AtLine(source_, line, WithoutOperation(e.what())));
    }
    return picture;
  }

  std::string Named(const ManifestImage& image) const {
    return "image \"" + Printable(image.Name) + "\" (" + Resolve(image.Path) + ")";
  }

  // "image "NAME" (FILE): N of M pixels changed colour, largest distance D at (X, Y): #rrggbb
  // became #rrggbb (index I)"; the distance is Euclidean in red, green and blue.
  std::string Describe(const ManifestImage& image, const MappingReport& report) const {
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.1f", std::sqrt(double(report.LargestDistance)));
    return Named(image) + ": " + std::to_string(report.Changed) + " of " +
           std::to_string(report.Pixels) + " pixel" + (report.Pixels == 1 ? "" : "s") +
           " changed colour, largest distance " + distance + " at (" + std::to_string(report.X) +
           ", " + std::to_string(report.Y) + "): " + HexColour(report.From) + " became " +
           HexColour(report.To) + " (index " + std::to_string(report.Index) + ")";
  }

  std::string source_;
  bool exact_;
  fs::path folder_;
};

}  // namespace

int PackCommand(const Args& args) {
  Packer(args[0], args.HasOption("--exact")).Run(args[1]);
  return ExitOk;
}

}  // namespace vx8tool
