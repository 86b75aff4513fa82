#include "tests/support/TestLibraryWriter.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>
#include <tuple>

#include "image/SegmentGeometry.h"

namespace vx8test {

namespace {

void PutU16(Bytes& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void PutU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// The band's rows bottom first, each Width bytes.
std::vector<Bytes> BandLines(const Pixels& p, uint8_t index) {
  const uint16_t rows = vx8::SegmentRows(p.Width, p.Height, index);
  const int below = index * vx8::SegmentRows(p.Width, p.Height, 0);
  std::vector<Bytes> lines;
  for (int r = 0; r < rows; ++r) {
    const int y = p.Height - 1 - (below + r);
    lines.emplace_back(p.Data.begin() + y * p.Width, p.Data.begin() + (y + 1) * p.Width);
  }
  return lines;
}

std::pair<uint8_t, uint8_t> LeastUsed(const std::vector<Bytes>& lines) {
  std::array<size_t, 256> count{};
  for (const Bytes& line : lines)
    for (uint8_t v : line) ++count[v];
  uint8_t a = 1, b = 2;
  if (count[2] < count[1]) std::swap(a, b);
  for (int v = 3; v < 256; ++v) {
    if (count[v] < count[a]) {
      b = a;
      a = uint8_t(v);
    } else if (count[v] < count[b]) {
      b = uint8_t(v);
    }
  }
  return {a, b};
}

struct TokenWriter {
  uint8_t A, B;
  Bytes& Out;

  void Run(uint8_t v, int count) {
    while (count > 0) {
      const int n = std::min(count, 255);
      count -= n;
      if (n == 3 && v != A && v != B) {
        Out.insert(Out.end(), {B, v});
      } else if (n >= 3) {
        Out.insert(Out.end(), {A, uint8_t(n), v});
      } else if (v == A) {
        Out.insert(Out.end(), {A, uint8_t(n - 1)});
      } else if (v == B) {
        Out.insert(Out.end(), {B, n == 1 ? A : B});
      } else {
        Out.insert(Out.end(), size_t(n), v);
      }
    }
  }
};

// Tokens for row[from..]; with a previous row, stretches of 4 or more equal to it are copies.
void Tokens(Bytes& out, uint8_t a, uint8_t b, const Bytes& row, const Bytes* previous,
            size_t from) {
  TokenWriter w{a, b, out};
  const size_t width = row.size();
  size_t x = from;
  while (x < width) {
    if (previous) {
      size_t m = 0;
      while (x + m < width && row[x + m] == (*previous)[x + m]) ++m;
      if (m >= 4) {
        if (x + m == width) {
          out.insert(out.end(), {a, 2, 0});  // the rest of the row
          return;
        }
        for (size_t left = m; left > 0;) {
          const size_t k = std::min<size_t>(left, 255);
          out.insert(out.end(), {a, 2, uint8_t(k)});
          left -= k;
        }
        x += m;
        continue;
      }
    }
    size_t n = 1;
    while (x + n < width && row[x + n] == row[x]) ++n;
    w.Run(row[x], int(n));
    x += n;
  }
}

Bytes CodeLine(uint8_t a, uint8_t b, const Bytes& row, const Bytes* previous) {
  const size_t width = row.size();
  if (previous && row == *previous) return {7};
  if (std::all_of(row.begin(), row.end(), [&](uint8_t v) { return v == row[0]; }))
    return {6, row[0]};
  Bytes plain;
  size_t lead = 0;
  if (previous) {
    while (lead < width && row[lead] == (*previous)[lead]) ++lead;
    if (lead < 8) lead = 0;
    for (size_t left = lead; left > 0;) {
      const size_t k = std::min<size_t>(left, 255);
      if (k < 8) {  // a short tail of the lead is coded as pixels instead
        lead -= left;
        break;
      }
      plain.push_back(uint8_t(k));
      left -= k;
    }
  }
  plain.push_back(1);
  Tokens(plain, a, b, row, previous, lead);
  Bytes best = plain;
  if (previous) {
    Bytes diff(width);
    for (size_t i = 0; i < width; ++i) diff[i] = row[i] ^ (*previous)[i];
    Bytes xored{2};
    Tokens(xored, a, b, diff, nullptr, 0);
    if (xored.size() < best.size()) best = xored;
  }
  if (best.size() > width) {
    best = {0};
    best.insert(best.end(), row.begin(), row.end());
  }
  return best;
}

}  // namespace

Bytes TestPalette() {
  Bytes p;
  for (int i = 0; i < 256; ++i)
    p.insert(p.end(), {uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0});
  return p;
}

Bytes BandRows(const Pixels& picture, uint8_t index) {
  const uint16_t line = vx8::LineBytes(picture.Width);
  Bytes out;
  for (const Bytes& row : BandLines(picture, index)) {
    out.insert(out.end(), row.begin(), row.end());
    out.insert(out.end(), line - row.size(), 0);
  }
  return out;
}

Segment CodeBand(const Pixels& picture, uint8_t index, Coding coding) {
  const std::vector<Bytes> lines = BandLines(picture, index);
  Segment s;
  switch (coding) {
    case Coding::Finished:
      s.Stored = BandRows(picture, index);
      break;
    case Coding::PlainRows:
      s.Flags = 9;
      for (const Bytes& row : lines) s.Stored.insert(s.Stored.end(), row.begin(), row.end());
      break;
    case Coding::PlainRuns: {
      s.Flags = 10;
      std::tie(s.RunEscape, s.TripleEscape) = LeastUsed(lines);
      // One pixel stream over the band: runs go on across row ends.
      Bytes all;
      for (const Bytes& row : lines) all.insert(all.end(), row.begin(), row.end());
      TokenWriter w{s.RunEscape, s.TripleEscape, s.Stored};
      for (size_t x = 0; x < all.size();) {
        size_t n = 1;
        while (x + n < all.size() && all[x + n] == all[x]) ++n;
        w.Run(all[x], int(n));
        x += n;
      }
      break;
    }
    case Coding::LineCode:
      s.Flags = 8;
      std::tie(s.RunEscape, s.TripleEscape) = LeastUsed(lines);
      for (size_t r = 0; r < lines.size(); ++r) {
        const Bytes code =
            CodeLine(s.RunEscape, s.TripleEscape, lines[r], r ? &lines[r - 1] : nullptr);
        s.Stored.insert(s.Stored.end(), code.begin(), code.end());
      }
      break;
  }
  return s;
}

Record MakeRecord(const std::string& name, const Pixels& picture, Coding coding,
                  std::optional<uint8_t> transparentColor) {
  Record r;
  r.Name = name;
  r.Width = picture.Width;
  r.Height = picture.Height;
  r.State = coding == Coding::Finished ? 2 : 1;
  if (transparentColor) {
    r.TransparentColor = *transparentColor;
    r.Transparent = 1;
  }
  const uint16_t count = vx8::SegmentCount(picture.Width, picture.Height);
  if (count == 0 || count > 255) throw std::invalid_argument("picture cannot be banded");
  for (uint16_t i = 0; i < count; ++i) r.Segments.push_back(CodeBand(picture, uint8_t(i), coding));
  return r;
}

Bytes RecordBytes(const Record& record) {
  Bytes out;
  for (size_t i = 0; i < 8; ++i)
    out.push_back(i < record.Name.size() ? uint8_t(record.Name[i]) : 0);
  PutU16(out, record.Width);
  PutU16(out, record.Height);
  out.push_back(record.SegmentCount ? *record.SegmentCount : uint8_t(record.Segments.size()));
  out.push_back(record.State);
  out.push_back(record.TransparentColor);
  out.push_back(record.Transparent);
  PutU16(out, record.Format);
  uint32_t end = uint32_t(18 + 4 * record.Segments.size());
  for (const Segment& s : record.Segments) {
    end += uint32_t(3 + s.Stored.size());
    PutU32(out, end);
  }
  for (const Segment& s : record.Segments) {
    out.insert(out.end(), {s.RunEscape, s.TripleEscape, s.Flags});
    out.insert(out.end(), s.Stored.begin(), s.Stored.end());
  }
  return out;
}

Bytes LibraryBytes(const std::vector<Record>& records, const Bytes& palette) {
  Bytes out{0x56, 0x58, 8, 0};
  PutU16(out, 2);
  out.insert(out.end(), palette.begin(), palette.end());
  out.resize(1030, 0);
  for (const Record& r : records) {
    const Bytes bytes = RecordBytes(r);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

std::vector<uint32_t> RecordOffsets(const std::vector<Record>& records) {
  std::vector<uint32_t> offsets;
  uint32_t at = 1030;
  for (const Record& r : records) {
    offsets.push_back(at);
    at += uint32_t(RecordBytes(r).size());
  }
  return offsets;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace vx8test
