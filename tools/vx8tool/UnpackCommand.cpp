// vx8tool unpack FILE DIR: every reachable picture of a library as an 8-bit palette PNG, the
// palette as a 16 x 16 picture and a manifest, so that `pack` rebuilds the library.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "image/VX8Writer.h"
#include "platform/FileStream.h"
#include "platform/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/Manifest.h"
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
  platform::FileStream stream(path);
  std::vector<std::string> names;
  for (int64_t offset = TVX8Library::HeadBytes; offset < library.FileSize();) {
    stream.Seek(offset);
    names.push_back(TVX8Image::RecordName(stream));
    stream.Seek(offset);
    offset += TVX8Image::RecordSize(stream);
  }
  std::vector<std::string> reachable;
  for (size_t i = 0; i < names.size(); ++i) {
    bool hidden = false;
    for (size_t j = i + 1; j < names.size() && !hidden; ++j)
      hidden = LowerCase(names[j]) == LowerCase(names[i]);
    if (hidden)
      PrintError("warning: record " + std::to_string(i + 1) + " \"" + Printable(names[i]) +
                 "\" is hidden by a later record of the same name; left out");
    else
      reachable.push_back(names[i]);
  }
  return reachable;
}

}  // namespace

int UnpackCommand(const Args& args) {
  const std::string& path = args[0];
  const fs::path folder(args[1]);
  TVX8Library library;
  library.OpenLibrary(path);
  const std::vector<std::string> names = ReachableNames(library, path);
  // Names that pack would refuse (and that may not be safe file names) stop unpack before
  // anything is written.
  bool paletteNameTaken = false;
  for (const std::string& name : names) {
    try {
      vx8::CheckPicture({name, 1, 1, {0}, std::nullopt});
    } catch (const std::exception& e) {
      throw std::runtime_error(path + ": cannot unpack: " + e.what());
    }
    paletteNameTaken = paletteNameTaken || LowerCase(name) == "palette";
  }

  std::error_code error;
  fs::create_directories(folder, error);
  if (error)
    throw std::runtime_error("cannot make folder " + folder.string() + ": " + error.message());

  platform::PngPalette palette;
  const std::array<uint8_t, 1024>& file = *library.Palette();
  for (int i = 0; i < 256; ++i) palette[i] = {file[4 * i + 2], file[4 * i + 1], file[4 * i]};
  std::vector<uint8_t> indices(256);
  std::iota(indices.begin(), indices.end(), 0);
  Manifest manifest;
  // A picture named palette keeps its name; the palette picture then takes one that no picture
  // can have (names are at most 8 characters).
  manifest.PalettePath = paletteNameTaken ? "palette-colours.png" : "palette.png";
  platform::WritePngIndexed((folder / manifest.PalettePath).string(), 16, 16, indices.data(),
                            palette, std::nullopt);

  for (const std::string& name : names) {
    TImageNode* entry = library.GetImage(name);
    TVX8ImageData* data = library.GetImageData(entry);
    if (!data) throw std::runtime_error(name + ": cannot make its drawing surface");
    ManifestImage image{name, name + ".png", std::nullopt, 0};
    if (entry->Image->Transparent()) image.Transparent = entry->Image->TransparentColor();
    const std::vector<uint8_t> pixels = SurfacePixels(*data);
    platform::WritePngIndexed((folder / image.Path).string(), data->Width(), data->Height(),
                              pixels.data(), palette, image.Transparent);
    library.ReleaseImage(entry);
    manifest.Images.push_back(std::move(image));
  }
  // The manifest comes last: a folder with a manifest holds every picture it names.
  const fs::path manifestPath = folder / "manifest.txt";
  std::ofstream out(manifestPath, std::ios::binary);
  out << FormatManifest(manifest);
  out.close();
  if (!out) throw std::runtime_error("cannot write " + manifestPath.string());
  std::printf("%s: %zu picture%s\n", folder.string().c_str(), names.size(),
              names.size() == 1 ? "" : "s");
  return ExitOk;
}

}  // namespace vx8tool
