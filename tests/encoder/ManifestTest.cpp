// The pack manifest: what it accepts, that every fault names its line, and that the written
// form reads back the same.
#include <gtest/gtest.h>

#include "tools/vx8tool/Manifest.h"

namespace {

using namespace vx8tool;

std::string ErrorOf(const std::string& text) {
  try {
    ParseManifest(text, "m.txt");
  } catch (const ManifestError& e) {
    return e.what();
  }
  return "";
}

TEST(PackManifest, ReadsPaletteImagesCommentsAndOptions) {
  const Manifest m = ParseManifest(
      "# art\r\n\n  palette   pal.png  # the colours\r\n"
      "image tile tiles/tile.png\n\timage Zelto /abs/z.png transparent=0\n"
      "image arru_up a.png transparent=255",
      "m.txt");
  EXPECT_EQ(m.PalettePath, "pal.png");
  EXPECT_EQ(m.PaletteLine, 3);
  ASSERT_EQ(m.Images.size(), 3u);
  EXPECT_EQ(m.Images[0].Name, "tile");
  EXPECT_EQ(m.Images[0].Path, "tiles/tile.png");
  EXPECT_FALSE(m.Images[0].Transparent);
  EXPECT_EQ(m.Images[0].Line, 4);
  EXPECT_EQ(m.Images[1].Path, "/abs/z.png");
  EXPECT_EQ(m.Images[1].Transparent, 0);
  EXPECT_EQ(m.Images[2].Transparent, 255);
  EXPECT_EQ(m.Images[2].Line, 6);

  const Manifest again = ParseManifest(FormatManifest(m), "again");
  ASSERT_EQ(again.Images.size(), 3u);
  EXPECT_EQ(again.PalettePath, m.PalettePath);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(again.Images[i].Name, m.Images[i].Name);
    EXPECT_EQ(again.Images[i].Path, m.Images[i].Path);
    EXPECT_EQ(again.Images[i].Transparent, m.Images[i].Transparent);
  }
  EXPECT_TRUE(ParseManifest("palette p.png\n", "m").Images.empty());
  // A # inside a word is part of it.
  const Manifest hashes = ParseManifest("palette p#1.png #x\nimage a#b a#b.png\t#y", "m");
  EXPECT_EQ(hashes.PalettePath, "p#1.png");
  EXPECT_EQ(hashes.Images.at(0).Name, "a#b");
  EXPECT_EQ(hashes.Images.at(0).Path, "a#b.png");
  // A word begins after any white space: one that begins with # there is a comment, so no
  // name does, and what is written out reads back the same (found by fuzz_pack).
  EXPECT_THROW(ParseManifest("palette p.png\nimage a\v#b a.png\n", "m"), ManifestError);
  const Manifest odd = ParseManifest("palette p.png\nimage a\vb.png\n", "m");
  const Manifest reread = ParseManifest(FormatManifest(odd), "again");
  EXPECT_EQ(reread.Images.at(0).Name, "a");
  EXPECT_EQ(reread.Images.at(0).Path, "b.png");
}

TEST(PackManifest, EveryFaultNamesItsLine) {
  EXPECT_EQ(ErrorOf("palette p.png\nimage a a.png\nimage A b.png\n"),
            "m.txt:3: image name \"A\" is already used on line 2");
  EXPECT_EQ(ErrorOf("palette p.png\n\nimage a a.png transparent=256\n"),
            "m.txt:3: transparent index \"256\" is not a number from 0 to 255");
  EXPECT_EQ(ErrorOf("palette p.png\nimage a a.png transparent=-1\n"),
            "m.txt:2: transparent index \"-1\" is not a number from 0 to 255");
  EXPECT_EQ(ErrorOf("palette p.png\nimage a a.png transparent=\n"),
            "m.txt:2: transparent index \"\" is not a number from 0 to 255");
  EXPECT_EQ(ErrorOf("palette p.png\nimage a a.png opaque\n"), "m.txt:2: unknown option \"opaque\"");
  EXPECT_EQ(ErrorOf("palette p.png\nimage a\n"),
            "m.txt:2: expected: image NAME PATH [transparent=INDEX]");
  EXPECT_EQ(ErrorOf("# x\nimage a a.png\npalette p.png\n"),
            "m.txt:2: an image line before the palette line");
  EXPECT_EQ(ErrorOf("palette p.png\npalette q.png\n"),
            "m.txt:2: a second palette line; the first is line 1");
  EXPECT_EQ(ErrorOf("palette\n"), "m.txt:1: expected: palette PATH");
  EXPECT_EQ(ErrorOf("palette p.png\npicture a a.png\n"),
            "m.txt:2: unknown keyword \"picture\" (expected palette or image)");
  EXPECT_EQ(ErrorOf("# nothing\n"), "m.txt: no palette line (palette PATH)");
}

}  // namespace
