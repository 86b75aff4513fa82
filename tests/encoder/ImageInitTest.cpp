// Pictures coded through the engine: TVX8Image::Init from a stream of raw rows, decoded again
// by the image's own segments, and libraries written by the writer, opened as the game does.
#include <gtest/gtest.h>

#include "PictureKinds.h"
#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "image/VX8Library.h"
#include "image/VX8Writer.h"
#include "platform/MemoryStream.h"
#include "tests/support/TempFile.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testpics::Kind;

// The decoded picture, top row first, no padding; the padding of each band's rows must be 0.
Bytes DecodedPixels(TVX8Image& image) {
  image.DecodeSegments();
  EXPECT_EQ(image.State(), 2);
  const uint16_t w = image.Width(), line = TVX8Image::LineBytes(w);
  Bytes bottomUp;
  for (uint8_t i = 0; i < image.SegmentCount(); ++i) {
    TVX8ImageSegment& segment = *image.Segment(i);
    const uint16_t rows = TVX8ImageSegment::SegmentRows(w, image.Height(), i);
    EXPECT_EQ(segment.Size(), size_t(rows) * line);
    const uint8_t* data = segment.Lock();
    for (size_t r = 0; r < rows; ++r) {
      bottomUp.insert(bottomUp.end(), data + r * line, data + r * line + w);
      for (size_t x = w; x < line; ++x) EXPECT_EQ(data[r * line + x], 0) << "padding";
    }
    segment.Unlock();
  }
  Bytes pixels;
  for (size_t y = image.Height(); y-- > 0;)
    pixels.insert(pixels.end(), bottomUp.begin() + y * w, bottomUp.begin() + (y + 1) * w);
  return pixels;
}

// Raw rows as Init reads them: bottom row first, padded, from pixels given top row first.
Bytes RawFromTop(const Bytes& pixels, uint16_t w, uint16_t h) {
  Bytes flipped;
  for (size_t y = h; y-- > 0;)
    flipped.insert(flipped.end(), pixels.begin() + y * w, pixels.begin() + (y + 1) * w);
  return testpics::PadRows(flipped, w, h, 0x5A);
}

TEST(ImageInit, CodesEveryBandFromTheStream) {
  for (Kind kind : {Kind::Noise, Kind::PatchedRows, Kind::RepeatedRows, Kind::Stripes}) {
    for (auto [w, h] : {std::pair<uint16_t, uint16_t>{208, 208}, {300, 500}, {17, 3}, {1, 1}}) {
      SCOPED_TRACE(testpics::KindName(kind) + " " + std::to_string(w) + " x " + std::to_string(h));
      const Bytes pixels = testpics::MakePixels(kind, w, h, 3);
      platform::MemoryStream stream(RawFromTop(pixels, w, h));
      TVX8Image image;
      image.Init("pic", stream, w, h);
      EXPECT_EQ(image.State(), 1);
      EXPECT_EQ(image.Name(), "pic");
      ASSERT_EQ(image.SegmentCount(), TVX8ImageSegment::SegmentCount(w, h));
      for (uint8_t i = 0; i < image.SegmentCount(); ++i) {
        const uint8_t flags = image.Segment(i)->Flags;
        EXPECT_TRUE(flags == 8 || flags == 9 || flags == 10) << int(flags);
        EXPECT_LE(image.Segment(i)->Size(), w * TVX8ImageSegment::SegmentRows(w, h, i));
      }
      EXPECT_EQ(DecodedPixels(image), pixels);
    }
  }
}

TEST(ImageInit, CodedSegmentIsLeftAlone) {
  const Bytes pixels = testpics::MakePixels(Kind::FewColours, 40, 30, 1);
  platform::MemoryStream stream(RawFromTop(pixels, 40, 30));
  TVX8Image image;
  image.Init("a", stream, 40, 30);
  TVX8ImageSegment& segment = *image.Segment(0);
  const uint8_t* before = segment.Lock();
  const Bytes stored(before, before + segment.Size());
  segment.Unlock();
  const uint8_t flags = segment.Flags, run = segment.RunEscape;
  platform::MemoryStream other(Bytes(40 * 30, 77));
  segment.Encode(other, 40, 30);
  EXPECT_EQ(segment.Flags, flags);
  EXPECT_EQ(segment.RunEscape, run);
  const uint8_t* after = segment.Lock();
  EXPECT_EQ(Bytes(after, after + segment.Size()), stored);
  segment.Unlock();
}

TEST(ImageInit, FailureReleasesThePicture) {
  // One row short: the last band cannot be read.
  platform::MemoryStream shortStream(Bytes(size_t(TVX8Image::ImageBytes(640, 480)) - 640, 1));
  TVX8Image image;
  EXPECT_THROW(image.Init("short", shortStream, 640, 480), std::exception);
  EXPECT_EQ(image.State(), 0);
  EXPECT_EQ(image.Segment(0), nullptr);
  platform::MemoryStream wide(Bytes(65284, 1));
  try {
    image.Init("wide", wide, 65281, 1);
    ADD_FAILURE() << "a row wider than a segment was coded";
  } catch (const VX8Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid VX8 image header");
  }
  EXPECT_EQ(image.State(), 0);
}

TEST(WrittenLibrary, OpensAndLoadsAsTheGameDoes) {
  vx8::Palette palette;
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i)};
  std::vector<vx8::Picture> pictures;
  auto add = [&](std::string name, uint16_t w, uint16_t h, Kind kind, std::optional<uint8_t> t) {
    pictures.push_back({std::move(name), w, h, testpics::MakePixels(kind, w, h, w + h), t});
  };
  add("Tile", 64, 64, Kind::Stripes, std::nullopt);
  add("arru_up", 21, 13, Kind::FewColours, 0);
  add("zelto", 640, 480, Kind::PatchedRows, 200);
  add("welldone", 1300, 1300, Kind::RepeatedRows, std::nullopt);
  vx8test::TempFile file("written.vx8");
  vx8::WriteLibrary(file.Path(), palette, pictures);

  TVX8Library library;
  library.OpenLibrary(file.Path());
  EXPECT_EQ(library.ImageNames(),
            (std::vector<std::string>{"arru_up", "tile", "welldone", "zelto"}));
  const std::array<uint8_t, 1024>& stored = *library.Palette();
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(stored[4 * i], palette[i].Blue);
    EXPECT_EQ(stored[4 * i + 1], palette[i].Green);
    EXPECT_EQ(stored[4 * i + 2], palette[i].Red);
  }
  for (const vx8::Picture& picture : pictures) {
    SCOPED_TRACE(picture.Name);
    TImageNode* entry = library.GetImage(picture.Name);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Image->Transparent(), picture.TransparentIndex.has_value());
    EXPECT_EQ(entry->Image->TransparentColor(), picture.TransparentIndex.value_or(0));
    TVX8ImageData* data = library.GetImageData(entry);
    ASSERT_NE(data, nullptr);
    Bytes pixels;
    int32_t y = 0;
    uint8_t* line = data->StartLine(0, y);
    for (;;) {
      pixels.insert(pixels.end(), line, line + data->Width());
      if (y + 1 >= data->Height()) break;
      line = data->NextStartLine(line, 0, y);
    }
    data->UnlockSegment(0, y);
    EXPECT_EQ(pixels, picture.Pixels);
    library.ReleaseImage(entry);
  }
}

}  // namespace
