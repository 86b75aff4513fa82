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
#include "tests/support/PngKinds.h"

namespace {

using testpics::Kind;

struct PngSizes {
  size_t File = 0, PixelData = 0;
};

// An 8-bit palette PNG in memory, no filters (the usual choice for palette pictures); its pixel
// data runs from the first IDAT chunk to the IEND chunk.
PngSizes PalettePngSize(const std::vector<uint8_t>& pixels, uint16_t width, uint16_t height) {
  vx8test::PngLayout layout{width, height, PNG_COLOR_TYPE_PALETTE, 8};
  for (int i = 0; i < 256; ++i) layout.Palette.push_back({uint8_t(i), uint8_t(i), uint8_t(i)});
  layout.CompressionLevel = Z_BEST_COMPRESSION;
  layout.Unfiltered = true;
  const std::vector<uint8_t> file = vx8test::EncodeRaw(layout, pixels);
  size_t at = 8;  // the signature
  while (at + 8 <= file.size() && std::memcmp(&file[at + 4], "IDAT", 4) != 0) {
    const size_t length = size_t(file[at]) << 24 | size_t(file[at + 1]) << 16 |
                          size_t(file[at + 2]) << 8 | file[at + 3];
    at += 12 + length;
  }
  constexpr size_t iend = 12;
  return {file.size(), file.size() - at - iend};
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
