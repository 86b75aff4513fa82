// vx8tool sheet FILE OUT.png: a contact sheet of every picture in file order, each at twice its
// size under its name and size, transparent pixels on a checkerboard, to judge a library's art
// at a glance.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/CheckedSize.h"
#include "image/ImageUse.h"
#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/FileStream.h"
#include "platform/PixelFont.h"
#include "tools/png/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/SafeFiles.h"
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

// The largest sheet drawn: beyond it the tool refuses rather than allocate.
constexpr int64_t kMaxSheetSide = 32768;

struct Shown {
  std::string Name;
  std::string Label;
  int64_t Width = 0, Height = 0;
  int64_t X = 0, Y = 0;  // place on the sheet
};

// The names of the records in the order the file holds them, each once.
std::vector<std::string> NamesInFileOrder(const std::string& path, const TVX8Library& library) {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const std::string& name : RecordNames(library, path))
    if (seen.insert(LowerImageName(name)).second) names.push_back(name);
  return names;
}

// The size of the picture the library loads for `name`, from its record header alone.
std::pair<uint16_t, uint16_t> PictureSize(platform::FileStream& stream, const TVX8Library& library,
                                          const std::string& name) {
  stream.Seek(library.ImageOffset(name));
  TVX8Image image;
  image.Open(stream);
  return {image.Width(), image.Height()};
}

int64_t LabelWidth(const std::string& label) {
  return int64_t(label.size()) * kLetterAdvance * kLabelScale;
}

// Rows of cells from left to right, wrapping at the sheet's width; returns the sheet's size.
// In 64 bits: 255 bands of pictures at twice their size pass any 32-bit sum.
std::pair<int64_t, int64_t> Arrange(std::vector<Shown>& shown) {
  int64_t x = kGap, y = kGap, rowHeight = 0, width = 0;
  for (Shown& s : shown) {
    const int64_t w = std::max(s.Width * kScale, LabelWidth(s.Label));
    const int64_t h = kLabelHeight + s.Height * kScale;
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
  return {std::max<int64_t>(width, 2 * kGap), y + rowHeight + kGap};
}

std::string SheetSize(int64_t width, int64_t height) {
  const int64_t bytes = width * height * int64_t(sizeof(uint32_t));
  return std::to_string(width) + " x " + std::to_string(height) + " pixels, " +
         std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB";
}

void CheckSheetSize(int64_t width, int64_t height) {
  const int64_t maxBytes = ToolLimits().SheetBytes;
  if (width <= kMaxSheetSide && height <= kMaxSheetSide &&
      width * height * int64_t(sizeof(uint32_t)) <= maxBytes)
    return;
  throw std::runtime_error("the sheet would be too large: " + SheetSize(width, height) +
                           " (at most " + std::to_string(kMaxSheetSide) + " x " +
                           std::to_string(kMaxSheetSide) + " pixels and " +
                           std::to_string(maxBytes >> 20) + " MiB)");
}

}  // namespace

int SheetCommand(const Args& args) {
  const std::string& path = args[0];
  const std::string& out = args[1];
  CheckOutputName(out, ".png");
  Inputs({path}).CheckNotAnInput(out);
  TVX8Library library;
  OpenLibrary(library, path);
  const std::array<uint8_t, 1024>& file = *library.Palette();
  auto colour = [&file](uint8_t i) {
    return 0xFF000000u | uint32_t(file[4 * i + 2]) << 16 | uint32_t(file[4 * i + 1]) << 8 |
           file[4 * i];
  };

  // The layout from the record headers first, so that a sheet too large is refused before
  // any picture is decoded.
  std::vector<Shown> shown;
  {
    platform::FileStream stream(path);
    for (const std::string& name : NamesInFileOrder(path, library)) {
      const auto [w, h] = PictureSize(stream, library, name);
      shown.push_back(
          {name, Printable(name) + " " + std::to_string(w) + "x" + std::to_string(h), w, h});
    }
  }
  const auto [width, height] = Arrange(shown);
  CheckSheetSize(width, height);
  const TRect whole{0, 0, int32_t(width), int32_t(height)};
  std::vector<uint32_t> sheet;
  try {
    sheet.assign(
        foundation::CheckedBufferBytes(width, height, 1, "sheet", kMaxSheetSide * kMaxSheetSide),
        kBackground);
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("the sheet (" + SheetSize(width, height) +
                             ") is more than this machine's memory allows");
  }

  for (const Shown& s : shown) {
    TImageNode* entry = nullptr;
    try {
      entry = library.GetImage(s.Name);
    } catch (const VX8Exception& e) {
      throw std::runtime_error(Printable(s.Name) + ": " + WithoutOperation(e.what()));
    }
    TImageUse use(library, entry);
    TVX8ImageData* data = library.GetImageData(entry);
    if (!data) throw std::runtime_error(Printable(s.Name) + ": cannot make its drawing surface");
    const std::vector<uint8_t> pixels = SurfacePixels(*data);
    const int64_t pictureWidth = data->Width(), pictureHeight = data->Height();
    const bool transparent = entry->Image->Transparent();
    const uint8_t key = entry->Image->TransparentColor();
    platform::DrawPixelText(sheet.data(), size_t(width), whole, int(s.X), int(s.Y), kLabelScale,
                            s.Label, kLabelColour);
    // Every write is cut to the sheet and to the picture's own pixels.
    const int64_t top = s.Y + kLabelHeight;
    const int64_t rows = std::min(pictureHeight, s.Height) * kScale;
    const int64_t columns = std::min(pictureWidth, s.Width) * kScale;
    const int64_t shownRows = std::min(rows, height - top);
    const int64_t shownColumns = std::min(columns, width - s.X);
    for (int64_t y = 0; y < shownRows; ++y) {
      uint32_t* row = sheet.data() + (top + y) * width + s.X;
      const uint8_t* src = pixels.data() + (y / kScale) * pictureWidth;
      for (int64_t x = 0; x < shownColumns; ++x) {
        const uint8_t v = src[x / kScale];
        if (transparent && v == key)
          row[x] = ((x / 8 + y / 8) & 1) ? kCheckDark : kCheckLight;
        else
          row[x] = colour(v);
      }
    }
  }
  WriteFileAtomically(out,
                      png::EncodePngRgb32(int(width), int(height), sheet.data(), size_t(width)));
  std::printf("%s: %zu pictures, %lld x %lld\n", out.c_str(), shown.size(), (long long)width,
              (long long)height);
  return ExitOk;
}

}  // namespace vx8tool
