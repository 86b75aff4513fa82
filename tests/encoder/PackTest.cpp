// vx8tool unpack and pack, run as a user runs them: the round trip of pictures, names, order,
// palette and transparency; colour mapping of true-colour pictures; faults named by line.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "PictureKinds.h"
#include "image/VX8Writer.h"
#include "platform/PngFile.h"
#include "tests/support/TestLibraryWriter.h"
#include "tools/vx8tool/Manifest.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using testpics::Kind;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
Bytes ReadBytes(const fs::path& path) {
  const std::string text = ReadText(path);
  return Bytes(text.begin(), text.end());
}
void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

struct Result {
  int Exit = -1;
  std::string Out, Err;
};

class PackTool : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vx8pack-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (int i = 0; i < 256; ++i)
      palette_[i] = {uint8_t(i), uint8_t((i * 7) & 255), uint8_t(255 - i)};
    // Two entries of one colour: a mapped colour takes the first.
    palette_[201] = palette_[200];
  }
  void TearDown() override { fs::remove_all(dir_); }

  Result Run(const std::vector<std::string>& args) {
    const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
    std::string command = std::string("'") + ZELTORIA_BINARY_DIR + "/vx8tool'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(out), ReadText(err)};
    fs::remove(out);
    fs::remove(err);
    return r;
  }

  platform::PngPalette PngColours() const {
    platform::PngPalette colours;
    for (int i = 0; i < 256; ++i)
      colours[i] = {palette_[i].Red, palette_[i].Green, palette_[i].Blue};
    return colours;
  }

  std::vector<vx8::Picture> Sample() const {
    auto make = [](std::string name, uint16_t w, uint16_t h, Kind kind, std::optional<uint8_t> t) {
      return vx8::Picture{std::move(name), w, h, testpics::MakePixels(kind, w, h, w * h), t};
    };
    return {make("Tile", 32, 32, Kind::Stripes, std::nullopt),
            make("arru_up", 21, 13, Kind::FewColours, 0),
            make("zelto", 300, 500, Kind::PatchedRows, 255),
            make("a", 1, 1, Kind::Noise, std::nullopt)};
  }

  fs::path dir_;
  vx8::Palette palette_;
};

TEST_F(PackTool, UnpackPackUnpackGivesTheSameLibrary) {
  const fs::path original = dir_ / "original.vx8";
  vx8::WriteLibrary(original, palette_, Sample());
  Result r = Run({"unpack", original, dir_ / "first"});
  ASSERT_EQ(r.Exit, 0) << r.Err;

  const vx8tool::Manifest manifest =
      vx8tool::ParseManifest(ReadText(dir_ / "first" / "manifest.txt"), "manifest.txt");
  EXPECT_EQ(manifest.PalettePath, "palette.png");
  const std::vector<vx8::Picture> sample = Sample();
  ASSERT_EQ(manifest.Images.size(), sample.size());
  for (size_t i = 0; i < sample.size(); ++i) {
    SCOPED_TRACE(sample[i].Name);
    EXPECT_EQ(manifest.Images[i].Name, sample[i].Name);
    EXPECT_EQ(manifest.Images[i].Path, sample[i].Name + ".png");
    EXPECT_EQ(manifest.Images[i].Transparent, sample[i].TransparentIndex);
    const platform::PngPicture png =
        platform::ReadPng(dir_ / "first" / manifest.Images[i].Path, 1 << 20);
    EXPECT_TRUE(png.Indexed);
    EXPECT_EQ(png.Width, sample[i].Width);
    EXPECT_EQ(png.Indices, sample[i].Pixels);
    EXPECT_EQ(png.Palette[77].Green, palette_[77].Green);
  }
  const platform::PngPicture colours = platform::ReadPng(dir_ / "first" / "palette.png", 256);
  ASSERT_EQ(colours.Width, 16);
  ASSERT_EQ(colours.Height, 16);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(colours.Indices[i], i);
    EXPECT_EQ(colours.Palette[i].Red, palette_[i].Red);
    EXPECT_EQ(colours.Palette[i].Blue, palette_[i].Blue);
  }

  // The writer is deterministic, so the same pictures give the very same file.
  r = Run({"pack", dir_ / "first" / "manifest.txt", dir_ / "packed.vx8"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(ReadBytes(dir_ / "packed.vx8"), ReadBytes(original));
  // list shows what the encoder chose for each band, with its stored size.
  r = Run({"list", dir_ / "packed.vx8"});
  EXPECT_NE(r.Out.find("1 segment: rows 1 "), std::string::npos) << r.Out;
  EXPECT_NE(r.Out.find("3 segments: line "), std::string::npos) << r.Out;
  r = Run({"unpack", dir_ / "packed.vx8", dir_ / "second"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  for (const auto& entry : fs::directory_iterator(dir_ / "first"))
    EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(dir_ / "second" / entry.path().filename()))
        << entry.path().filename();
}

TEST_F(PackTool, TrueColourPicturesAreMappedOntoThePalette) {
  Bytes indices(256);
  for (int i = 0; i < 256; ++i) indices[i] = uint8_t(i);
  platform::WritePngIndexed(dir_ / "pal.png", 16, 16, indices.data(), PngColours(), std::nullopt);
  // 3 x 2: palette colours 5, 200 (also 201's), 9; a transparent pixel; 0; 255.
  auto argb = [&](int i, uint32_t alpha = 0xFF) {
    return alpha << 24 | uint32_t(palette_[i].Red) << 16 | uint32_t(palette_[i].Green) << 8 |
           palette_[i].Blue;
  };
  std::vector<uint32_t> rgb = {argb(5), argb(201), argb(9), argb(0), argb(0), argb(255)};
  platform::WritePngRgb32(dir_ / "rgb.png", 3, 2, rgb.data(), 3);
  WriteText(dir_ / "m.txt", "palette pal.png\nimage rgb rgb.png\n");
  Result r = Run({"pack", dir_ / "m.txt", dir_ / "out.vx8"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  r = Run({"unpack", dir_ / "out.vx8", dir_ / "out"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(platform::ReadPng(dir_ / "out" / "rgb.png", 6).Indices, (Bytes{5, 200, 9, 0, 0, 255}));

  // A colour the palette lacks is named with the file, the pixel and the manifest line.
  rgb[4] = 0xFF010203;
  platform::WritePngRgb32(dir_ / "rgb.png", 3, 2, rgb.data(), 3);
  r = Run({"pack", dir_ / "m.txt", dir_ / "out.vx8"});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "vx8tool: " + (dir_ / "m.txt").string() + ":2: " + (dir_ / "rgb.png").string() +
                       ": pixel (1, 1) has colour #010203, which is not in the palette\n");
}

TEST_F(PackTool, FaultsNameTheManifestLine) {
  Bytes indices(256, 0);
  platform::WritePngIndexed(dir_ / "pal.png", 16, 16, indices.data(), PngColours(), std::nullopt);
  platform::WritePngIndexed(dir_ / "small.png", 8, 8, indices.data(), PngColours(), std::nullopt);
  const fs::path manifest = dir_ / "m.txt";
  auto packError = [&](const std::string& text) {
    WriteText(manifest, text);
    const Result r = Run({"pack", manifest, dir_ / "out.vx8"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_FALSE(fs::exists(dir_ / "out.vx8"));
    return r.Err;
  };
  const std::string at = "vx8tool: " + manifest.string() + ":";
  EXPECT_EQ(packError("palette pal.png\n# comment\nimage toolongname small.png\n"),
            at + "3: BuildLibrary: image name \"toolongname\" is longer than 8 characters\n");
  EXPECT_EQ(
      packError("palette pal.png\nimage a missing.png\n"),
      at + "2: cannot read " + (dir_ / "missing.png").string() + ": No such file or directory\n");
  EXPECT_EQ(packError("palette small.png\n"), at + "1: " + (dir_ / "small.png").string() +
                                                  ": the palette picture is 8 x 8, not 16 x 16\n");
  EXPECT_EQ(packError("palette pal.png\nimage a small.png\nimage A small.png\n"),
            at + "3: image name \"A\" is already used on line 2\n");
  WriteText(dir_ / "junk.png", "not a picture");
  EXPECT_EQ(packError("palette pal.png\nimage a junk.png\n"),
            at + "2: " + (dir_ / "junk.png").string() + ": not a PNG file\n");
  EXPECT_EQ(Run({"pack", dir_ / "none.txt", dir_ / "out.vx8"}).Err,
            "vx8tool: cannot read " + (dir_ / "none.txt").string() + "\n");
  EXPECT_EQ(Run({"pack", manifest}).Exit, 2);

  // A failed pack leaves the library it would have replaced as it was.
  WriteText(dir_ / "out.vx8", "old library");
  WriteText(manifest, "palette pal.png\nimage a junk.png\n");
  EXPECT_EQ(Run({"pack", manifest, dir_ / "out.vx8"}).Exit, 1);
  EXPECT_EQ(ReadText(dir_ / "out.vx8"), "old library");
}

TEST_F(PackTool, PictureNamedPaletteKeepsItsName) {
  const std::vector<vx8::Picture> pictures = {{"Palette", 2, 2, {1, 2, 3, 4}, std::nullopt},
                                              {"x", 1, 1, {9}, std::nullopt}};
  vx8::WriteLibrary(dir_ / "p.vx8", palette_, pictures);
  ASSERT_EQ(Run({"unpack", dir_ / "p.vx8", dir_ / "out"}).Exit, 0);
  EXPECT_EQ(platform::ReadPng(dir_ / "out" / "Palette.png", 4).Indices, (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(platform::ReadPng(dir_ / "out" / "palette-colours.png", 256).Width, 16);
  ASSERT_EQ(Run({"pack", dir_ / "out" / "manifest.txt", dir_ / "q.vx8"}).Exit, 0);
  EXPECT_EQ(ReadBytes(dir_ / "q.vx8"), ReadBytes(dir_ / "p.vx8"));
}

TEST_F(PackTool, UnpackLeavesOutHiddenRecords) {
  vx8test::Pixels first(4, 4, 1), second(4, 4, 2), other(2, 2, 3);
  const fs::path file = dir_ / "dup.vx8";
  vx8test::WriteBytes(file, vx8test::LibraryBytes(
                                {vx8test::MakeRecord("tile", first, vx8test::Coding::LineCode),
                                 vx8test::MakeRecord("other", other, vx8test::Coding::PlainRows),
                                 vx8test::MakeRecord("TILE", second, vx8test::Coding::PlainRuns)}));
  const Result r = Run({"unpack", file, dir_ / "out"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Err,
            "vx8tool: warning: record 1 \"tile\" is hidden by a later record of the same name; "
            "left out\n");
  const vx8tool::Manifest manifest =
      vx8tool::ParseManifest(ReadText(dir_ / "out" / "manifest.txt"), "manifest.txt");
  ASSERT_EQ(manifest.Images.size(), 2u);
  EXPECT_EQ(manifest.Images[0].Name, "other");
  EXPECT_EQ(manifest.Images[1].Name, "TILE");
  EXPECT_EQ(platform::ReadPng(dir_ / "out" / "TILE.png", 16).Indices, second.Data);
  EXPECT_FALSE(fs::exists(dir_ / "out" / "tile.png"));
}

}  // namespace
