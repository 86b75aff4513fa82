// vx8tool list FILE: every record in file order, with its size, state, band codings and stored
// sizes and transparency, including records that a later one of the same name hides.
#include <cstdio>
#include <exception>
#include <string>

#include "image/VX8Image.h"
#include "image/VX8Library.h"
#include "platform/FileStream.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

namespace {

const char* CodingName(const TVX8Image& image, const TVX8ImageSegment& segment) {
  if (image.State() == 2 || !(segment.Flags & TVX8ImageSegment::Encoded)) return "finished";
  if (segment.Flags & TVX8ImageSegment::PlainRuns) return "runs";
  if (segment.Flags & TVX8ImageSegment::RawRows) return "rows";
  return "line";
}

}  // namespace

int ListCommand(const Args& args) {
  const std::string& path = args[0];
  // Opening as the game does checks the head and walks the whole catalogue first, so the
  // walk below meets only records whose sizes are sound.
  TVX8Library library;
  OpenLibrary(library, path);
  platform::FileStream stream(path);

  int status = ExitOk;
  for (int64_t offset = TVX8Library::HeadBytes; offset < library.FileSize();) {
    stream.Seek(offset);
    const std::string name = Printable(TVX8Image::RecordName(stream));
    stream.Seek(offset);
    const uint32_t size = TVX8Image::RecordSize(stream);
    stream.Seek(offset);
    TVX8Image image;
    try {
      image.Open(stream);
      std::string codings;
      // Each band's coding and its stored size, so that one can see what the encoder chose.
      for (uint8_t i = 0; i < image.SegmentCount(); ++i)
        codings += std::string(i ? ", " : "") + CodingName(image, *image.Segment(i)) + " " +
                   std::to_string(image.Segment(i)->Size());
      std::string transparency = "opaque";
      if (image.Transparent())
        transparency = "transparent " + std::to_string(image.TransparentColor());
      std::printf("%10lld  %-8s  %5u x %-5u  state %u  %3u segment%s: %s  %s\n", (long long)offset,
                  name.c_str(), image.Width(), image.Height(), image.State(), image.SegmentCount(),
                  image.SegmentCount() == 1 ? "" : "s", codings.c_str(), transparency.c_str());
    } catch (const std::exception& e) {
      PrintError(name + ": " + WithoutOperation(e.what()));
      status = ExitFailure;
    }
    offset += size;
  }
  return status;
}

}  // namespace vx8tool
