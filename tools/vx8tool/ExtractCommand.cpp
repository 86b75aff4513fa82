// vx8tool extract FILE NAME OUT: the decoded picture NAME, as an 8-bit palette PNG with the
// file's palette (OUT ending in .png) or as bare palette indices (OUT ending in .raw).
#include <string>

#include "image/VX8Library.h"
#include "tools/png/PngFile.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/SafeFiles.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

int ExtractCommand(const Args& args) {
  const std::string& path = args[0];
  const std::string& name = args[1];
  const std::string& out = args[2];
  const bool png = EndsWithIgnoringCase(out, ".png");
  if (!png && !EndsWithIgnoringCase(out, ".raw"))
    throw UsageError(out + ": OUT must end in .png or .raw");
  Inputs({path}).CheckNotAnInput(out);

  TVX8Library library;
  OpenLibrary(library, path);
  TImageNode* entry = library.GetImage(name);
  TVX8ImageData* data = library.GetImageData(entry);
  if (!data) throw std::runtime_error(name + ": cannot make its drawing surface");
  const std::vector<uint8_t> pixels = SurfacePixels(*data);

  if (!png) {
    WriteFileAtomically(out, pixels);
    return ExitOk;
  }
  png::PngPalette palette;
  const std::array<uint8_t, 1024>& file = *library.Palette();
  for (int i = 0; i < 256; ++i) palette[i] = {file[4 * i + 2], file[4 * i + 1], file[4 * i]};
  std::optional<uint8_t> transparent;
  if (entry->Image->Transparent()) transparent = entry->Image->TransparentColor();
  WriteFileAtomically(out, png::EncodePngIndexed(data->Width(), data->Height(), pixels.data(),
                                                 palette, transparent));
  return ExitOk;
}

}  // namespace vx8tool
