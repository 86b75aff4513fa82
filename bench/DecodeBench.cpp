// Speed of decoding: a 640 x 480 picture from each stored coding, beside a plain memcpy of the
// same bytes and libpng decoding the same picture stored as a palette PNG; and the twenty
// pictures of the game's data file as the game loads them, beside libpng decoding the same
// pictures stored as palette PNGs. The PNGs are written at zlib level 9. Run with
// --benchmark_repetitions=N for medians; the ratios to compare are of figures from one run.
#include <benchmark/benchmark.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include "image/LineCodec.h"
#include "image/SegmentGeometry.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "tests/support/TestLibraryWriter.h"
#include "tools/png/PngFile.h"
#include "tools/vx8tool/ToolSupport.h"

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

// The decoder itself: every band of the picture from its stored bytes into band buffers made
// beforehand, as memcpy copies into a buffer made beforehand. (Loading with its allocations is
// measured on the real pictures below.)
void DecodePicture(benchmark::State& state, Coding coding) {
  const uint16_t bands = vx8::SegmentCount(W, H);
  std::vector<Segment> stored;
  std::vector<vx8::BandShape> shapes;
  std::vector<std::vector<uint8_t>> out;
  size_t storedBytes = 0;
  for (uint16_t i = 0; i < bands; ++i) {
    stored.push_back(CodeBand(Picture(), uint8_t(i), coding));
    storedBytes += stored.back().Stored.size();
    shapes.push_back({W, vx8::SegmentRows(W, H, uint8_t(i)), vx8::LineBytes(W)});
    out.emplace_back(vx8::SegmentBytes(W, H, uint8_t(i)));
  }
  for (auto _ : state) {
    for (uint16_t i = 0; i < bands; ++i) {
      const Segment& s = stored[i];
      const vx8::Escapes escapes{s.RunEscape, s.TripleEscape};
      if (coding == Coding::PlainRuns)
        vx8::DecodeRuns(s.Stored.data(), s.Stored.size(), out[i].data(), shapes[i], escapes);
      else
        vx8::DecodeLineCode(s.Stored.data(), s.Stored.size(), out[i].data(), shapes[i], escapes,
                            coding == Coding::PlainRows);
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  // Check once that the bands came out right, so a broken decoder cannot look fast.
  for (uint16_t i = 0; i < bands; ++i)
    if (out[i] != BandRows(Picture(), uint8_t(i)))
      state.SkipWithError("decoded band differs from the picture");
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
  png::PngPalette palette{};
  const std::vector<uint8_t> file =
      png::EncodePngIndexed(W, H, Picture().Data.data(), palette, std::nullopt, 9);
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

// The data file's bytes, and each picture in it as a palette PNG with its own pixels.
struct DataFile {
  std::vector<uint8_t> Bytes;
  std::vector<std::string> Names;
  std::vector<std::vector<uint8_t>> Pngs;
  std::vector<std::vector<uint8_t>> Pixels;  // top row first, no padding
  std::vector<std::pair<uint16_t, uint16_t>> Sizes;
  int64_t TotalPixels = 0;
};

std::unique_ptr<TVX8Library> OpenInMemory(const std::vector<uint8_t>& bytes) {
  auto library = std::make_unique<TVX8Library>();
  library->OpenLibrary(ZELTORIA_DATA_FILE, std::make_unique<platform::MemoryStream>(bytes));
  return library;
}

const DataFile* GameData() {
  static const std::unique_ptr<DataFile> data = []() -> std::unique_ptr<DataFile> {
    auto d = std::make_unique<DataFile>();
    try {
      platform::FileStream file(ZELTORIA_DATA_FILE);
      d->Bytes.resize(size_t(file.Size()));
      file.Read(d->Bytes.data(), d->Bytes.size());
    } catch (const std::exception&) {
      return nullptr;
    }
    const auto library = OpenInMemory(d->Bytes);
    if (!library->Palette()) return nullptr;
    png::PngPalette palette{};
    for (int i = 0; i < 256; ++i)
      palette[i] = {(*library->Palette())[4 * i + 2], (*library->Palette())[4 * i + 1],
                    (*library->Palette())[4 * i]};
    for (const std::string& name : library->ImageNames()) {
      TImageNode* entry = library->GetImage(name);
      const TVX8Image& image = *entry->Image;
      d->Names.push_back(name);
      d->Sizes.emplace_back(image.Width(), image.Height());
      d->Pixels.push_back(vx8tool::SurfacePixels(*library->GetImageData(entry)));
      d->Pngs.push_back(png::EncodePngIndexed(
          image.Width(), image.Height(), d->Pixels.back().data(), palette,
          image.Transparent() ? std::optional<uint8_t>(image.TransparentColor()) : std::nullopt,
          9));
      d->TotalPixels += int64_t(image.Width()) * image.Height();
      library->ReleaseImage(entry);
    }
    return d;
  }();
  return data.get();
}

// Every picture loaded and decoded as the game does it, then given back, from the file's bytes
// in memory.
void BM_DecodeDataFile(benchmark::State& state) {
  const DataFile* data = GameData();
  if (!data) return state.SkipWithError("cannot read " ZELTORIA_DATA_FILE);
  const auto library = OpenInMemory(data->Bytes);
  for (auto _ : state) {
    for (const std::string& name : data->Names) {
      TImageNode* entry = library->GetImage(name);
      benchmark::DoNotOptimize(entry->Image->Segment(0));
      library->ReleaseImage(entry);
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * data->TotalPixels);
  state.counters["pictures"] = double(data->Names.size());
  state.counters["stored_bytes"] = double(data->Bytes.size() - TVX8Library::HeadBytes);
}

void BM_LibpngDataFile(benchmark::State& state) {
  const DataFile* data = GameData();
  if (!data) return state.SkipWithError("cannot read " ZELTORIA_DATA_FILE);
  std::vector<std::vector<uint8_t>> out;
  std::vector<std::vector<png_bytep>> rows;
  size_t pngBytes = 0;
  for (size_t i = 0; i < data->Names.size(); ++i) {
    const auto [w, h] = data->Sizes[i];
    out.emplace_back(size_t(w) * h);
    rows.emplace_back(h);
    for (int y = 0; y < h; ++y) rows.back()[y] = out.back().data() + size_t(y) * w;
    pngBytes += data->Pngs[i].size();
  }
  for (auto _ : state) {
    for (size_t i = 0; i < data->Pngs.size(); ++i) {
      MemoryReader reader{data->Pngs[i].data(), data->Pngs[i].size()};
      if (!DecodePng(&reader, rows[i].data())) state.SkipWithError("libpng failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
  if (out != data->Pixels) state.SkipWithError("PNGs decoded to other pixels");
  state.SetBytesProcessed(int64_t(state.iterations()) * data->TotalPixels);
  state.counters["pictures"] = double(data->Names.size());
  state.counters["stored_bytes"] = double(pngBytes);
}

BENCHMARK(BM_DecodeLineCode);
BENCHMARK(BM_DecodePlainRuns);
BENCHMARK(BM_DecodePlainRows);
BENCHMARK(BM_Memcpy);
BENCHMARK(BM_LibpngPalette);
BENCHMARK(BM_DecodeDataFile);
BENCHMARK(BM_LibpngDataFile);

}  // namespace

BENCHMARK_MAIN();
