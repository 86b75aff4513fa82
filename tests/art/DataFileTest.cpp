#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ArtFixture.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "platform/FileStream.h"
#include "platform/MemoryDevice.h"
#include "tests/support/TempFile.h"
#include "tools/artbuilder/ArtPalette.h"
#include "tools/vx8tool/ToolSupport.h"

namespace {

using art_test::ArtTest;

const std::string kBuiltFile = std::string(ZELTORIA_BINARY_DIR) + "/zelto.vx8";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class DataFileTest : public ArtTest {};

// The file the build leaves beside the executables holds exactly the drawn pictures, in their
// fixed order, and each one loads, paints and reads back as drawn.
TEST_F(DataFileTest, BuiltFileLoadsEveryPictureAsDrawn) {
  TVX8Library library;
  library.OpenLibrary(kBuiltFile);
  platform::FileStream stream(kBuiltFile);
  size_t i = 0;
  for (int64_t offset = TVX8Library::HeadBytes; offset < library.FileSize(); ++i) {
    stream.Seek(offset);
    const std::string name = TVX8Image::RecordName(stream);
    ASSERT_LT(i, Pictures->size());
    EXPECT_EQ(name, (*Pictures)[i].Name) << "record " << i;
    stream.Seek(offset);
    offset += TVX8Image::RecordSize(stream);
  }
  EXPECT_EQ(i, Pictures->size());

  for (const vx8::Picture& p : *Pictures) {
    TImageNode* entry = library.GetImage(p.Name);
    TVX8ImageData* data = library.GetImageData(entry);
    ASSERT_NE(data, nullptr) << p.Name;
    EXPECT_EQ(data->Width(), p.Width) << p.Name;
    EXPECT_EQ(data->Height(), p.Height) << p.Name;
    EXPECT_EQ(data->Transparent(), p.TransparentIndex.has_value()) << p.Name;
    if (p.TransparentIndex) {
      EXPECT_EQ(data->TransparentColor(), *p.TransparentIndex) << p.Name;
    }
    EXPECT_EQ(vx8tool::SurfacePixels(*data), p.Pixels) << p.Name;
    platform::MemoryDevice device(p.Width, p.Height);
    library.DrawImage(device, {0, 0}, entry);
    library.ReleaseImage(entry);
  }
}

TEST_F(DataFileTest, FilePaletteIsTheDesignedOne) {
  TVX8Library library;
  library.OpenLibrary(kBuiltFile);
  const std::array<uint8_t, 1024>& file = *library.Palette();
  for (int i = 0; i < 256; ++i) {
    const vx8::PaletteColor& c = art::GamePalette()[i];
    EXPECT_EQ(file[4 * i + 2], c.Red) << i;
    EXPECT_EQ(file[4 * i + 1], c.Green) << i;
    EXPECT_EQ(file[4 * i], c.Blue) << i;
  }
  const platform::LogicalPalette* shown = library.GetHPal();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Rgb32(0), 0xFF000000u);
  EXPECT_EQ(shown->Rgb32(255), 0xFFFFFFFFu);
  EXPECT_EQ(shown->Rgb32(art::kGridLight) & 0xFFFFFF,
            uint32_t(art::PaletteColor(art::kGridLight).rgb()) & 0xFFFFFF);
  EXPECT_EQ(shown->Rgb32(art::kFrameDark) & 0xFFFFFF,
            uint32_t(art::PaletteColor(art::kFrameDark).rgb()) & 0xFFFFFF);
}

// Two runs of the builder give the same bytes, and the same as the build's own file.
TEST(DataFile, BuildIsReproducible) {
  vx8test::TempFile first("first.vx8"), second("second.vx8");
  for (const vx8test::TempFile* f : {&first, &second}) {
    const std::string command =
        std::string("QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 '") +
        ZELTORIA_ARTBUILDER + "' '" + f->Path() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  }
  const std::string a = ReadBytes(first.Path());
  EXPECT_GT(a.size(), 1030u);
  EXPECT_EQ(a, ReadBytes(second.Path()));
  EXPECT_EQ(a, ReadBytes(kBuiltFile));
}

}  // namespace
