// Writes library files for tests: records built from pictures with a simple coder of each
// stored coding (finished rows, plain rows, plain runs, line code), or from hand-made bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vx8test {

using Bytes = std::vector<uint8_t>;

// A picture: Height rows of Width indices, top row first, no padding.
struct Pixels {
  uint16_t Width = 0;
  uint16_t Height = 0;
  Bytes Data;

  Pixels() = default;
  Pixels(uint16_t w, uint16_t h, uint8_t fill = 0)
      : Width(w), Height(h), Data(size_t(w) * h, fill) {}
  uint8_t& At(int x, int y) { return Data[size_t(y) * Width + size_t(x)]; }
  uint8_t At(int x, int y) const { return Data[size_t(y) * Width + size_t(x)]; }
};

enum class Coding { Finished, LineCode, PlainRows, PlainRuns };

struct Segment {
  uint8_t RunEscape = 0;
  uint8_t TripleEscape = 0;
  uint8_t Flags = 0;
  Bytes Stored;
};

struct Record {
  std::string Name;  // written as up to 8 bytes
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint8_t State = 1;
  uint8_t TransparentColor = 0;
  uint8_t Transparent = 0;
  uint16_t Format = 3;
  std::optional<uint8_t> SegmentCount;  // default: the number of segments given
  std::vector<Segment> Segments;
};

// Entry i is (red i, green 255 - i, blue i / 2), as blue, green, red, 0.
Bytes TestPalette();

// Band `index` of the picture as finished rows: bottom row first, rows padded to 4 bytes.
Bytes BandRows(const Pixels& picture, uint8_t index);
// Band `index` in the given coding. Line code and plain runs pick the band's two least used
// values of 1 to 255 as escapes; line code rows use copies, fills, runs and XOR rows.
Segment CodeBand(const Pixels& picture, uint8_t index, Coding coding);
// Every band of the picture in one coding; State 2 for finished rows, else 1.
Record MakeRecord(const std::string& name, const Pixels& picture, Coding coding,
                  std::optional<uint8_t> transparentColor = {});

Bytes RecordBytes(const Record& record);
// Head (signature, format 2, palette) and the records back to back.
Bytes LibraryBytes(const std::vector<Record>& records, const Bytes& palette = TestPalette());
void WriteBytes(const std::string& path, const Bytes& bytes);

// Offset of each record in LibraryBytes(records).
std::vector<uint32_t> RecordOffsets(const std::vector<Record>& records);

}  // namespace vx8test
