#include "tools/png/PngFile.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "foundation/CheckedSize.h"
#include "platform/MemoryDevice.h"

namespace png {

namespace {

struct PngErrorText {
  char Text[256] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* error = static_cast<PngErrorText*>(png_get_error_ptr(png));
  std::snprintf(error->Text, sizeof error->Text, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + count);
}

void FlushPngBytes(png_structp) {}

struct PngLayout {
  int Width = 0;
  int Height = 0;
  int ColorType = PNG_COLOR_TYPE_RGB;
  png_bytep* Rows = nullptr;
  const png_color* Palette = nullptr;
  const png_byte* Alpha = nullptr;  // tRNS entries
  int AlphaCount = 0;
  int CompressionLevel = -1;  // zlib's default
};

// Kept free of objects with destructors: libpng reports errors by longjmp.
bool EncodeRows(const PngLayout& layout, std::vector<uint8_t>* out, PngErrorText* error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, error, OnPngError, OnPngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, AppendPngBytes, FlushPngBytes);
  png_set_compression_level(png, layout.CompressionLevel);
  png_set_IHDR(png, info, png_uint_32(layout.Width), png_uint_32(layout.Height), 8,
               layout.ColorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (layout.Palette) png_set_PLTE(png, info, layout.Palette, 256);
  if (layout.Alpha) png_set_tRNS(png, info, layout.Alpha, layout.AlphaCount, nullptr);
  png_write_info(png, info);
  png_write_image(png, layout.Rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

std::vector<uint8_t> Encode(PngLayout layout, std::vector<uint8_t>& bytes, size_t rowBytes) {
  if (layout.Width <= 0 || layout.Height <= 0) throw PngError("picture is empty");
  std::vector<png_bytep> rows(size_t(layout.Height));
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = bytes.data() + y * rowBytes;
  layout.Rows = rows.data();
  std::vector<uint8_t> out;
  PngErrorText error;
  if (!EncodeRows(layout, &out, &error))
    throw PngError(std::string("cannot encode PNG: ") + (error.Text[0] ? error.Text : "libpng"));
  return out;
}

}  // namespace

std::vector<uint8_t> EncodePngRgb32(int width, int height, const uint32_t* pixels, size_t stride) {
  const size_t w = width > 0 ? size_t(width) : 0;
  const size_t h = height > 0 ? size_t(height) : 0;
  std::vector<uint8_t> rgb(foundation::CheckedBufferBytes(int64_t(w), int64_t(h), 3, "EncodePng"));
  for (size_t y = 0; y < h; ++y) {
    const uint32_t* src = pixels + y * stride;
    uint8_t* dst = rgb.data() + y * w * 3;
    for (size_t x = 0; x < w; ++x) {
      dst[3 * x] = uint8_t(src[x] >> 16);
      dst[3 * x + 1] = uint8_t(src[x] >> 8);
      dst[3 * x + 2] = uint8_t(src[x]);
    }
  }
  PngLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.ColorType = PNG_COLOR_TYPE_RGB;
  return Encode(layout, rgb, w * 3);
}

std::vector<uint8_t> EncodePngIndexed(int width, int height, const uint8_t* indices,
                                      const PngPalette& palette,
                                      std::optional<uint8_t> transparentIndex,
                                      int compressionLevel) {
  const size_t w = width > 0 ? size_t(width) : 0;
  const size_t h = height > 0 ? size_t(height) : 0;
  std::vector<uint8_t> rows(
      indices, indices + foundation::CheckedBufferBytes(int64_t(w), int64_t(h), 1, "EncodePng"));
  png_color colors[256];
  for (int i = 0; i < 256; ++i) colors[i] = {palette[i].Red, palette[i].Green, palette[i].Blue};
  // tRNS lists alphas from entry 0 up to the transparent one; the rest stay opaque.
  png_byte alpha[256];
  std::memset(alpha, 255, sizeof alpha);
  PngLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.ColorType = PNG_COLOR_TYPE_PALETTE;
  layout.Palette = colors;
  layout.CompressionLevel = compressionLevel;
  if (transparentIndex) {
    alpha[*transparentIndex] = 0;
    layout.Alpha = alpha;
    layout.AlphaCount = *transparentIndex + 1;
  }
  return Encode(layout, rows, w);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw PngError("cannot write " + path + ": " + std::strerror(errno));
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeError = errno;
  if (std::fclose(file) != 0 || !written)
    throw PngError("cannot write " + path + ": " + std::strerror(written ? errno : writeError));
}

namespace {

template <typename EncodeFn>
void EncodeToFile(const std::string& path, EncodeFn encode) {
  std::vector<uint8_t> bytes;
  try {
    bytes = encode();
  } catch (const PngError& e) {
    throw PngError(path + ": " + e.what());
  }
  WriteFileBytes(path, bytes);
}

}  // namespace

void WritePngRgb32(const std::string& path, int width, int height, const uint32_t* pixels,
                   size_t stride) {
  EncodeToFile(path, [&] { return EncodePngRgb32(width, height, pixels, stride); });
}

void WritePngIndexed(const std::string& path, int width, int height, const uint8_t* indices,
                     const PngPalette& palette, std::optional<uint8_t> transparentIndex) {
  EncodeToFile(path,
               [&] { return EncodePngIndexed(width, height, indices, palette, transparentIndex); });
}

void SavePng(const platform::MemoryDevice& device, const std::string& path) {
  WritePngRgb32(path, device.Width(), device.Height(), device.Pixels().data(),
                size_t(device.Width()));
}

namespace {

struct PngSource {
  const uint8_t* Data;
  size_t Size;
  size_t Position = 0;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > source->Size - source->Position) png_error(png, "file ends too early");
  std::memcpy(out, source->Data + source->Position, count);
  source->Position += count;
}

struct PngReadState {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  PngErrorText Error;
  uint32_t Width = 0, Height = 0;
  bool Indexed = false;
  png_colorp Palette = nullptr;
  int PaletteSize = 0;
  png_bytep Alpha = nullptr;  // tRNS of a palette picture
  int AlphaCount = 0;
};

// Both steps are kept free of objects with destructors: libpng reports errors by longjmp.
bool ReadPngHeader(PngReadState* state, PngSource* source) {
  png_structp png = state->Png;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, source, ReadPngBytes);
  png_read_info(png, state->Info);
  state->Width = png_get_image_width(png, state->Info);
  state->Height = png_get_image_height(png, state->Info);
  const int colorType = png_get_color_type(png, state->Info);
  state->Indexed = colorType == PNG_COLOR_TYPE_PALETTE;
  if (state->Indexed) {
    png_get_PLTE(png, state->Info, &state->Palette, &state->PaletteSize);
    if (png_get_valid(png, state->Info, PNG_INFO_tRNS))
      png_get_tRNS(png, state->Info, &state->Alpha, &state->AlphaCount, nullptr);
    png_set_packing(png);  // 1, 2 and 4 bits: one index per byte
  } else {
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, state->Info);
  return true;
}

bool ReadPngRows(PngReadState* state, png_bytep* rows) {
  if (setjmp(png_jmpbuf(state->Png))) return false;
  png_read_image(state->Png, rows);
  png_read_end(state->Png, nullptr);
  return true;
}

}  // namespace

PngPicture DecodePng(const std::vector<uint8_t>& bytes, const std::string& name, size_t maxPixels) {
  auto fail = [&](const std::string& why) -> PngError { return PngError(name + ": " + why); };
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) throw fail("not a PNG file");
  PngReadState state;
  state.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state.Error, OnPngError, OnPngWarning);
  if (!state.Png) throw fail("out of memory");
  state.Info = png_create_info_struct(state.Png);
  struct Cleanup {
    PngReadState& State;
    ~Cleanup() { png_destroy_read_struct(&State.Png, &State.Info, nullptr); }
  } cleanup{state};
  if (!state.Info) throw fail("out of memory");
  auto libpngFailure = [&] {
    return fail(state.Error.Text[0] ? state.Error.Text : "cannot decode PNG");
  };
  PngSource source{bytes.data(), bytes.size()};
  if (!ReadPngHeader(&state, &source)) throw libpngFailure();
  if (uint64_t(state.Width) * state.Height > maxPixels)
    throw fail(std::to_string(state.Width) + " x " + std::to_string(state.Height) +
               " is too large (at most " + std::to_string(maxPixels) + " pixels)");
  PngPicture picture;
  picture.Width = int(state.Width);
  picture.Height = int(state.Height);
  picture.Indexed = state.Indexed;
  const size_t pixelBytes = state.Indexed ? 1 : 4;
  std::vector<uint8_t> data;
  try {
    data.resize(foundation::CheckedBufferBytes(state.Width, state.Height, int64_t(pixelBytes),
                                               "DecodePng"));
  } catch (const std::length_error&) {
    throw fail(std::to_string(state.Width) + " x " + std::to_string(state.Height) +
               " is too large");
  }
  std::vector<png_bytep> rows(state.Height);
  for (size_t y = 0; y < rows.size(); ++y) rows[y] = data.data() + y * state.Width * pixelBytes;
  if (!ReadPngRows(&state, rows.data())) throw libpngFailure();
  if (state.Indexed) {
    picture.Indices = std::move(data);
    picture.PaletteSize = std::min(state.PaletteSize, 256);
    for (int i = 0; i < picture.PaletteSize; ++i)
      picture.Palette[i] = {state.Palette[i].red, state.Palette[i].green, state.Palette[i].blue};
    for (int i = 0; i < std::min(state.AlphaCount, 256); ++i) picture.Alpha[i] = state.Alpha[i];
  } else {
    picture.Argb.resize(size_t(state.Width) * state.Height);
    for (size_t i = 0; i < picture.Argb.size(); ++i) {
      const uint8_t* p = data.data() + 4 * i;
      picture.Argb[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
  }
  return picture;
}

PngPicture ReadPng(const std::string& path, size_t maxPixels) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) throw PngError("cannot read " + path + ": " + std::strerror(errno));
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  const bool failed = std::ferror(file);
  const int error = errno;
  std::fclose(file);
  if (failed) throw PngError("cannot read " + path + ": " + std::strerror(error));
  return DecodePng(bytes, path, maxPixels);
}

}  // namespace png
