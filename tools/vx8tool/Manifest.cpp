#include "tools/vx8tool/Manifest.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <unordered_map>

namespace vx8tool {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// A # at the start of a word begins a comment; inside a word (a name or path) it is kept.
// Words end at the same white space as Words splits them at, so that no word can begin with a
// # that the manifest would later read as a comment.
size_t CommentStart(const std::string& line) {
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i] == '#' && (i == 0 || IsSpace(line[i - 1]))) return i;
  return line.size();
}

std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

std::optional<uint8_t> ParseIndex(const std::string& text) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end || value > 255) return std::nullopt;
  return uint8_t(value);
}

}  // namespace

std::string AtLine(const std::string& source, int line, const std::string& what) {
  return source + ":" + std::to_string(line) + ": " + what;
}

Manifest ParseManifest(const std::string& text, const std::string& source) {
  Manifest manifest;
  std::unordered_map<std::string, int> lines;  // of each image name in lower case
  std::istringstream in(text);
  int number = 0;
  auto fail = [&](const std::string& what) { throw ManifestError(AtLine(source, number, what)); };
  for (std::string line; std::getline(in, line);) {
    ++number;
    line.erase(CommentStart(line));
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    if (words[0] == "palette") {
      if (words.size() != 2) fail("expected: palette PATH");
      if (manifest.PaletteLine != 0)
        fail("a second palette line; the first is line " + std::to_string(manifest.PaletteLine));
      if (!manifest.Images.empty()) fail("the palette line must come before the image lines");
      manifest.PalettePath = words[1];
      manifest.PaletteLine = number;
    } else if (words[0] == "image") {
      if (words.size() < 3 || words.size() > 4)
        fail("expected: image NAME PATH [transparent=INDEX]");
      if (manifest.PaletteLine == 0) fail("an image line before the palette line");
      ManifestImage image{words[1], words[2], std::nullopt, number};
      if (words.size() == 4) {
        const std::string prefix = "transparent=";
        if (words[3].rfind(prefix, 0) != 0) fail("unknown option \"" + words[3] + "\"");
        image.Transparent = ParseIndex(words[3].substr(prefix.size()));
        if (!image.Transparent)
          fail("transparent index \"" + words[3].substr(prefix.size()) +
               "\" is not a number from 0 to 255");
      }
      const auto [earlier, added] = lines.emplace(LowerCase(image.Name), number);
      if (!added)
        fail("image name \"" + image.Name + "\" is already used on line " +
             std::to_string(earlier->second));
      manifest.Images.push_back(std::move(image));
    } else {
      fail("unknown keyword \"" + words[0] + "\" (expected palette or image)");
    }
  }
  if (manifest.PaletteLine == 0) throw ManifestError(source + ": no palette line (palette PATH)");
  return manifest;
}

std::string FormatManifest(const Manifest& manifest) {
  std::string text =
      "# vx8tool pack manifest: the palette picture, then the pictures in file order\n";
  text += "palette " + manifest.PalettePath + "\n";
  for (const ManifestImage& image : manifest.Images) {
    text += "image " + image.Name + " " + image.Path;
    if (image.Transparent) text += " transparent=" + std::to_string(*image.Transparent);
    text += "\n";
  }
  return text;
}

}  // namespace vx8tool
