// The library writer: the file's layout read back byte by byte and decoded, the refusals, and
// the replacement of an existing file that never leaves a half-written one.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>
#include <fstream>

#include "EncoderSupport.h"
#include "PictureKinds.h"
#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"
#include "image/VX8Writer.h"

namespace {

using namespace vx8;
using enctest::Bytes;
namespace fs = std::filesystem;

uint32_t Get16(const Bytes& b, size_t at) {
  return b.at(at) | b.at(at + 1) << 8;
}
uint32_t Get32(const Bytes& b, size_t at) {
  return Get16(b, at) | Get16(b, at + 2) << 16;
}

Palette TestPalette() {
  Palette palette;
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)};
  return palette;
}

Picture MakePicture(std::string name, uint16_t width, uint16_t height, testpics::Kind kind,
                    std::optional<uint8_t> transparent = std::nullopt) {
  return {std::move(name), width, height, testpics::MakePixels(kind, width, height, width),
          transparent};
}

// Reads one record at `at` the way the engine does, checks its header and returns its pixels
// top row first; `at` moves past the record.
Bytes ReadRecord(const Bytes& file, size_t& at, const Picture& expected) {
  const size_t start = at;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[start])).substr(0, 8), expected.Name);
  const uint16_t width = uint16_t(Get16(file, start + 8)),
                 height = uint16_t(Get16(file, start + 10));
  EXPECT_EQ(width, expected.Width);
  EXPECT_EQ(height, expected.Height);
  const uint8_t count = file.at(start + 12);
  EXPECT_EQ(count, SegmentCount(width, height));
  EXPECT_EQ(file.at(start + 13), 1);  // coded
  EXPECT_EQ(file.at(start + 14), expected.TransparentIndex.value_or(0));
  EXPECT_EQ(file.at(start + 15) != 0, expected.TransparentIndex.has_value());
  EXPECT_EQ(Get16(file, start + 16), 3u);
  const uint16_t line = LineBytes(width);
  Bytes rows;
  size_t begin = 18 + 4 * size_t(count);
  for (uint8_t i = 0; i < count; ++i) {
    const size_t end = Get32(file, start + 18 + 4 * i);
    EXPECT_GE(end, begin + 3);
    EXPECT_LE(start + end, file.size());
    CodedBand band{{file.at(start + begin), file.at(start + begin + 1)},
                   file.at(start + begin + 2),
                   Bytes(file.begin() + start + begin + 3, file.begin() + start + end)};
    const BandShape shape{width, SegmentRows(width, height, i), line};
    const Bytes decoded = enctest::DecodeBand(band, shape);
    rows.insert(rows.end(), decoded.begin(), decoded.end());
    begin = end;
  }
  at = start + begin;
  Bytes pixels;  // bottom-up padded rows to top-first pixels
  for (size_t y = height; y-- > 0;)
    pixels.insert(pixels.end(), rows.begin() + y * line, rows.begin() + y * line + width);
  return pixels;
}

TEST(LibraryWriter, FileReadsBackAsWritten) {
  const Palette palette = TestPalette();
  const std::vector<Picture> pictures = {
      MakePicture("tile", 31, 17, testpics::Kind::Stripes),
      MakePicture("ZELTO", 640, 480, testpics::Kind::PatchedRows, 0),
      MakePicture("abcdefgh", 1, 1, testpics::Kind::Noise, 255),
      MakePicture("noise", 301, 222, testpics::Kind::Noise, 17),
  };
  const Bytes file = BuildLibrary(palette, pictures);
  EXPECT_EQ(file, BuildLibrary(palette, pictures));  // nothing unset reaches the file
  ASSERT_GE(file.size(), 1030u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 6), (Bytes{0x56, 0x58, 8, 0, 2, 0}));
  for (int i = 0; i < 256; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(file[6 + 4 * i], palette[i].Blue);
    EXPECT_EQ(file[7 + 4 * i], palette[i].Green);
    EXPECT_EQ(file[8 + 4 * i], palette[i].Red);
    EXPECT_EQ(file[9 + 4 * i], 0);
  }
  size_t at = 1030;
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.Name);
    EXPECT_EQ(ReadRecord(file, at, picture), picture.Pixels);
    if (HasFailure()) return;
  }
  EXPECT_EQ(at, file.size());  // records back to back, nothing behind the last
  EXPECT_EQ(BuildLibrary(palette, {}).size(), 1030u);
}

std::string Refusal(const std::vector<Picture>& pictures) {
  try {
    BuildLibrary(TestPalette(), pictures);
  } catch (const VX8Exception& e) {
    return e.what();
  }
  return "";
}

TEST(LibraryWriter, RefusesUnsoundPictures) {
  const Picture good = MakePicture("good", 4, 4, testpics::Kind::Noise);
  auto with = [&](auto change) {
    Picture p = good;
    p.Name = "other";
    change(p);
    return Refusal({good, p});
  };
  EXPECT_EQ(with([](Picture& p) { p.Name = ""; }), "BuildLibrary: picture 2 has no name");
  EXPECT_EQ(with([](Picture& p) { p.Name = "ninechars"; }),
            "BuildLibrary: image name \"ninechars\" is longer than 8 characters");
  for (std::string bad : {std::string("a b"), std::string("a\0b", 3), std::string("caf\xc3\xa9"),
                          std::string("a/b"), std::string("tab\t")})
    EXPECT_NE(with([&](Picture& p) { p.Name = bad; }).find("may only hold printable ASCII"),
              std::string::npos)
        << bad;
  EXPECT_EQ(with([](Picture& p) { p.Name = "#arrow"; }),
            "BuildLibrary: image name \"#arrow\" may not begin with #");
  EXPECT_EQ(with([](Picture& p) { p.Name = "GOOD"; }),
            "BuildLibrary: image name \"GOOD\" is used twice");
  EXPECT_EQ(with([](Picture& p) { p.Width = 0, p.Pixels.clear(); }),
            "BuildLibrary: image \"other\" has a width or height of 0");
  EXPECT_EQ(with([](Picture& p) { p.Height = 0, p.Pixels.clear(); }),
            "BuildLibrary: image \"other\" has a width or height of 0");
  EXPECT_EQ(with([](Picture& p) { p.Pixels.pop_back(); }),
            "BuildLibrary: image \"other\" has 15 pixels, 4 x 4 = 16 expected");
  // 65280 x 256 needs 256 segments of one row; wider rows fit no segment at all.
  EXPECT_EQ(
      with([](Picture& p) { p.Width = 65280, p.Height = 256, p.Pixels.assign(65280 * 256, 0); }),
      "BuildLibrary: image \"other\" (65280 x 256) does not fit in 255 segments");
  EXPECT_EQ(with([](Picture& p) { p.Width = 65281, p.Height = 1, p.Pixels.assign(65281, 0); }),
            "BuildLibrary: image \"other\" (65281 x 1) does not fit in 255 segments");
  // One picture by itself, as the tools check each before they build the library.
  Picture unnamed = good;
  unnamed.Name.clear();
  EXPECT_THROW(
      {
        try {
          CheckPicture(unnamed);
        } catch (const VX8Exception& e) {
          EXPECT_STREQ(e.what(), "BuildLibrary: a picture has no name");
          throw;
        }
      },
      VX8Exception);
  EXPECT_NO_THROW(CheckPicture(good));
  Picture widest = good;
  widest.Width = 65280, widest.Height = 255, widest.Pixels.assign(65280 * 255, 9);
  EXPECT_EQ(Refusal({widest}), "");
}

class LibraryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vx8writer-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  // Only the named entries are in the folder: no temporary file is left behind.
  void ExpectEntries(std::set<std::string> names) {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder_))
      found.insert(entry.path().filename().string());
    EXPECT_EQ(found, names);
  }

  fs::path folder_;
  const std::vector<Picture> old_ = {MakePicture("old", 50, 40, testpics::Kind::Gradient)};
  const std::vector<Picture> new_ = {MakePicture("new", 400, 300, testpics::Kind::Noise)};
};

TEST_F(LibraryFile, WritesAndReplaces) {
  const std::string path = (folder_ / "zelto.vx8").string();
  WriteLibrary(path, TestPalette(), old_);
  EXPECT_EQ(Read(path), BuildLibrary(TestPalette(), old_));
#ifndef _WIN32  // Windows' files have no such permissions
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
  WriteLibrary(path, TestPalette(), new_);
  EXPECT_EQ(Read(path), BuildLibrary(TestPalette(), new_));
#ifndef _WIN32
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
  ExpectEntries({"zelto.vx8"});
}

TEST_F(LibraryFile, FailureLeavesTheOldFile) {
  const std::string path = (folder_ / "zelto.vx8").string();
  WriteLibrary(path, TestPalette(), old_);
  const Bytes before = Read(path);
  // A refused picture: nothing is written at all.
  std::vector<Picture> bad = new_;
  bad[0].Name = "";
  EXPECT_THROW(WriteLibrary(path, TestPalette(), bad), VX8Exception);
#ifndef _WIN32
  // A write that fails half-way: the file-size limit cuts the temporary file short.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message;
  try {
    WriteLibrary(path, TestPalette(), new_);
  } catch (const VX8Exception& e) {
    message = e.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(message.rfind("WriteLibrary: cannot write \"" + path + "\": ", 0), 0u) << message;
  EXPECT_EQ(Read(path), before);
  ExpectEntries({"zelto.vx8"});
#endif
  // A folder where the file should be, and a folder that does not exist.
  fs::create_directories(folder_ / "taken" / "inside");
  EXPECT_THROW(WriteLibrary((folder_ / "taken").string(), TestPalette(), new_), VX8Exception);
  EXPECT_TRUE(fs::is_directory(folder_ / "taken" / "inside"));
  EXPECT_THROW(WriteLibrary((folder_ / "missing" / "zelto.vx8").string(), TestPalette(), new_),
               VX8Exception);
  ExpectEntries({"zelto.vx8", "taken"});
}

}  // namespace
