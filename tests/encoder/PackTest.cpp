// vx8tool unpack and pack, run as a user runs them: the round trip of pictures, names, order,
// palette and transparency; colour mapping and its report; every kind of PNG; faults named by
// line.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "PictureKinds.h"
#include "image/VX8Writer.h"
#include "tests/support/PngKinds.h"
#include "tests/support/TestLibraryWriter.h"
#include "tools/png/PngFile.h"
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
void WriteBytes(const fs::path& path, const Bytes& bytes) {
  WriteText(path, std::string(bytes.begin(), bytes.end()));
}

// Samples of `depth` bits, most significant first, into `height` rows of whole bytes.
Bytes PackSamples(const std::vector<int>& samples, int depth, int height) {
  const size_t perRow = samples.size() / size_t(height);
  Bytes out;
  for (size_t row = 0; row < size_t(height); ++row) {
    int bits = 0, used = 0;
    for (size_t i = 0; i < perRow; ++i) {
      const int v = samples[row * perRow + i];
      if (depth == 16) {
        out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
        continue;
      }
      bits = bits << depth | v;
      used += depth;
      if (used == 8) {
        out.push_back(uint8_t(bits));
        bits = used = 0;
      }
    }
    if (used) out.push_back(uint8_t(bits << (8 - used)));
  }
  return out;
}

// A PNG of the layout from rows as libpng takes them. Palettes: white, black, then (1, 2, 3).
Bytes EncodePng(vx8test::PngLayout layout, const Bytes& packedRows) {
  layout.Palette = {{255, 255, 255}, {0, 0, 0}, {1, 2, 3}};
  return vx8test::EncodeRaw(layout, packedRows);
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

  png::PngPalette PngColours() const {
    png::PngPalette colours;
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
    const png::PngPicture png = png::ReadPng(dir_ / "first" / manifest.Images[i].Path, 1 << 20);
    EXPECT_TRUE(png.Indexed);
    EXPECT_EQ(png.Width, sample[i].Width);
    EXPECT_EQ(png.Indices, sample[i].Pixels);
    EXPECT_EQ(png.Palette[77].Green, palette_[77].Green);
  }
  const png::PngPicture colours = png::ReadPng(dir_ / "first" / "palette.png", 256);
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

TEST_F(PackTool, TrueColourPicturesAreMappedOntoTheNearestColours) {
  Bytes indices(256);
  for (int i = 0; i < 256; ++i) indices[i] = uint8_t(i);
  png::WritePngIndexed(dir_ / "pal.png", 16, 16, indices.data(), PngColours(), std::nullopt);
  auto argb = [&](int i) {
    return 0xFF000000u | uint32_t(palette_[i].Red) << 16 | uint32_t(palette_[i].Green) << 8 |
           palette_[i].Blue;
  };
  // Palette colours 5, 200 (also 201's), 9 and 255; #010203, far from every colour (nearest is
  // 111, #6f0990); #2605d8, next to 37's #2503da.
  std::vector<uint32_t> rgb = {argb(5), argb(201), argb(9), 0xFF010203, 0xFF2605D8, argb(255)};
  png::WritePngRgb32(dir_ / "rgb.png", 3, 2, rgb.data(), 3);
  WriteText(dir_ / "m.txt", "palette pal.png\nimage rgb rgb.png\n");
  const fs::path out = dir_ / "out.vx8";
  Result r = Run({"pack", dir_ / "m.txt", out});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  const std::string named = "image \"rgb\" (" + (dir_ / "rgb.png").string() + ")";
  EXPECT_EQ(r.Out, out.string() + ": 1 picture\n" + named +
                       ": 2 of 6 pixels changed colour, largest distance 179.0 at (0, 1): #010203 "
                       "became #6f0990 (index 111)\n");
  EXPECT_EQ(r.Err, "");
  r = Run({"unpack", out, dir_ / "out"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(png::ReadPng(dir_ / "out" / "rgb.png", 6).Indices, (Bytes{5, 200, 9, 111, 37, 255}));

  // --exact refuses the first colour the palette lacks, wherever the option stands.
  fs::remove(out);
  const std::string at = "vx8tool: " + (dir_ / "m.txt").string() + ":2: " + named + ": ";
  for (const auto& args : {std::vector<std::string>{"pack", "--exact", dir_ / "m.txt", out},
                           std::vector<std::string>{"pack", dir_ / "m.txt", out, "--exact"}}) {
    r = Run(args);
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, at + "pixel (0, 1) has colour #010203, which is not in the palette\n");
    EXPECT_FALSE(fs::exists(out));
  }
  r = Run({"pack", "--nearest", dir_ / "m.txt", out});
  EXPECT_EQ(r.Exit, 2);
  EXPECT_EQ(r.Err.rfind("vx8tool: unknown option --nearest for pack\n", 0), 0u) << r.Err;
}

// Every kind of PNG, interlaced or not, packs to the same indices: black, white and, where the
// kind can say so, transparent pixels.
TEST_F(PackTool, EveryKindOfPngPacksTheSame) {
  enum Shade { Black, White, Clear };
  const int w = 11, h = 7;
  auto shade = [](int x, int y) { return Shade((2 * x + y) % 3); };
  // The library's palette: grey i at index i.
  Bytes greys(256);
  png::PngPalette colours;
  for (int i = 0; i < 256; ++i) {
    greys[i] = uint8_t(i);
    colours[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
  }
  png::WritePngIndexed(dir_ / "pal.png", 16, 16, greys.data(), colours, std::nullopt);

  struct Kind {
    int ColorType, Depth;
    bool Transparent;
  };
  const Kind kinds[] = {{PNG_COLOR_TYPE_GRAY, 1, false},      {PNG_COLOR_TYPE_GRAY, 2, false},
                        {PNG_COLOR_TYPE_GRAY, 2, true},       {PNG_COLOR_TYPE_GRAY, 4, true},
                        {PNG_COLOR_TYPE_GRAY, 8, false},      {PNG_COLOR_TYPE_GRAY, 8, true},
                        {PNG_COLOR_TYPE_GRAY, 16, false},     {PNG_COLOR_TYPE_GRAY, 16, true},
                        {PNG_COLOR_TYPE_GRAY_ALPHA, 8, true}, {PNG_COLOR_TYPE_GRAY_ALPHA, 16, true},
                        {PNG_COLOR_TYPE_RGB, 8, false},       {PNG_COLOR_TYPE_RGB, 8, true},
                        {PNG_COLOR_TYPE_RGB, 16, false},      {PNG_COLOR_TYPE_RGB, 16, true},
                        {PNG_COLOR_TYPE_RGB_ALPHA, 8, true},  {PNG_COLOR_TYPE_RGB_ALPHA, 16, true},
                        {PNG_COLOR_TYPE_PALETTE, 1, false},   {PNG_COLOR_TYPE_PALETTE, 2, true},
                        {PNG_COLOR_TYPE_PALETTE, 4, false},   {PNG_COLOR_TYPE_PALETTE, 4, true},
                        {PNG_COLOR_TYPE_PALETTE, 8, false},   {PNG_COLOR_TYPE_PALETTE, 8, true}};

  std::string manifest = "palette pal.png\n";
  std::vector<Bytes> expected;
  int n = 0;
  for (const Kind& kind : kinds) {
    for (const bool interlaced : {false, true}) {
      const int max = (1 << kind.Depth) - 1;
      std::vector<int> samples;  // per pixel, as many as the kind has channels
      Bytes indices;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          const Shade s = kind.Transparent ? shade(x, y) : shade(x, y) == White ? White : Black;
          indices.push_back(s == White ? 255 : s == Clear ? 7 : 0);
          const int v = s == White ? max : 0;
          const int alpha = s == Clear ? 0 : max;
          switch (kind.ColorType) {
            case PNG_COLOR_TYPE_GRAY:  // the transparent grey is 1, in no other pixel
              samples.push_back(s == Clear ? 1 : v);
              break;
            case PNG_COLOR_TYPE_GRAY_ALPHA:
              samples.insert(samples.end(), {v, alpha});
              break;
            case PNG_COLOR_TYPE_RGB:  // the transparent colour is (1, 2, 3)
              if (s == Clear)
                samples.insert(samples.end(), {1, 2, 3});
              else
                samples.insert(samples.end(), {v, v, v});
              break;
            case PNG_COLOR_TYPE_RGB_ALPHA:
              samples.insert(samples.end(), {v, v, v, alpha});
              break;
            default:  // entries: white, black, the transparent one
              samples.push_back(s == White ? 0 : s == Black ? 1 : 2);
          }
        }
      }
      const std::string name = "k" + std::to_string(n++);
      WriteBytes(dir_ / (name + ".png"),
                 EncodePng({w, h, kind.ColorType, kind.Depth, interlaced, kind.Transparent},
                           PackSamples(samples, kind.Depth, h)));
      manifest +=
          "image " + name + " " + name + ".png" + (kind.Transparent ? " transparent=7" : "") + "\n";
      expected.push_back(indices);
    }
  }
  WriteText(dir_ / "m.txt", manifest);
  const fs::path out = dir_ / "kinds.vx8";
  Result r = Run({"pack", dir_ / "m.txt", out});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  // No colour was changed, so there is nothing to report.
  EXPECT_EQ(r.Out, out.string() + ": " + std::to_string(n) + " pictures\n");
  r = Run({"unpack", out, dir_ / "out"});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  for (int i = 0; i < n; ++i) {
    const Kind& kind = kinds[i / 2];
    EXPECT_EQ(png::ReadPng(dir_ / "out" / ("k" + std::to_string(i) + ".png"), w * h).Indices,
              expected[size_t(i)])
        << "colour type " << kind.ColorType << ", " << kind.Depth << " bits"
        << (kind.Transparent ? ", transparency" : "") << (i % 2 ? ", interlaced" : "");
  }
}

TEST_F(PackTool, DamagedPngsAreNamedAndNothingIsWritten) {
  Bytes indices(256, 0);
  png::WritePngIndexed(dir_ / "pal.png", 16, 16, indices.data(), PngColours(), std::nullopt);
  std::vector<uint32_t> pixels(20 * 20);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u);
  const Bytes good = png::EncodePngRgb32(20, 20, pixels.data(), 20);
  // Where the first IDAT chunk's data begins and how long it is.
  size_t idat = 8, idatSize = 0;
  for (;;) {
    idatSize =
        size_t(good[idat]) << 24 | good[idat + 1] << 16 | good[idat + 2] << 8 | good[idat + 3];
    if (std::string(good.begin() + long(idat) + 4, good.begin() + long(idat) + 8) == "IDAT") break;
    idat += 12 + idatSize;
  }
  idat += 8;
  auto fixCrc = [&](Bytes& png) {
    const uLong crc = crc32(0, png.data() + idat - 4, uInt(idatSize + 4));
    for (int k = 0; k < 4; ++k) png[idat + idatSize + size_t(k)] = uint8_t(crc >> (24 - 8 * k));
  };

  const fs::path bad = dir_ / "bad.png", out = dir_ / "out.vx8";
  WriteText(dir_ / "m.txt", "palette pal.png\nimage bad bad.png\n");
  const std::string at = "vx8tool: " + (dir_ / "m.txt").string() + ":2: " + bad.string() + ": ";
  auto packError = [&](const Bytes& png) {
    WriteBytes(bad, png);
    const Result r = Run({"pack", dir_ / "m.txt", out});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(r.Err.rfind(at, 0), 0u) << r.Err;
    return r.Err.substr(std::min(r.Err.size(), at.size()));
  };
  WriteBytes(bad, good);
  ASSERT_EQ(Run({"pack", dir_ / "m.txt", out}).Exit, 0);
  fs::remove(out);

  EXPECT_EQ(packError(Bytes(good.begin(), good.begin() + long(idat + idatSize / 2))),
            "file ends too early\n");
  Bytes damaged = good;
  damaged[idat + idatSize] ^= 0x40;
  EXPECT_EQ(packError(damaged), "IDAT: CRC error\n");
  // Damaged data is found by the compressed stream's own check, before the chunk's.
  damaged = good;
  damaged[idat + idatSize / 2] ^= 0x40;
  fixCrc(damaged);
  EXPECT_EQ(packError(damaged), "IDAT: incorrect data check\n");
  Bytes header = good;
  header[16 + 8] = 3;  // a bit depth no PNG has
  EXPECT_NE(packError(header).find("IHDR"), std::string::npos);
}

TEST_F(PackTool, FaultsNameTheManifestLine) {
  Bytes indices(256, 0);
  png::WritePngIndexed(dir_ / "pal.png", 16, 16, indices.data(), PngColours(), std::nullopt);
  png::WritePngIndexed(dir_ / "small.png", 8, 8, indices.data(), PngColours(), std::nullopt);
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
            at + "3: image name \"toolongname\" is longer than 8 characters\n");
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
  EXPECT_EQ(
      Run({"pack", dir_ / "none.txt", dir_ / "out.vx8"}).Err,
      "vx8tool: cannot read " + (dir_ / "none.txt").string() + ": No such file or directory\n");
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
  EXPECT_EQ(png::ReadPng(dir_ / "out" / "Palette.png", 4).Indices, (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(png::ReadPng(dir_ / "out" / "palette-colours.png", 256).Width, 16);
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
  EXPECT_EQ(png::ReadPng(dir_ / "out" / "TILE.png", 16).Indices, second.Data);
  EXPECT_FALSE(fs::exists(dir_ / "out" / "tile.png"));
}

}  // namespace
