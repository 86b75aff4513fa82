// Speed of decoding 640 x 480 pictures from each stored coding, beside a plain memcpy of the
// same bytes and libpng decoding the same picture stored as a palette PNG.
#include <benchmark/benchmark.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include "image/VX8ImageSegment.h"
#include "platform/PngFile.h"
#include "tests/support/TestLibraryWriter.h"

namespace {

using namespace vx8test;

constexpr uint16_t W = 640;
constexpr uint16_t H = 480;

// Runs of colour, repeated rows, dithered areas whose rows differ by a constant (XOR rows) and
// a little noise: the kind of art the game's pictures are.
const Pixels& Picture() {
  static const Pixels picture = [] {
    Pixels p(W, H);
    uint32_t noise = 1;
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        uint8_t v = uint8_t(16 + (x / 24 + y / 32) % 16);
        if ((x / 80 + y / 60) % 3 == 0) v = ((x + y) & 1) ? 100 : 101;
        const int dx = x - 400, dy = y - 200;
        if (dx * dx + dy * dy < 90 * 90) v = uint8_t(140 + (dx * dx + dy * dy) / 700);
        if (x > 560 && y > 400) v = uint8_t((noise = noise * 1664525 + 1013904223) >> 27);
        p.At(x, y) = v;
      }
      if (y % 4 == 3) std::memcpy(&p.At(0, y), &p.At(0, y - 1), W);
    }
    return p;
  }();
  return picture;
}

void DecodePicture(benchmark::State& state, Coding coding) {
  const uint16_t bands = vx8::SegmentCount(W, H);
  std::vector<Segment> stored;
  size_t storedBytes = 0;
  for (uint16_t i = 0; i < bands; ++i) {
    stored.push_back(CodeBand(Picture(), uint8_t(i), coding));
    storedBytes += stored.back().Stored.size();
  }
  std::vector<std::unique_ptr<TVX8ImageSegment>> segments;
  for (uint16_t i = 0; i < bands; ++i)
    segments.push_back(std::make_unique<TVX8ImageSegment>(nullptr, i));

  for (auto _ : state) {
    state.PauseTiming();
    for (uint16_t i = 0; i < bands; ++i) {
      TVX8ImageSegment& s = *segments[i];
      s.Allocate(uint32_t(stored[i].Stored.size()), TVX8ImageSegment::MovableBlock);
      std::memcpy(s.Lock(), stored[i].Stored.data(), stored[i].Stored.size());
      s.Unlock();
      s.RunEscape = stored[i].RunEscape;
      s.TripleEscape = stored[i].TripleEscape;
      s.Flags = stored[i].Flags | TVX8ImageSegment::Encoded;
    }
    state.ResumeTiming();
    for (auto& s : segments) s->Decode(W, H);
    benchmark::DoNotOptimize(segments[0]->Lock());
  }
  // Check once that the bands came out right, so a broken decoder cannot look fast.
  for (uint16_t i = 0; i < bands; ++i) {
    const uint8_t* p = segments[i]->Lock();
    if (std::memcmp(p, BandRows(Picture(), uint8_t(i)).data(), segments[i]->Size()) != 0)
      state.SkipWithError("decoded band differs from the picture");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H);
  state.counters["stored_bytes"] = double(storedBytes);
}

void BM_DecodeLineCode(benchmark::State& state) {
  DecodePicture(state, Coding::LineCode);
}
void BM_DecodePlainRuns(benchmark::State& state) {
  DecodePicture(state, Coding::PlainRuns);
}
void BM_DecodePlainRows(benchmark::State& state) {
  DecodePicture(state, Coding::PlainRows);
}

void BM_Memcpy(benchmark::State& state) {
  const std::vector<uint8_t>& src = Picture().Data;
  std::vector<uint8_t> dst(src.size());
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size());
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H);
}

struct MemoryReader {
  const uint8_t* Data;
  size_t Size;
  size_t At = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (n > r->Size - r->At) png_error(png, "read past the end");
  std::memcpy(out, r->Data + r->At, n);
  r->At += n;
}

// Palette indices, as stored, into `rows`; false on a libpng error.
bool DecodePng(MemoryReader* reader, png_bytep* rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, reader, ReadFromMemory);
  png_read_info(png, info);
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

void BM_LibpngPalette(benchmark::State& state) {
  platform::PngPalette palette{};
  const std::vector<uint8_t> file =
      platform::EncodePngIndexed(W, H, Picture().Data.data(), palette, std::nullopt);
  std::vector<uint8_t> out(size_t(W) * H);
  std::vector<png_bytep> rows(H);
  for (int y = 0; y < H; ++y) rows[y] = out.data() + size_t(y) * W;
  for (auto _ : state) {
    MemoryReader reader{file.data(), file.size()};
    if (!DecodePng(&reader, rows.data())) state.SkipWithError("libpng failed");
    benchmark::DoNotOptimize(out.data());
  }
  if (out != Picture().Data) state.SkipWithError("PNG decoded to other pixels");
  state.SetBytesProcessed(int64_t(state.iterations()) * W * H);
  state.counters["stored_bytes"] = double(file.size());
}

BENCHMARK(BM_DecodeLineCode);
BENCHMARK(BM_DecodePlainRuns);
BENCHMARK(BM_DecodePlainRows);
BENCHMARK(BM_Memcpy);
BENCHMARK(BM_LibpngPalette);

}  // namespace

BENCHMARK_MAIN();
