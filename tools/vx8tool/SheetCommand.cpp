// vx8tool sheet FILE OUT.png: a contact sheet of every picture in file order, each at twice its
// size under its name and size, transparent pixels on a checkerboard, to judge a library's art
// at a glance.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/FileStream.h"
#include "platform/PixelFont.h"
#include "platform/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

namespace {

using platform::kLetterAdvance;
using platform::kLetterHeight;

constexpr int kScale = 2;
constexpr int kGap = 16;
constexpr int kLabelScale = 2;
constexpr int kLabelHeight = kLetterHeight * kLabelScale + 6;
constexpr int kSheetWidth = 1100;
constexpr uint32_t kBackground = 0xFF303034;
constexpr uint32_t kLabelColour = 0xFFF0F0F0;
constexpr uint32_t kCheckLight = 0xFFC8C8C8;
constexpr uint32_t kCheckDark = 0xFF989898;

struct Shown {
  std::string Label;
  int Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;  // Width x Height indices, top row first
  bool Transparent = false;
  uint8_t TransparentColor = 0;
  int X = 0, Y = 0;  // place on the sheet
};

// The names of the records in the order the file holds them, each once.
std::vector<std::string> NamesInFileOrder(const std::string& path, const TVX8Library& library) {
  platform::FileStream stream(path);
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (int64_t offset = TVX8Library::HeadBytes; offset < library.FileSize();) {
    stream.Seek(offset);
    const std::string name = TVX8Image::RecordName(stream);
    stream.Seek(offset);
    offset += TVX8Image::RecordSize(stream);
    std::string lower = name;
    for (char& c : lower)
      if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (seen.insert(lower).second) names.push_back(name);
  }
  return names;
}

int LabelWidth(const std::string& label) {
  return int(label.size()) * kLetterAdvance * kLabelScale;
}

// Rows of cells from left to right, wrapping at the sheet's width; returns the sheet's size.
std::pair<int, int> Arrange(std::vector<Shown>& shown) {
  int x = kGap, y = kGap, rowHeight = 0, width = 0;
  for (Shown& s : shown) {
    const int w = std::max(s.Width * kScale, LabelWidth(s.Label));
    const int h = kLabelHeight + s.Height * kScale;
    if (x > kGap && x + w > kSheetWidth) {
      x = kGap;
      y += rowHeight + kGap;
      rowHeight = 0;
    }
    s.X = x;
    s.Y = y;
    x += w + kGap;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, h);
  }
  return {std::max(width, 2 * kGap), y + rowHeight + kGap};
}

}  // namespace

int SheetCommand(const Args& args) {
  const std::string& path = args[0];
  const std::string& out = args[1];
  TVX8Library library;
  library.OpenLibrary(path);
  const std::array<uint8_t, 1024>& file = *library.Palette();
  auto colour = [&file](uint8_t i) {
    return 0xFF000000u | uint32_t(file[4 * i + 2]) << 16 | uint32_t(file[4 * i + 1]) << 8 |
           file[4 * i];
  };

  std::vector<Shown> shown;
  for (const std::string& name : NamesInFileOrder(path, library)) {
    TImageNode* entry = library.GetImage(name);
    TVX8ImageData* data = library.GetImageData(entry);
    if (!data) throw std::runtime_error(Printable(name) + ": cannot make its drawing surface");
    Shown s;
    s.Width = data->Width();
    s.Height = data->Height();
    s.Label = Printable(name) + " " + std::to_string(s.Width) + "x" + std::to_string(s.Height);
    s.Pixels = SurfacePixels(*data);
    s.Transparent = entry->Image->Transparent();
    s.TransparentColor = entry->Image->TransparentColor();
    shown.push_back(std::move(s));
    library.ReleaseImage(entry);
  }

  const auto [width, height] = Arrange(shown);
  std::vector<uint32_t> sheet(size_t(width) * height, kBackground);
  for (const Shown& s : shown) {
    platform::DrawPixelText(sheet.data(), size_t(width), {0, 0, width, height}, s.X, s.Y,
                            kLabelScale, s.Label, kLabelColour);
    const int top = s.Y + kLabelHeight;
    for (int y = 0; y < s.Height * kScale; ++y) {
      uint32_t* row = sheet.data() + size_t(top + y) * width + s.X;
      const uint8_t* src = s.Pixels.data() + size_t(y / kScale) * s.Width;
      for (int x = 0; x < s.Width * kScale; ++x) {
        const uint8_t v = src[x / kScale];
        if (s.Transparent && v == s.TransparentColor)
          row[x] = ((x / 8 + y / 8) & 1) ? kCheckDark : kCheckLight;
        else
          row[x] = colour(v);
      }
    }
  }
  platform::WritePngRgb32(out, width, height, sheet.data(), size_t(width));
  std::printf("%s: %zu pictures, %d x %d\n", out.c_str(), shown.size(), width, height);
  return ExitOk;
}

}  // namespace vx8tool
