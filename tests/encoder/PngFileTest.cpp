#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/MemoryDevice.h"
#include "tools/png/PngFile.h"

namespace {

struct Decoded {
  png_uint_32 Width = 0, Height = 0;
  bool Palette = false;
  std::vector<uint8_t> Rgba;
};

Decoded DecodePng(const std::vector<uint8_t>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()));
  Decoded d;
  d.Width = image.width;
  d.Height = image.height;
  d.Palette = (image.format & PNG_FORMAT_FLAG_COLORMAP) != 0;
  image.format = PNG_FORMAT_RGBA;
  d.Rgba.resize(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, d.Rgba.data(), 0, nullptr));
  return d;
}

TEST(PngFile, TrueColourShotKeepsEveryPixel) {
  platform::MemoryDevice dev(3, 2, 0xFF102030u);
  dev.SetPixel(2, 1, 0xFFAABBCCu);
  const auto path = std::filesystem::temp_directory_path() /
                    ("zeltoria-shot-" + std::to_string(::getpid()) + ".png");
  png::SavePng(dev, path.string());
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(path);

  const Decoded d = DecodePng(bytes);
  EXPECT_EQ(d.Width, 3u);
  EXPECT_EQ(d.Height, 2u);
  EXPECT_EQ(std::vector<uint8_t>(d.Rgba.begin(), d.Rgba.begin() + 4),
            (std::vector<uint8_t>{0x10, 0x20, 0x30, 255}));
  EXPECT_EQ(std::vector<uint8_t>(d.Rgba.end() - 4, d.Rgba.end()),
            (std::vector<uint8_t>{0xAA, 0xBB, 0xCC, 255}));
}

TEST(PngFile, PalettePictureMarksItsTransparentIndex) {
  png::PngPalette palette{};
  palette[3] = {1, 2, 3};
  palette[7] = {200, 100, 50};
  const std::vector<uint8_t> indices{3, 7, 7, 3};
  const Decoded d = DecodePng(png::EncodePngIndexed(2, 2, indices.data(), palette, 7));
  EXPECT_TRUE(d.Palette);
  EXPECT_EQ(d.Rgba, (std::vector<uint8_t>{1, 2, 3, 255, 200, 100, 50, 0,  //
                                          200, 100, 50, 0, 1, 2, 3, 255}));
  const Decoded opaque = DecodePng(png::EncodePngIndexed(2, 2, indices.data(), palette, {}));
  EXPECT_EQ(opaque.Rgba[7], 255);
}

TEST(PngFile, FailuresNameTheFile) {
  platform::MemoryDevice dev(1, 1);
  try {
    png::SavePng(dev, "/nonexistent/shot.png");
    FAIL();
  } catch (const png::PngError& e) {
    EXPECT_EQ(std::string(e.what()),
              "cannot write /nonexistent/shot.png: No such file or directory");
  }
  platform::MemoryDevice empty(0, 0);
  EXPECT_THROW(png::SavePng(empty, "/tmp/never-written.png"), png::PngError);
  EXPECT_FALSE(std::filesystem::exists("/tmp/never-written.png"));
}

}  // namespace
