#include "tools/vx8tool/ToolSupport.h"

#include <cctype>
#include <cstdio>
#include <stdexcept>

#include "foundation/CheckedSize.h"
#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/FileStream.h"

namespace vx8tool {

Limits& ToolLimits() {
  static Limits limits;
  return limits;
}

void OpenLibrary(TVX8Library& library, const std::string& path) {
  library.SetDecodeLimit(ToolLimits().DecodedBytes);
  try {
    library.OpenLibrary(path);
  } catch (const VX8Exception& e) {
    throw std::runtime_error(path + ": " + WithoutOperation(e.what()));
  }
}

std::string WithoutOperation(const std::string& message) {
  size_t end = 0;
  while (end < message.size() && std::isalnum(static_cast<unsigned char>(message[end]))) ++end;
  const bool named = end > 0 && std::isupper(static_cast<unsigned char>(message[0])) &&
                     message.compare(end, 2, ": ") == 0;
  return named ? message.substr(end + 2) : message;
}

std::vector<std::string> RecordNames(const TVX8Library& library, const std::string& path) {
  platform::FileStream stream(path);
  std::vector<std::string> names;
  for (int64_t offset = TVX8Library::HeadBytes; offset < library.FileSize();) {
    stream.Seek(offset);
    names.push_back(TVX8Image::RecordName(stream));
    stream.Seek(offset);
    offset += TVX8Image::RecordSize(stream);
  }
  return names;
}

std::FILE*& ErrorOutput() {
  static std::FILE* out = stderr;
  return out;
}

void PrintError(const std::string& text) {
  std::fprintf(ErrorOutput(), "vx8tool: %s\n", text.c_str());
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
  pixels.reserve(foundation::CheckedBufferBytes(data.Width(), data.Height(), 1, "SurfacePixels"));
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

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
  if (text.size() < end.size()) return false;
  for (size_t i = 0; i < end.size(); ++i) {
    char c = text[text.size() - end.size() + i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

}  // namespace vx8tool
