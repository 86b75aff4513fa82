#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/TempFile.h"
#include "tests/support/TestLibraryWriter.h"

namespace {

using namespace vx8test;

struct Rgb {
  uint8_t R, G, B;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The test palette's colour of index v.
Rgb Colour(uint8_t v) {
  return {v, uint8_t(255 - v), uint8_t(v / 2)};
}

struct Sheet {
  int Exit = -1;
  std::string Err;
  int Width = 0, Height = 0;
  Bytes Rgba;

  Rgb At(int x, int y) const {
    const size_t i = 4 * (size_t(y) * Width + x);
    return {Rgba[i], Rgba[i + 1], Rgba[i + 2]};
  }
  // The top-left pixel of the first place where colour c shows, or (-1, -1).
  std::pair<int, int> Find(Rgb c) const {
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        if (At(x, y) == c) return {x, y};
    return {-1, -1};
  }
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// `limits`: shell commands run first, such as a ulimit.
Sheet RunSheet(const std::string& library, const std::string& limits = "") {
  TempFile png("sheet.png"), err("err.txt");
  const std::string command = limits + "'" + ZELTORIA_BINARY_DIR + "/vx8tool' sheet '" + library +
                              "' '" + png.Path() + "' >/dev/null 2>'" + err.Path() + "'";
  const int status = std::system(command.c_str());
  Sheet s;
  s.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  s.Err = ReadText(err.Path());
  const std::string file = ReadText(png.Path());
  if (s.Exit != 0 || file.empty()) return s;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return s;
  image.format = PNG_FORMAT_RGBA;
  s.Rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, s.Rgba.data(), 0, nullptr)) return s;
  s.Width = int(image.width);
  s.Height = int(image.height);
  return s;
}

Pixels Grid(uint16_t w, uint16_t h, std::initializer_list<uint8_t> values) {
  Pixels p(w, h);
  p.Data.assign(values);
  return p;
}

TEST(SheetCommand, ShowsEachCataloguedPictureDoubledWithTransparencyChequered) {
  TempFile file("sheet.vx8");
  WriteBytes(file.Path(),
             LibraryBytes({MakeRecord("a", Grid(3, 2, {10, 11, 12, 13, 14, 15}), Coding::LineCode),
                           MakeRecord("b", Grid(2, 2, {20, 5, 5, 21}), Coding::PlainRuns, 5),
                           MakeRecord("A", Grid(1, 1, {99}), Coding::Finished)}));
  const Sheet s = RunSheet(file.Path());
  ASSERT_EQ(s.Exit, 0) << s.Err;
  ASSERT_GT(s.Width, 0);

  // The later record of a name is the one the game sees, and the only one shown.
  EXPECT_EQ(s.Find(Colour(10)), std::make_pair(-1, -1));
  const auto [ax, ay] = s.Find(Colour(99));
  ASSERT_GE(ax, 0);
  EXPECT_EQ(s.At(ax + 1, ay + 1), Colour(99));
  EXPECT_NE(s.At(ax + 2, ay), Colour(99));

  // Each pixel becomes 2 x 2; the transparent ones show a grey check instead.
  const auto [bx, by] = s.Find(Colour(20));
  ASSERT_GE(bx, 0);
  EXPECT_EQ(s.At(bx + 1, by + 1), Colour(20));
  EXPECT_EQ(s.At(bx + 2, by + 2), Colour(21));
  EXPECT_EQ(s.At(bx + 3, by + 3), Colour(21));
  for (auto [x, y] : {std::pair{bx + 2, by}, {bx + 3, by + 1}, {bx, by + 2}}) {
    const Rgb c = s.At(x, y);
    EXPECT_TRUE(c.R == c.G && c.G == c.B && c.R > 0x80) << x << "," << y;
  }
  EXPECT_EQ(s.Find(Colour(5)), std::make_pair(-1, -1));
}

TEST(SheetCommand, AFileThatIsNoLibraryFailsAndWritesNothing) {
  TempFile file("bad.vx8");
  WriteBytes(file.Path(), Bytes(1030, 0));
  const Sheet s = RunSheet(file.Path());
  EXPECT_EQ(s.Exit, 1);
  EXPECT_EQ(s.Err, "vx8tool: " + file.Path() + ": header invalid\n");
  EXPECT_TRUE(s.Rgba.empty());
}

// A coded record whose bands hold nothing: its header is sound, its decoding fails.
Record Undecodable(const std::string& name, uint16_t w, uint16_t h, uint8_t bands) {
  return Record{name, w, h, 1, 0, 0, 3, std::nullopt, std::vector<Segment>(bands, {0, 0, 8, {}})};
}

// Pictures whose sheet would pass 32768 pixels a side or 1 GiB are refused from their headers
// (their bands are never decoded): one 65280 x 255 picture, one 1 x 65535 picture.
TEST(SheetCommand, ASheetTooLargeIsRefusedWithItsSize) {
  const std::vector<std::pair<std::vector<Record>, std::string>> cases = {
      {{Undecodable("wide", 65280, 255, 255)}, "130592 x 564 pixels, 281 MiB"},
      {{Undecodable("tall", 1, 65535, 5)}, "176 x 131124 pixels, 89 MiB"},
  };
  for (const auto& [records, size] : cases) {
    TempFile file("huge.vx8");
    WriteBytes(file.Path(), LibraryBytes(records));
    const Sheet s = RunSheet(file.Path());
    EXPECT_EQ(s.Exit, 1);
    EXPECT_EQ(s.Err, "vx8tool: the sheet would be too large: " + size +
                         " (at most 32768 x 32768 pixels and 1024 MiB)\n");
  }
}

// What failed is named: the picture that does not decode, the sheet the memory cannot hold.
TEST(SheetCommand, FailuresNameWhatFailed) {
  TempFile file("big.vx8");
  WriteBytes(file.Path(), LibraryBytes({Undecodable("big", 8000, 1000, 125)}));
  EXPECT_EQ(RunSheet(file.Path()).Err, "vx8tool: big: source buffer overflow\n");
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
  const Sheet s = RunSheet(file.Path(), "ulimit -v 120000; ");
  EXPECT_EQ(s.Exit, 1);
  EXPECT_EQ(s.Err,
            "vx8tool: the sheet (16032 x 2054 pixels, 126 MiB) is more than this machine's memory "
            "allows\n");
}

}  // namespace
