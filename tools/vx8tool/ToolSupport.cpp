#include "tools/vx8tool/ToolSupport.h"

#include <cstdio>

#include "image/VX8ImageData.h"

namespace vx8tool {

void PrintError(const std::string& text) {
  std::fprintf(stderr, "vx8tool: %s\n", text.c_str());
}

std::string Printable(const std::string& name) {
  std::string out;
  for (unsigned char c : name) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += char(c);
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::vector<uint8_t> SurfacePixels(TVX8ImageData& data) {
  std::vector<uint8_t> pixels;
  pixels.reserve(size_t(data.Width()) * data.Height());
  if (data.Width() == 0 || data.Height() == 0) return pixels;
  int32_t y = 0;
  uint8_t* line = data.StartLine(0, y);
  for (;;) {
    pixels.insert(pixels.end(), line, line + data.Width());
    if (y + 1 >= data.Height()) break;
    line = data.NextStartLine(line, 0, y);
  }
  data.UnlockSegment(0, y);
  return pixels;
}

}  // namespace vx8tool
