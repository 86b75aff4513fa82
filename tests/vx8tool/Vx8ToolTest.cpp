#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "tests/support/TempFile.h"
#include "tests/support/TestLibraryWriter.h"

namespace {

using namespace vx8test;

struct Result {
  int Exit = -1;
  std::string Out, Err;
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Runs the built tool with the arguments (each quoted) and collects what it printed.
Result RunTool(const std::vector<std::string>& args) {
  TempFile out("out.txt"), err("err.txt");
  std::string command = std::string("'") + ZELTORIA_BINARY_DIR + "/vx8tool'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " >'" + out.Path() + "' 2>'" + err.Path() + "'";
  const int status = std::system(command.c_str());
  Result r;
  r.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.Out = ReadText(out.Path());
  r.Err = ReadText(err.Path());
  return r;
}

Pixels Picture(uint16_t w, uint16_t h, uint8_t base) {
  Pixels p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y) = uint8_t(base + (x ^ y));
  return p;
}

struct Library {
  TempFile File{"tool.vx8"};
  std::vector<Record> Records;
  explicit Library(std::vector<Record> records) : Records(std::move(records)) {
    WriteBytes(File.Path(), LibraryBytes(Records));
  }
};

std::vector<Record> Sample() {
  return {MakeRecord("tile", Picture(16, 8, 10), Coding::LineCode),
          MakeRecord("arrow", Picture(9, 5, 50), Coding::PlainRuns, 50),
          MakeRecord("tall", Picture(300, 500, 3), Coding::Finished),
          MakeRecord("tile", Picture(4, 4, 1), Coding::PlainRows)};
}

TEST(Vx8Tool, ListsEveryRecordInFileOrder) {
  Library lib(Sample());
  const Result r = RunTool({"list", lib.File.Path()});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  const std::vector<uint32_t> offsets = RecordOffsets(lib.Records);
  std::istringstream lines(r.Out);
  std::vector<std::string> got;
  for (std::string line; std::getline(lines, line);) got.push_back(line);
  ASSERT_EQ(got.size(), 4u) << r.Out;
  auto expectLine = [&](size_t i, const std::vector<std::string>& words) {
    EXPECT_EQ(got[i].find(std::to_string(offsets[i])), got[i].find_first_not_of(' ')) << got[i];
    for (const std::string& w : words)
      EXPECT_NE(got[i].find(w), std::string::npos) << got[i] << " / " << w;
  };
  expectLine(0, {"tile", "16 x 8", "state 1", "1 segment: line", "opaque"});
  expectLine(1, {"arrow", "9 x 5", "1 segment: runs", "transparent 50"});
  expectLine(2, {"tall", "300 x 500", "state 2",
                 "3 segments: finished 50100, finished 50100, finished 49800"});
  expectLine(3, {"tile", "4 x 4", "1 segment: rows 16"});
}

TEST(Vx8Tool, VerifyLoadsEveryPicture) {
  Library good(Sample());
  Result r = RunTool({"verify", good.File.Path()});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, "ok: 3 pictures\n");

  std::vector<Record> records = Sample();
  records[1].Segments[0].Stored.resize(2);  // "arrow" runs out of stored bytes
  Library bad(records);
  r = RunTool({"verify", bad.File.Path()});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "vx8tool: arrow: source buffer overflow\n");

  r = RunTool({"verify", "/nonexistent.vx8"});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "vx8tool: Cannot open file /nonexistent.vx8\n");
}

TEST(Vx8Tool, ExtractWritesIndicesOrAPalettePng) {
  Library lib(Sample());
  TempFile raw("tall.raw");
  Result r = RunTool({"extract", lib.File.Path(), "TALL", raw.Path()});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  const std::string bytes = ReadText(raw.Path());
  EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), Picture(300, 500, 3).Data);

  TempFile png("arrow.png");
  r = RunTool({"extract", lib.File.Path(), "arrow", png.Path()});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  const std::string file = ReadText(png.Path());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_memory(&image, file.data(), file.size()));
  EXPECT_EQ(image.width, 9u);
  EXPECT_NE(image.format & PNG_FORMAT_FLAG_COLORMAP, 0u);
  image.format = PNG_FORMAT_RGBA;
  Bytes rgba(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
  const Pixels picture = Picture(9, 5, 50);
  const Bytes palette = TestPalette();
  for (int i : {0, 1, 22, 44}) {
    const uint8_t v = picture.Data[size_t(i)];
    EXPECT_EQ(rgba[4 * i], palette[4 * v + 2]) << i;
    EXPECT_EQ(rgba[4 * i + 2], palette[4 * v]) << i;
    EXPECT_EQ(rgba[4 * i + 3], v == 50 ? 0 : 255) << i;
  }
}

TEST(Vx8Tool, MistakesAreReported) {
  Library lib(Sample());
  EXPECT_EQ(RunTool({}).Exit, 2);
  EXPECT_EQ(RunTool({"frobnicate"}).Exit, 2);
  EXPECT_EQ(RunTool({"list"}).Exit, 2);
  EXPECT_EQ(RunTool({"verify", "a", "b"}).Exit, 2);
  const Result wrongOut = RunTool({"extract", lib.File.Path(), "tile", "/tmp/tile.bmp"});
  EXPECT_EQ(wrongOut.Exit, 2);
  EXPECT_NE(wrongOut.Err.find("/tmp/tile.bmp: OUT must end in .png or .raw"), std::string::npos);
  const Result help = RunTool({"--help"});
  EXPECT_EQ(help.Exit, 0);
  EXPECT_NE(help.Out.find("extract"), std::string::npos);

  Result r = RunTool({"extract", lib.File.Path(), "Missing", "/tmp/x.raw"});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "vx8tool: Image \"Missing\" does not exist\n");
  r = RunTool({"extract", lib.File.Path(), "tile", "/nonexistent/x.png"});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "vx8tool: cannot write /nonexistent/x.png: No such file or directory\n");

  TempFile shortFile("short.vx8");
  WriteBytes(shortFile.Path(), Bytes(100, 0));
  r = RunTool({"list", shortFile.Path()});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "vx8tool: " + shortFile.Path() + ": header invalid\n");
}

TEST(Vx8Tool, UnpackWritesOnlyIntoAnEmptyFolderAndNeverThroughALink) {
  std::vector<Record> records = Sample();
  Library lib(records);
  TempFolder folder;
  const std::string out = folder.Path() + "/out";
  Result r = RunTool({"unpack", lib.File.Path(), out});
  ASSERT_EQ(r.Exit, 0) << r.Err;
  // Another user's link in the folder, and an artist's edit, are not written through or over.
  const std::string victim = folder.Path() + "/victim";
  WriteBytes(victim, Bytes{'v'});
  std::filesystem::remove(out + "/arrow.png");
  std::filesystem::create_symlink(victim, out + "/arrow.png");
  WriteBytes(out + "/tall.png", Bytes{'e'});
  r = RunTool({"unpack", lib.File.Path(), out});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_NE(r.Err.find(out + " is not empty;"), std::string::npos) << r.Err;
  EXPECT_EQ(ReadText(out + "/tall.png"), "e");

  r = RunTool({"unpack", "--force", lib.File.Path(), out});
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(ReadText(victim), "v");
  EXPECT_FALSE(std::filesystem::is_symlink(out + "/arrow.png"));
  EXPECT_NE(ReadText(out + "/tall.png"), "e");
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(out)) files += !entry.is_directory();
  EXPECT_EQ(files, 5u);  // three pictures, the palette and the manifest: no temporary left

  // A decode failure names the picture; the library itself is never an output.
  records[1].Segments[0].Stored.resize(2);
  Library bad(records);
  TempFolder empty;
  r = RunTool({"unpack", bad.File.Path(), empty.Path()});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_NE(r.Err.find("vx8tool: arrow: source buffer overflow\n"), std::string::npos) << r.Err;
  const std::string inside = out + "/tile.png";
  std::filesystem::copy_file(lib.File.Path(), inside,
                             std::filesystem::copy_options::overwrite_existing);
  r = RunTool({"unpack", "--force", inside, out});
  EXPECT_EQ(r.Exit, 1);
  EXPECT_NE(r.Err.find(inside + " is the same file as " + inside), std::string::npos) << r.Err;
}

TEST(Vx8Tool, AnOutputIsNeverOneOfTheInputs) {
  Library lib(Sample());
  TempFolder folder;
  const std::string link = folder.Path() + "/link.png";
  std::filesystem::create_symlink(lib.File.Path(), link);
  const std::string manifest = folder.Path() + "/m.txt";
  WriteBytes(manifest, Bytes{});
  const Bytes before = LibraryBytes(lib.Records);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"sheet", lib.File.Path(), link},
        {"extract", lib.File.Path(), "tile", link},
        {"pack", manifest, manifest}}) {
    const Result r = RunTool(args);
    EXPECT_EQ(r.Exit, 1) << args[0];
    EXPECT_NE(r.Err.find(" is the same file as "), std::string::npos) << r.Err;
  }
  const std::string kept = ReadText(lib.File.Path());
  EXPECT_EQ(Bytes(kept.begin(), kept.end()), before);
  const Result r = RunTool({"sheet", lib.File.Path(), folder.Path() + "/sheet.jpg"});
  EXPECT_EQ(r.Exit, 2);
  EXPECT_NE(r.Err.find("sheet.jpg: OUT must end in .png"), std::string::npos) << r.Err;
}

TEST(Vx8Tool, PackReadsOnlyRegularFiles) {
  TempFolder folder;
  const std::string fifo = folder.Path() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& named : {std::string("/dev/zero"), fifo, folder.Path()}) {
    const std::string manifest = folder.Path() + "/m.txt";
    const std::string text = "palette " + named + "\n";
    WriteBytes(manifest, Bytes(text.begin(), text.end()));
    const Result r = RunTool({"pack", manifest, folder.Path() + "/out.vx8"});
    EXPECT_EQ(r.Exit, 1) << named;
    EXPECT_EQ(r.Err,
              "vx8tool: " + manifest + ":1: cannot read " + named + ": not a regular file\n");
  }
  const Result r = RunTool({"pack", fifo, folder.Path() + "/out.vx8"});
  EXPECT_EQ(r.Err, "vx8tool: cannot read " + fifo + ": not a regular file\n");
}

}  // namespace
