// vx8tool unpack FILE DIR: every reachable picture of a library as an 8-bit palette PNG, the
// palette as a 16 x 16 picture and a manifest, so that `pack` rebuilds the library.
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <unordered_map>

#include "image/ImageUse.h"
#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "image/VX8Writer.h"
#include "tools/png/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/Manifest.h"
#include "tools/vx8tool/SafeFiles.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

namespace {

namespace fs = std::filesystem;

std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

// The records' names in file order. Of several records of one name only the last can be
// loaded; the others are reported and left out.
std::vector<std::string> ReachableNames(const TVX8Library& library, const std::string& path) {
  const std::vector<std::string> names = RecordNames(library, path);
  std::unordered_map<std::string, size_t> last;
  for (size_t i = 0; i < names.size(); ++i) last[LowerCase(names[i])] = i;
  std::vector<std::string> reachable;
  for (size_t i = 0; i < names.size(); ++i) {
    if (last[LowerCase(names[i])] == i)
      reachable.push_back(names[i]);
    else
      PrintError("warning: record " + std::to_string(i + 1) + " \"" + Printable(names[i]) +
                 "\" is hidden by a later record of the same name; left out");
  }
  return reachable;
}

}  // namespace

int UnpackCommand(const Args& args) {
  const std::string& path = args[0];
  const fs::path folder(args[1]);
  TVX8Library library;
  OpenLibrary(library, path);
  const std::vector<std::string> names = ReachableNames(library, path);
  // Names that pack would refuse (and that may not be safe file names) stop unpack before
  // anything is written.
  bool paletteNameTaken = false;
  for (const std::string& name : names) {
    try {
      vx8::CheckPicture({name, 1, 1, {0}, std::nullopt});
    } catch (const std::exception& e) {
      throw std::runtime_error(path + ": cannot unpack: " + WithoutOperation(e.what()));
    }
    paletteNameTaken = paletteNameTaken || LowerCase(name) == "palette";
  }

  const Inputs inputs({path});
  const OutputFolder out(folder.string(), true, args.HasOption("--force"));

  png::PngPalette palette;
  const std::array<uint8_t, 1024>& file = *library.Palette();
  for (int i = 0; i < 256; ++i) palette[i] = {file[4 * i + 2], file[4 * i + 1], file[4 * i]};
  std::vector<uint8_t> indices(256);
  std::iota(indices.begin(), indices.end(), 0);
  Manifest manifest;
  // A picture named palette keeps its name; the palette picture then takes one that no picture
  // can have (names are at most 8 characters).
  manifest.PalettePath = paletteNameTaken ? "palette-colours.png" : "palette.png";
  out.Write(manifest.PalettePath,
            png::EncodePngIndexed(16, 16, indices.data(), palette, std::nullopt), &inputs, false);

  for (const std::string& name : names) {
    ManifestImage image{name, name + ".png", std::nullopt, 0};
    try {
      TImageUse entry(library, library.GetImage(name));
      TVX8ImageData* data = library.GetImageData(entry.Get());
      if (!data) throw std::runtime_error(Printable(name) + ": cannot make its drawing surface");
      if (entry.Get()->Image->Transparent())
        image.Transparent = entry.Get()->Image->TransparentColor();
      const std::vector<uint8_t> pixels = SurfacePixels(*data);
      out.Write(image.Path,
                png::EncodePngIndexed(data->Width(), data->Height(), pixels.data(), palette,
                                      image.Transparent),
                &inputs, false);
    } catch (const VX8Exception& e) {
      throw std::runtime_error(Printable(name) + ": " + WithoutOperation(e.what()));
    }
    manifest.Images.push_back(std::move(image));
  }
  // The manifest comes last, once the pictures are on the disk: a folder with a manifest holds
  // every picture it names.
  out.SyncAll();
  const std::string text = FormatManifest(manifest);
  out.Write("manifest.txt", std::vector<uint8_t>(text.begin(), text.end()), &inputs);
  std::printf("%s: %zu picture%s\n", folder.string().c_str(), names.size(),
              names.size() == 1 ? "" : "s");
  return ExitOk;
}

}  // namespace vx8tool
