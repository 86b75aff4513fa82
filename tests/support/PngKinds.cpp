#include "tests/support/PngKinds.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>

namespace vx8test {

std::vector<uint8_t> EncodeRaw(const PngLayout& layout, const std::vector<uint8_t>& packedRows) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep d, png_size_t n) {
        auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        bytes->insert(bytes->end(), d, d + n);
      },
      nullptr);
  if (layout.CompressionLevel >= 0) png_set_compression_level(png, layout.CompressionLevel);
  if (layout.Unfiltered) png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(png, info, layout.Width, layout.Height, layout.Depth, layout.ColorType,
               layout.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours;
  for (const PngRgb& c : layout.Palette) colours.push_back({c[0], c[1], c[2]});
  if (colours.empty())
    for (int i = 0; i < 16; ++i) colours.push_back({uint8_t(i * 16), uint8_t(255 - i), uint8_t(i)});
  colours.resize(std::min(colours.size(), size_t(1) << layout.Depth));
  if (layout.ColorType == PNG_COLOR_TYPE_PALETTE)
    png_set_PLTE(png, info, colours.data(), int(colours.size()));
  png_byte alpha[3] = {255, 255, 0};
  png_color_16 key{};
  key.gray = 1;
  key.red = 1;
  key.green = 2;
  key.blue = 3;
  if (layout.Transparent && !(layout.ColorType & PNG_COLOR_MASK_ALPHA)) {
    const bool palette = layout.ColorType == PNG_COLOR_TYPE_PALETTE;
    png_set_tRNS(png, info, alpha, palette ? std::min(3, int(colours.size())) : 0, &key);
  }
  png_write_info(png, info);
  const size_t rowBytes = packedRows.size() / size_t(layout.Height);
  std::vector<png_bytep> rows(size_t(layout.Height));
  for (size_t y = 0; y < rows.size(); ++y)
    rows[y] = const_cast<png_bytep>(packedRows.data() + y * rowBytes);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<PngSample> PngSamples() {
  struct Kind {
    const char* Name;
    int ColorType;
    int Channels;
  };
  const Kind kinds[] = {{"grey", PNG_COLOR_TYPE_GRAY, 1},
                        {"greyalpha", PNG_COLOR_TYPE_GRAY_ALPHA, 2},
                        {"rgb", PNG_COLOR_TYPE_RGB, 3},
                        {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 4},
                        {"palette", PNG_COLOR_TYPE_PALETTE, 1}};
  std::vector<PngSample> samples;
  for (const Kind& kind : kinds) {
    for (const int depth : {1, 2, 4, 8, 16}) {
      // The depths each kind may have.
      if (kind.ColorType != PNG_COLOR_TYPE_GRAY && depth < 8 &&
          kind.ColorType != PNG_COLOR_TYPE_PALETTE)
        continue;
      if (kind.ColorType == PNG_COLOR_TYPE_PALETTE && depth == 16) continue;
      for (const bool interlaced : {false, true}) {
        const PngLayout layout{9, 7, kind.ColorType, depth, interlaced};
        const size_t rowBytes = (size_t(layout.Width) * kind.Channels * depth + 7) / 8;
        std::vector<uint8_t> rows(rowBytes * size_t(layout.Height));
        for (size_t i = 0; i < rows.size(); ++i) rows[i] = uint8_t(i * 29 + (i / rowBytes) * 7);
        // Indices of 8 bits within the 16 colours of the palette.
        if (kind.ColorType == PNG_COLOR_TYPE_PALETTE && depth == 8)
          for (uint8_t& index : rows) index %= 16;
        samples.push_back({std::string(kind.Name) + "-" + std::to_string(depth) +
                               (interlaced ? "-interlaced" : ""),
                           EncodeRaw(layout, rows)});
      }
    }
  }
  return samples;
}

}  // namespace vx8test
