// Encoder speed in MB/s of raw rows, and the stored size of each kind of picture beside the same
// picture as a palette PNG at zlib's best compression.
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "image/SegmentEncoder.h"
#include "image/SegmentGeometry.h"
#include "image/VX8Writer.h"
#include "tests/encoder/PictureKinds.h"

namespace {

using testpics::Kind;

struct PngSizes {
  size_t File = 0, PixelData = 0;
};

// An 8-bit palette PNG in memory, no filters (the usual choice for palette pictures).
PngSizes PalettePngSize(const std::vector<uint8_t>& pixels, uint16_t width, uint16_t height) {
  std::vector<uint8_t> file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(
      png, &file,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        out->insert(out->end(), data, data + n);
      },
      nullptr);
  png_set_compression_level(png, Z_BEST_COMPRESSION);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours(256);
  for (int i = 0; i < 256; ++i) colours[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
  png_set_PLTE(png, info, colours.data(), 256);
  png_write_info(png, info);
  const size_t head = file.size();
  for (size_t y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(pixels.data() + y * width));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return {file.size(), file.size() - head - 12};  // less the IEND chunk
}

size_t StoredSize(const std::vector<uint8_t>& pixels, uint16_t width, uint16_t height) {
  vx8::Picture picture{"bench", width, height, pixels, std::nullopt};
  return vx8::BuildLibrary({}, {picture}).size() - 1030;
}

void BM_Encode(benchmark::State& state, Kind kind, uint16_t width, uint16_t height) {
  const std::vector<uint8_t> pixels = testpics::MakePixels(kind, width, height, 1);
  const std::vector<uint8_t> raw = testpics::PadRows(pixels, width, height, 0);
  const uint16_t bands = vx8::SegmentCount(width, height);
  const size_t bandBytes = vx8::SegmentBytes(width, height, 0);
  for (auto _ : state) {
    for (uint16_t i = 0; i < bands; ++i) {
      const vx8::BandShape shape{width, vx8::SegmentRows(width, height, uint8_t(i)),
                                 vx8::LineBytes(width)};
      benchmark::DoNotOptimize(vx8::Encode(raw.data() + bandBytes * i, shape));
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(raw.size()));
  const PngSizes png = PalettePngSize(pixels, width, height);
  state.counters["raw"] = double(size_t(width) * height);
  state.counters["vx8"] = double(StoredSize(pixels, width, height));
  state.counters["png"] = double(png.File);
  state.counters["png_idat"] = double(png.PixelData);
}

void RegisterAll() {
  for (Kind kind : testpics::AllKinds)
    benchmark::RegisterBenchmark(("Encode/" + testpics::KindName(kind) + "/640x480").c_str(),
                                 BM_Encode, kind, uint16_t(640), uint16_t(480))
        ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Encode/patched rows/1300x1300", BM_Encode, Kind::PatchedRows,
                               uint16_t(1300), uint16_t(1300))
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Encode/few colours/208x208", BM_Encode, Kind::FewColours,
                               uint16_t(208), uint16_t(208))
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
