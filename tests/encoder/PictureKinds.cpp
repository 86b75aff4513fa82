#include "PictureKinds.h"

#include <algorithm>

#include "image/SegmentGeometry.h"

namespace testpics {

namespace {

// SplitMix64: small, fast and the same on every platform.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  uint32_t Below(uint32_t n) { return n == 0 ? 0 : uint32_t(Next() % n); }
  uint8_t Byte() { return uint8_t(Next()); }
  bool Chance(uint32_t percent) { return Below(100) < percent; }

 private:
  uint64_t state_;
};

// A run length: mostly short, now and then long enough to cross the 255 limit.
uint32_t RunLength(Rng& rng) {
  switch (rng.Below(6)) {
    case 0:
      return 1;
    case 1:
      return 2;
    case 2:
      return 3;
    case 3:
      return 4 + rng.Below(12);
    case 4:
      return 16 + rng.Below(64);
    default:
      return 200 + rng.Below(200);
  }
}

void FillRuns(uint8_t* row, uint32_t width, Rng& rng, const std::vector<uint8_t>& colours) {
  for (uint32_t x = 0; x < width;) {
    const uint32_t n = std::min(width - x, RunLength(rng));
    std::fill_n(row + x, n, colours[rng.Below(uint32_t(colours.size()))]);
    x += n;
  }
}

std::vector<uint8_t> RandomColours(Rng& rng, uint32_t count) {
  std::vector<uint8_t> colours(count);
  for (auto& c : colours) c = rng.Byte();
  return colours;
}

// Changes a few spans of a row that starts as a copy of the row below.
void Patch(uint8_t* row, const uint8_t* below, uint32_t width, Rng& rng) {
  std::copy_n(below, width, row);
  const uint32_t spans = 1 + rng.Below(4);
  for (uint32_t i = 0; i < spans; ++i) {
    const uint32_t start = rng.Below(width);
    const uint32_t n = std::min(width - start, 1 + rng.Below(40));
    const uint8_t k = rng.Byte() | 1;
    switch (rng.Below(4)) {
      case 0:
        for (uint32_t x = start; x < start + n; ++x) row[x] = rng.Byte();
        break;
      case 1:
        std::fill_n(row + start, n, rng.Byte());
        break;
      case 2:
        for (uint32_t x = start; x < start + n; ++x) row[x] ^= k;
        break;
      default:
        for (uint32_t x = start; x < start + n; ++x) row[x] += uint8_t((x & 3) * k);
        break;
    }
  }
  // Now and then the whole row differs from the row below by one pattern.
  if (rng.Chance(15)) {
    const uint8_t k = rng.Byte() | 1;
    for (uint32_t x = 0; x < width; ++x) row[x] = below[x] ^ k;
  }
}

// Pairs of equal pixels whose second pixel begins a stretch equal to the row below.
void PairMatch(uint8_t* row, const uint8_t* below, uint32_t width, Rng& rng) {
  for (uint32_t x = 0; x < width;) {
    if (x + 2 < width && rng.Chance(40)) {
      row[x] = row[x + 1] = below[x + 1];
      const uint32_t n = std::min(width - x - 1, 2 + rng.Below(10));
      std::copy_n(below + x + 1, n, row + x + 1);
      x += 1 + n;
    } else {
      row[x] = uint8_t(below[x] + 1 + rng.Below(3));
      ++x;
    }
  }
}

}  // namespace

std::string KindName(Kind kind) {
  switch (kind) {
    case Kind::Noise:
      return "noise";
    case Kind::FewColours:
      return "few colours";
    case Kind::Gradient:
      return "gradient";
    case Kind::Stripes:
      return "stripes";
    case Kind::RepeatedRows:
      return "repeated rows";
    case Kind::PatchedRows:
      return "patched rows";
    case Kind::RareRuns:
      return "rare runs";
    case Kind::PairMatches:
      return "pair matches";
  }
  return "?";
}

std::vector<uint8_t> MakePixels(Kind kind, uint16_t width, uint16_t height, uint32_t seed) {
  Rng rng(seed);
  const uint32_t w = width, h = height;
  std::vector<uint8_t> pixels(size_t(w) * h);
  auto row = [&](uint32_t y) { return pixels.data() + size_t(y) * w; };
  switch (kind) {
    case Kind::Noise:
      for (auto& p : pixels) p = rng.Byte();
      break;
    case Kind::FewColours: {
      const auto colours = RandomColours(rng, 2 + rng.Below(4));
      for (uint32_t y = 0; y < h; ++y) FillRuns(row(y), w, rng, colours);
      break;
    }
    case Kind::Gradient: {
      const uint32_t dx = 1 + rng.Below(8), dy = 1 + rng.Below(8), scale = 1 + rng.Below(16);
      const bool dither = rng.Chance(50);
      for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
          row(y)[x] = uint8_t((x * dx + y * dy) / scale + (dither ? rng.Below(2) : 0));
      break;
    }
    case Kind::Stripes: {
      const auto colours = RandomColours(rng, 2 + rng.Below(6));
      const uint32_t band = 1 + rng.Below(20), slope = rng.Below(3);
      for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
          row(y)[x] = colours[((x + y * slope) / band) % colours.size()];
      break;
    }
    case Kind::RepeatedRows: {
      const auto colours = RandomColours(rng, 3 + rng.Below(20));
      for (uint32_t y = 0; y < h; ++y) {
        if (y > 0 && rng.Chance(60))
          std::copy_n(row(y - 1), w, row(y));
        else
          FillRuns(row(y), w, rng, colours);
      }
      break;
    }
    case Kind::PatchedRows:
      for (uint32_t x = 0; x < w; ++x) row(0)[x] = rng.Byte();
      for (uint32_t y = 1; y < h; ++y) Patch(row(y), row(y - 1), w, rng);
      break;
    case Kind::RareRuns: {
      // Everything but 1 and 2 is common, so those two tend to become the escapes; their
      // runs are few and of every length.
      for (auto& p : pixels) p = uint8_t(3 + rng.Below(253));
      const size_t runs = pixels.size() / 600 + 1;
      for (size_t i = 0; i < runs; ++i) {
        const size_t at = rng.Below(uint32_t(pixels.size()));
        const size_t n = std::min(pixels.size() - at, size_t(RunLength(rng)));
        std::fill_n(pixels.begin() + at, n, uint8_t(1 + rng.Below(2)));
      }
      break;
    }
    case Kind::PairMatches:
      for (uint32_t x = 0; x < w; ++x) row(0)[x] = rng.Byte();
      for (uint32_t y = 1; y < h; ++y) PairMatch(row(y), row(y - 1), w, rng);
      break;
  }
  return pixels;
}

std::vector<uint8_t> PadRows(const std::vector<uint8_t>& pixels, uint16_t width, uint16_t height,
                             uint8_t padding) {
  const size_t line = vx8::LineBytes(width);
  std::vector<uint8_t> raw(line * height, padding);
  for (size_t y = 0; y < height; ++y)
    std::copy_n(pixels.begin() + y * width, width, raw.begin() + y * line);
  return raw;
}

}  // namespace testpics
