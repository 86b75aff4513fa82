// The text manifest of `vx8tool pack` and `unpack`: which palette picture and which pictures,
// in file order, with their names and transparent indices.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vx8tool {

// A fault in a manifest or in a file it names; the message names the manifest line.
class ManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ManifestImage {
  std::string Name;
  std::string Path;  // as written: relative to the manifest's folder unless absolute
  std::optional<uint8_t> Transparent;
  int Line = 0;
};

struct Manifest {
  std::string PalettePath;
  int PaletteLine = 0;
  std::vector<ManifestImage> Images;
};

// Lines of words: "palette PATH" first, then "image NAME PATH [transparent=INDEX]" in file
// order; a word that begins with # starts a comment. `source` is the manifest's name in
// messages ("DIR/manifest.txt:7: ...").
Manifest ParseManifest(const std::string& text, const std::string& source);

// The manifest as `ParseManifest` reads it back.
std::string FormatManifest(const Manifest& manifest);

// "source:line: what", the form of every manifest message.
std::string AtLine(const std::string& source, int line, const std::string& what);

}  // namespace vx8tool
