#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <tuple>

#include "image/VX8Exception.h"
#include "image/VX8Library.h"
#include "platform/MemoryStream.h"
#include "platform/Stream.h"
#include "tests/support/RecordingDevice.h"
#include "tests/support/TempFile.h"
#include "tests/support/TestLibraryWriter.h"
#include "tests/support/ThrownMessage.h"

namespace {

using namespace vx8test;

const auto Message = &vx8test::ThrownMessage<std::exception>;

Pixels Gradient(uint16_t w, uint16_t h, uint8_t base) {
  Pixels p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y) = uint8_t(base + x + 2 * y);
  return p;
}

// A library file on disk, opened by a fresh library.
struct OpenFile {
  TempFile File{"lib.vx8"};
  TVX8Library Library;
  explicit OpenFile(const Bytes& bytes) {
    WriteBytes(File.Path(), bytes);
    Library.OpenLibrary(File.Path());
  }
};

std::vector<Record> ThreeRecords() {
  return {MakeRecord("Tile", Gradient(16, 8, 1), Coding::LineCode),
          MakeRecord("arrow", Gradient(9, 9, 40), Coding::PlainRuns, 40),
          MakeRecord("tall", Gradient(300, 500, 3), Coding::Finished)};
}

Bytes SurfacePixels(TVX8ImageData& data) {
  Bytes out;
  for (int y = 0; y < data.Height(); ++y) {
    const uint8_t* line = data.StartLine(0, y);
    out.insert(out.end(), line, line + data.Width());
    data.UnlockSegment(0, y);
  }
  return out;
}

TEST(LibraryFile, HeaderIsChecked) {
  Bytes good = LibraryBytes({});
  for (uint8_t any : {0, 0x38, 0xFF}) {
    Bytes b = good;
    b[3] = any;
    OpenFile f(b);
    EXPECT_EQ(f.Library.FileName, f.File.Path());
    EXPECT_EQ(f.Library.FileSize(), 1030);
  }
  auto refused = [&](const std::function<void(Bytes&)>& change) {
    Bytes b = good;
    change(b);
    TempFile file("bad.vx8");
    WriteBytes(file.Path(), b);
    TVX8Library lib;
    const std::string message = Message([&] { lib.OpenLibrary(file.Path()); });
    EXPECT_TRUE(lib.FileName.empty());
    EXPECT_EQ(lib.Palette(), nullptr);
    return message;
  };
  const std::string invalid = "ValidateVX8FileHeader: header invalid";
  EXPECT_EQ(refused([](Bytes& b) { b[4] = 1; }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b[4] = 3; }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b[5] = 1; }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b[2] = '8'; }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b[0] = 'v'; }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b.resize(1029); }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b.resize(3); }), invalid);
  EXPECT_EQ(refused([](Bytes& b) { b.clear(); }), invalid);
}

TEST(LibraryFile, MissingFileIsReportedWithItsPath) {
  TVX8Library lib;
  EXPECT_EQ(Message([&] { lib.OpenLibrary("/nonexistent/zelto.vx8"); }),
            "Cannot open file /nonexistent/zelto.vx8");
  EXPECT_TRUE(lib.FileName.empty());
  EXPECT_FALSE(lib.ImageExists("tile"));
}

TEST(LibraryFile, EmptyLibraryFindsNothing) {
  OpenFile f(LibraryBytes({}));
  EXPECT_TRUE(f.Library.ImageNames().empty());
  EXPECT_EQ(Message([&] { f.Library.GetImage("Tile"); }), "Image \"Tile\" does not exist");
  EXPECT_EQ(Message([&] { f.Library.CheckImageName("x", true); }), "Image \"x\" does not exist");
}

TEST(Catalogue, NamesAreCaseInsensitiveAndTheLastRecordWins) {
  std::vector<Record> records = ThreeRecords();
  records.push_back(MakeRecord("TILE", Gradient(4, 4, 9), Coding::PlainRows));
  const std::vector<uint32_t> offsets = RecordOffsets(records);
  OpenFile f(LibraryBytes(records));
  TVX8Library& lib = f.Library;
  EXPECT_EQ(lib.ImageNames(), (std::vector<std::string>{"arrow", "tall", "tile"}));
  EXPECT_EQ(lib.ImageOffset("tile"), offsets[3]);
  EXPECT_EQ(lib.ImageOffset("Arrow"), offsets[1]);
  EXPECT_EQ(lib.ImageOffset("none"), 0u);
  TImageNode* a = lib.GetImage("Tile");
  TImageNode* b = lib.GetImage("TILE");
  TImageNode* c = lib.GetImage("tile");
  EXPECT_EQ(a, b);
  EXPECT_EQ(b, c);
  EXPECT_EQ(a->Name, "tile");
  EXPECT_EQ(a->UseCount, 3);
  EXPECT_EQ(a->Image->Width(), 4);  // the later record
  EXPECT_EQ(Message([&] { lib.CheckImageName("Tile", false); }),
            "Image name \"Tile\" is already in use");
  EXPECT_EQ(Message([&] { lib.CheckImageName("_BOARD_", false); }), "");
}

TEST(Catalogue, BadRecordsCloseTheLibrary) {
  const Bytes good = LibraryBytes(ThreeRecords());
  auto refused = [](const Bytes& b) {
    TempFile file("bad.vx8");
    WriteBytes(file.Path(), b);
    TVX8Library lib;
    const std::string message = Message([&] { lib.OpenLibrary(file.Path()); });
    EXPECT_TRUE(lib.ImageNames().empty());
    EXPECT_TRUE(lib.FileName.empty());
    return message;
  };
  const std::string invalid = "Invalid VX8 image header";
  Bytes trailing = good;
  trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
  EXPECT_EQ(refused(trailing), invalid);
  EXPECT_EQ(refused(Bytes(good.begin(), good.end() - 1)), invalid);
  Bytes zeroSize = good;
  std::fill(zeroSize.begin() + 1030 + 18, zeroSize.begin() + 1030 + 22, 0);
  EXPECT_EQ(refused(zeroSize), invalid);
  Bytes zeros = LibraryBytes({});
  zeros.resize(5000, 0);
  EXPECT_EQ(refused(zeros), invalid);
}

TEST(Catalogue, MemoryStreamOpensUnderTheGivenName) {
  TVX8Library lib;
  lib.OpenLibrary("game/zelto.vx8",
                  std::make_unique<platform::MemoryStream>(LibraryBytes(ThreeRecords())));
  EXPECT_EQ(lib.FileName, "game/zelto.vx8");
  EXPECT_TRUE(lib.ImageExists("TALL"));
  EXPECT_EQ(Message([&] { lib.OpenLibrary("x", nullptr); }), "Cannot open file x");
  EXPECT_FALSE(lib.ImageExists("TALL"));
}

TEST(LoadedImages, UseCountsShareAndFreeEntries) {
  OpenFile f(LibraryBytes(ThreeRecords()));
  TVX8Library& lib = f.Library;
  TImageNode* first = lib.GetImage("arrow");
  EXPECT_EQ(lib.GetImage("ARROW"), first);
  EXPECT_EQ(first->UseCount, 2);
  lib.ReleaseImage(first);
  EXPECT_TRUE(lib.LoadedImages().Contains(first));
  lib.ReleaseImage(first);
  EXPECT_EQ(lib.LoadedImages().First, nullptr);
  TImageNode* again = lib.GetImage("arrow");
  EXPECT_EQ(again->UseCount, 1);
  EXPECT_EQ(again->Image->State(), 2);
  lib.ReleaseImage(nullptr);
  lib.ReleaseImage(again);
  EXPECT_EQ(lib.LoadedImages().First, nullptr);
}

TEST(LoadedImages, BlankPicturesBelongToTheirMaker) {
  OpenFile f(LibraryBytes(ThreeRecords()));
  TVX8Library& lib = f.Library;
  TImageNode* fromFile = lib.GetImage("tile");
  TImageNode* blank = lib.AddBlankImage("TILE", 208, 208);
  EXPECT_EQ(blank->UseCount, 0);
  EXPECT_EQ(blank->Name, "tile");
  EXPECT_EQ(lib.GetImage("tile"), fromFile);  // the entry made first
  EXPECT_TRUE(lib.ImageExists("tile"));
  TImageNode* board = lib.AddBlankImage("_BOARD_", 208, 208);
  EXPECT_FALSE(lib.ImageExists("_BOARD_"));
  EXPECT_EQ(lib.GetImage("_board_"), board);
  EXPECT_EQ(board->UseCount, 1);
  TVX8ImageData* data = lib.GetImageData(board);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(SurfacePixels(*data), Bytes(208 * 208, 0));
  lib.ReleaseImage(board);
  EXPECT_FALSE(lib.LoadedImages().Contains(board));
  lib.ReleaseImage(blank);  // never fetched by name: freed at once
  EXPECT_FALSE(lib.LoadedImages().Contains(blank));
  EXPECT_EQ(Message([&] { lib.AddBlankImage("zero", 0, 5); }), "Invalid VX8 image header");
  EXPECT_EQ(lib.LoadedImages().First, fromFile);
  EXPECT_EQ(lib.LoadedImages().Last, fromFile);
}

TEST(LoadedImages, SurfacesAreMadeOnceAndShowThePicture) {
  const std::vector<Record> records = ThreeRecords();
  OpenFile f(LibraryBytes(records));
  TVX8Library& lib = f.Library;
  for (const auto& [name, base, w, h] :
       {std::tuple{"tile", 1, 16, 8}, {"arrow", 40, 9, 9}, {"tall", 3, 300, 500}}) {
    TImageNode* entry = lib.GetImage(name);
    TVX8ImageData* data = lib.GetImageData(entry);
    ASSERT_NE(data, nullptr) << name;
    EXPECT_EQ(lib.GetImageData(entry), data);
    EXPECT_EQ(data->PBMInfo(), &PBMInfo);
    EXPECT_EQ(SurfacePixels(*data), Gradient(uint16_t(w), uint16_t(h), uint8_t(base)).Data) << name;
  }
  EXPECT_EQ(lib.GetImageData(lib.GetImage("arrow"))->GetTransparentColor(), 40);
  EXPECT_EQ(lib.GetImageData(lib.GetImage("tile"))->GetTransparentColor(), -1);
}

TEST(LoadedImages, FailedLoadKeepsNothing) {
  std::vector<Record> records = ThreeRecords();
  records[0].Segments[0].Stored.resize(3);
  OpenFile f(LibraryBytes(records));
  EXPECT_EQ(Message([&] { f.Library.GetImage("tile"); }), "Decode: source buffer overflow");
  EXPECT_EQ(f.Library.LoadedImages().First, nullptr);
  EXPECT_TRUE(f.Library.ImageExists("tile"));
  EXPECT_NE(f.Library.GetImage("arrow"), nullptr);
}

// "tile" 16 x 8 holds 128 bytes decoded, "arrow" 9 x 9 holds 108 (rows of 12), "tall" 150000.
TEST(LoadedImages, DecodedBytesHeldAtOnceAreLimited) {
  std::vector<Record> records = ThreeRecords();
  records.push_back(MakeRecord("ARROW", Gradient(4, 4, 9), Coding::PlainRows));  // 16, wins
  OpenFile f(LibraryBytes(records));
  TVX8Library& lib = f.Library;
  EXPECT_EQ(lib.DecodeLimit(), TVX8Library::DefaultDecodeLimit);
  lib.CheckCatalogueDecodedBytes(150144);
  lib.SetDecodeLimit(150000 + 128);
  EXPECT_EQ(Message([&] { lib.CheckCatalogueDecodedBytes(lib.DecodeLimit()); }),
            "OpenLibrary: image \"tile\" takes the pictures to 150144 bytes decoded, over the "
            "limit of 150128");
  TImageNode* tall = lib.GetImage("Tall");
  TImageNode* tile = lib.GetImage("tile");
  EXPECT_EQ(lib.DecodedBytes(), 150128);
  EXPECT_EQ(Message([&] { lib.GetImage("Arrow"); }),
            "GetImage: image \"Arrow\" would take the pictures held to 150144 bytes decoded, "
            "over the limit of 150128");
  EXPECT_EQ(
      Message([&] { lib.AddBlankImage("_board_", 1, 1); }),
      "AddBlankImage: image \"_board_\" would take the pictures held to 150132 bytes decoded, "
      "over the limit of 150128");
  EXPECT_EQ(lib.GetImage("TILE"), tile);  // a picture already held costs nothing more
  lib.ReleaseImage(tile);
  lib.ReleaseImage(tile);
  EXPECT_EQ(lib.DecodedBytes(), 150000);
  TImageNode* arrow = lib.GetImage("arrow");
  EXPECT_EQ(arrow->Image->Width(), 4);
  lib.ReleaseImage(arrow);
  lib.ReleaseImage(tall);
  EXPECT_EQ(lib.DecodedBytes(), 0);
  lib.GetImage("tall");
  lib.CloseLibrary();
  EXPECT_EQ(lib.DecodedBytes(), 0);
}

TEST(LoadedImages, ReopeningFreesEverything) {
  OpenFile f(LibraryBytes(ThreeRecords()));
  f.Library.GetImage("tile");
  f.Library.AddBlankImage("_scroll_", 10, 10);
  f.Library.OpenLibrary(f.File.Path());
  EXPECT_EQ(f.Library.LoadedImages().First, nullptr);
  EXPECT_TRUE(f.Library.ImageExists("tile"));
  f.Library.GetImage("tile");
  f.Library.CloseLibrary();
  EXPECT_EQ(f.Library.LoadedImages().First, nullptr);
  EXPECT_FALSE(f.Library.ImageExists("tile"));
  EXPECT_EQ(f.Library.FileSize(), 0);
}

TEST(LibraryPalette, FileColoursBetweenBlackAndWhite) {
  OpenFile f(LibraryBytes({}));
  const platform::LogicalPalette* pal = f.Library.GetHPal();
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ(f.Library.GetHPal(), pal);
  EXPECT_EQ(pal->Entries[0], (platform::PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(pal->Entries[255], (platform::PaletteEntry{255, 255, 255, 0}));
  for (int i : {1, 100, 254}) {
    // The test palette stores entry i as blue i / 2, green 255 - i, red i.
    EXPECT_EQ(pal->Entries[i], (platform::PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2),
                                                       platform::PaletteNoCollapse}));
  }
  f.Library.CloseLibrary();
  EXPECT_EQ(Message([&] { f.Library.GetHPal(); }), "GetHPal: global palette unavailable");
}

// On a screen that keeps static colours, the reserved ones stay the system's at both ends;
// however many a screen says it reserves, the file's colours fill the rest.
TEST(LibraryPalette, AScreensStaticColoursStayAtBothEnds) {
  platform::ScreenPalette screen;
  screen.Static = true;
  for (int i = 0; i < 256; ++i) screen.System[size_t(i)] = {9, 9, uint8_t(i), 2};
  const struct {
    int Reserved;
    int FirstFileEntry;
  } cases[] = {{20, 10}, {-1, 0}, {256, 128}, {300, 256}};
  for (const auto& c : cases) {
    TempFile file("lib.vx8");
    WriteBytes(file.Path(), LibraryBytes({}));
    TVX8Library library;
    screen.ReservedColors = c.Reserved;
    library.SetScreenPalette(screen);
    library.OpenLibrary(file.Path());
    const platform::LogicalPalette& pal = *library.GetHPal();
    for (int i : {0, 9, 10, 50, 127, 128, 245, 246, 255}) {
      const bool file = i >= c.FirstFileEntry && i <= 255 - c.FirstFileEntry;
      const platform::PaletteEntry expected =
          file ? platform::PaletteEntry{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2),
                                        platform::PaletteNoCollapse}
               : platform::PaletteEntry{9, 9, uint8_t(i), 0};
      EXPECT_EQ(pal.Entries[size_t(i)], expected) << c.Reserved << " reserved, entry " << i;
    }
  }
}

TEST(LibraryPalette, DrawImagePaintsThroughTheSelectedPalette) {
  OpenFile f(LibraryBytes(ThreeRecords()));
  TImageNode* tall = f.Library.GetImage("tall");
  RecordingDevice dev(320, 520);
  dev.SelectPalette(f.Library.GetHPal(), false);
  const platform::BitmapInfo before = PBMInfo;
  f.Library.DrawImage(dev, {10, 20}, tall);
  EXPECT_EQ(dev.Copies.size(), 3u);
  const Pixels picture = Gradient(300, 500, 3);
  for (int y : {0, 200, 499})
    EXPECT_EQ(dev.Pixel(10 + 7, 20 + y), f.Library.GetHPal()->Rgb32(picture.At(7, y)));
  EXPECT_EQ(std::memcmp(&before, &PBMInfo, sizeof PBMInfo), 0);
}

TEST(LibraryLifetime, RegisteredVariablesAreClearedOnDestruction) {
  auto lib = std::make_unique<TVX8Library>();
  TVX8Library* controlA = lib.get();
  TVX8Library* controlB = lib.get();
  TVX8Library* gone = lib.get();
  TVX8Library other;
  TVX8Library* elsewhere = &other;
  lib->RegisterReference(&controlA);
  lib->RegisterReference(&controlB);
  lib->RegisterReference(&controlB);
  lib->RegisterReference(&gone);
  lib->UnregisterReference(&gone);
  lib->RegisterReference(&elsewhere);  // holds another library: not listed
  lib.reset();
  EXPECT_EQ(controlA, nullptr);
  EXPECT_EQ(controlB, nullptr);
  EXPECT_NE(gone, nullptr);
  EXPECT_EQ(elsewhere, &other);
}

}  // namespace

namespace {

// The file under an open library is cut short, or its bytes are changed, as another program
// may do at any time: after the pictures were opened and before their bands are read, or
// before they are opened at all. Whatever the library reads then ends in an error of its own or
// in other pixels; it never reads or writes outside a buffer (the sanitizer build checks that).
TEST(LibraryFile, AFileChangedOnDiskAfterOpeningIsAnErrorNeverAWildRead) {
  const Bytes original = LibraryBytes(ThreeRecords());
  std::set<std::string> messages;
  uint32_t noise = 12345;
  auto next = [&] { return noise = noise * 1103515245u + 12345u; };
  for (int trial = 0; trial < 120; ++trial) {
    OpenFile open(original);
    // Half the trials open "tall" (a band read only when first drawn) before the change.
    TImageNode* early = trial % 2 ? open.Library.GetImage("tall") : nullptr;
    Bytes changed = original;
    if (trial % 3 == 0) {
      changed.resize(1030 + next() % (original.size() - 1030));
    } else {
      for (int i = 0; i < 1 + trial % 7; ++i)
        changed[1030 + next() % (original.size() - 1030)] = uint8_t(next() >> 24);
    }
    WriteBytes(open.File.Path(), changed);
    for (const char* name : {"tall", "arrow", "Tile"}) {
      try {
        TImageNode* entry = open.Library.GetImage(name);
        if (TVX8ImageData* surface = open.Library.GetImageData(entry)) SurfacePixels(*surface);
        open.Library.ReleaseImage(entry);
      } catch (const VX8Exception& error) {
        messages.insert(error.what());
      } catch (const platform::StreamError& error) {
        messages.insert(error.what());
      }
    }
    open.Library.ReleaseImage(early);
  }
  // A record read afresh is refused by its header check; a band of an open record whose bytes
  // are gone or moved fails to lock.
  const std::set<std::string> known{"Invalid VX8 image header", "Stream read error",
                                    "StartLine: Lock failed"};
  for (const std::string& message : messages) EXPECT_TRUE(known.contains(message)) << message;
  EXPECT_TRUE(messages.contains("Invalid VX8 image header"));
  EXPECT_TRUE(messages.contains("StartLine: Lock failed"));
}

}  // namespace
