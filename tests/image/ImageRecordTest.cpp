#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "platform/MemoryStream.h"
#include "tests/support/RecordingDevice.h"
#include "tests/support/TestLibraryWriter.h"
#include "tests/support/ThrownMessage.h"

namespace {

using namespace vx8test;
using Seg = TVX8ImageSegment;

// A picture with runs, repeated rows, single-colour rows and noise, so every coder has work.
Pixels Sample(uint16_t w, uint16_t h) {
  Pixels p(w, h);
  uint32_t noise = 12345;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t v;
      if (y % 7 == 3)
        v = uint8_t(y);
      else if (y % 5 == 1 && y > 0)
        v = p.At(x, y - 1);
      else if (x < w / 3)
        v = uint8_t((x / 9 + y / 4) % 6);
      else
        v = uint8_t((noise = noise * 1103515245 + 12345) >> 24);
      p.At(x, y) = v;
    }
  }
  return p;
}

Bytes SegmentContents(TVX8ImageSegment& s) {
  const uint8_t* p = s.Lock();
  Bytes out(p, p + s.Size());
  s.Unlock();
  return out;
}

const auto Message = &vx8test::ThrownMessage<VX8Exception>;

// An image that counts the segments it is asked to load.
class CountingImage : public TVX8Image {
 public:
  void LoadSegment(uint8_t index) override {
    ++Loads;
    TVX8Image::LoadSegment(index);
  }
  int Loads = 0;
};

struct Opened {
  platform::MemoryStream Stream;
  CountingImage Image;
  explicit Opened(const Record& r) : Stream(RecordBytes(r)) { Image.Open(Stream); }
};

class RoundTrip : public ::testing::TestWithParam<Coding> {};

TEST_P(RoundTrip, EveryCodingDecodesToThePicture) {
  for (auto [w, h] : {std::pair<uint16_t, uint16_t>{1, 1}, {13, 9}, {208, 208}, {300, 500}}) {
    const Pixels picture = Sample(w, h);
    Opened o(MakeRecord("pic", picture, GetParam()));
    TVX8Image& image = o.Image;
    ASSERT_EQ(image.SegmentCount(), vx8::SegmentCount(w, h));
    image.DecodeSegments();
    EXPECT_EQ(image.State(), 2);
    for (uint8_t i = 0; i < image.SegmentCount(); ++i)
      EXPECT_EQ(SegmentContents(*image.Segment(i)), BandRows(picture, i))
          << w << "x" << h << " #" << int(i);
  }
}

INSTANTIATE_TEST_SUITE_P(Codings, RoundTrip,
                         ::testing::Values(Coding::Finished, Coding::LineCode, Coding::PlainRows,
                                           Coding::PlainRuns));

TEST(ImageRecord, FinishedRowsAreReadOnTheirFirstLock) {
  const Pixels picture = Sample(300, 500);
  Opened o(MakeRecord("rows", picture, Coding::Finished));
  o.Image.DecodeSegments();
  EXPECT_EQ(o.Image.Loads, 0);
  EXPECT_TRUE(o.Image.Segment(1)->Buffer().IsUnloaded());
  EXPECT_EQ(SegmentContents(*o.Image.Segment(1)), BandRows(picture, 1));
  EXPECT_EQ(o.Image.Loads, 1);
  EXPECT_TRUE(o.Image.Segment(0)->Buffer().IsUnloaded());
}

TEST(ImageRecord, CodedRecordMayHoldFinishedSegments) {
  const Pixels picture = Sample(300, 500);
  Record r = MakeRecord("mixed", picture, Coding::LineCode);
  r.Segments[1] = CodeBand(picture, 1, Coding::Finished);
  Opened o(r);
  o.Image.DecodeSegments();
  EXPECT_EQ(o.Image.Loads, 2);  // segments 0 and 2, to decode them
  EXPECT_TRUE(o.Image.Segment(1)->Buffer().IsUnloaded());
  EXPECT_TRUE(o.Image.Segment(2)->Buffer().IsPresent());
  for (uint8_t i = 0; i < 3; ++i)
    EXPECT_EQ(SegmentContents(*o.Image.Segment(i)), BandRows(picture, i));
}

TEST(ImageRecord, NamesAndSizesComeFromTheHeader) {
  Record r = MakeRecord("abcdefgh", Sample(5, 3), Coding::Finished);
  platform::MemoryStream s(RecordBytes(r));
  EXPECT_EQ(TVX8Image::RecordName(s), "abcdefgh");
  EXPECT_EQ(s.Position(), 18);
  s.Seek(0);
  EXPECT_EQ(TVX8Image::RecordSize(s), s.Size());

  TVX8ImageHeader h;
  TVX8Image::InitHeader(h, "longer_than_8", 640, 480);
  EXPECT_EQ(std::string(h.Name, 8), "longer_t");
  EXPECT_EQ(h.SegmentCount, 5);
  EXPECT_EQ(h.Format, 3);
  EXPECT_EQ(h.State, 0);
  TVX8Image::InitHeader(h, "ab", 1, 1);
  EXPECT_EQ(std::string(h.Name, 8), std::string("ab\0\0\0\0\0\0", 8));
}

// Each damaged header, given both to RecordSize and to Open.
void ExpectInvalid(const Bytes& bytes, const std::string& what) {
  platform::MemoryStream s(bytes);
  EXPECT_EQ(Message([&] { TVX8Image::RecordSize(s); }), "Invalid VX8 image header") << what;
  s.Seek(0);
  TVX8Image image;
  EXPECT_EQ(Message([&] { image.Open(s); }), "Invalid VX8 image header") << what;
  EXPECT_EQ(image.State(), 0) << what;
  EXPECT_EQ(image.Segment(0), nullptr) << what;
}

void ExpectOpenRefused(const Record& r, const std::string& what) {
  platform::MemoryStream s(RecordBytes(r));
  TVX8Image image;
  EXPECT_EQ(Message([&] { image.Open(s); }), "Invalid VX8 image header") << what;
  EXPECT_EQ(image.Segment(0), nullptr) << what;
}

TEST(ImageRecord, BadHeadersAreRefused) {
  const Record good = MakeRecord("ok", Sample(12, 4), Coding::LineCode);
  auto with = [&](const std::function<void(Record&)>& change) {
    Record r = good;
    change(r);
    return RecordBytes(r);
  };
  ExpectInvalid(with([](Record& r) { r.Width = 0; }), "width 0");
  ExpectInvalid(with([](Record& r) { r.Height = 0; }), "height 0");
  ExpectInvalid(with([](Record& r) { r.SegmentCount = 0; }), "no segments");
  ExpectInvalid(with([](Record& r) { r.State = 0; }), "state 0");
  ExpectInvalid(with([](Record& r) { r.State = 3; }), "state 3");
  ExpectInvalid(with([](Record& r) { r.Format = 2; }), "format 2");
  // A band count other than the size needs, either way.
  ExpectInvalid(with([](Record& r) { r.Segments.push_back(r.Segments[0]); }), "two bands");
  Record tall = MakeRecord("tall", Sample(300, 500), Coding::LineCode);
  tall.Segments.pop_back();
  ExpectInvalid(RecordBytes(tall), "too few bands");
}

TEST(ImageRecord, RecordsThatDoNotFitTheirStreamAreRefused) {
  const Bytes good = RecordBytes(MakeRecord("ok", Sample(12, 4), Coding::LineCode));
  ExpectInvalid(Bytes(good.begin(), good.begin() + 17), "header cut off");
  ExpectInvalid(Bytes(good.begin(), good.begin() + 20), "table cut off");
  ExpectInvalid(Bytes(good.begin(), good.end() - 1), "last byte missing");
  Bytes zero = good;
  zero[18] = zero[19] = zero[20] = zero[21] = 0;
  ExpectInvalid(zero, "size 0");
  Bytes small = good;
  small[18] = 22;  // just the header and table, no room for the segment header
  small[19] = small[20] = small[21] = 0;
  ExpectInvalid(small, "smaller than table");
}

TEST(ImageRecord, SegmentTablesMustIncreaseAndFitSixteenBits) {
  const Pixels picture = Sample(300, 500);
  Record r = MakeRecord("tbl", picture, Coding::LineCode);
  Bytes bytes = RecordBytes(r);
  // Entry 1 (the end of segment 1) set back to the end of segment 0.
  std::copy(bytes.begin() + 18, bytes.begin() + 22, bytes.begin() + 22);
  platform::MemoryStream s(bytes);
  TVX8Image image;
  EXPECT_EQ(Message([&] { image.Open(s); }), "Invalid VX8 image header");

  // A plain-rows band of 65536 stored bytes cannot be a segment.
  Record huge = MakeRecord("huge", Pixels(4, 2), Coding::PlainRows);
  huge.Segments[0].Stored.resize(65536);
  ExpectOpenRefused(huge, "17-bit segment");
}

TEST(ImageRecord, FinishedRowsMustBeExactlyOneBand) {
  Record rows = MakeRecord("rows", Sample(13, 9), Coding::Finished);
  rows.Segments[0].Stored.pop_back();
  ExpectOpenRefused(rows, "state 2, short band");
  rows.Segments[0].Stored.resize(rows.Segments[0].Stored.size() + 2);
  ExpectOpenRefused(rows, "state 2, long band");

  // In state 2 even an Encoded segment is taken as it is stored.
  Record coded = MakeRecord("coded", Sample(13, 9), Coding::LineCode);
  coded.State = 2;
  ExpectOpenRefused(coded, "state 2, coded band");

  Record unflagged = MakeRecord("unflag", Sample(13, 9), Coding::PlainRows);
  unflagged.Segments[0].Flags = 0;  // plain rows are not padded, so no finished band
  ExpectOpenRefused(unflagged, "state 1 without Encoded");
}

TEST(ImageRecord, FailedDecodeReleasesTheImage) {
  Record r = MakeRecord("bad", Sample(300, 500), Coding::LineCode);
  r.Segments[2].Stored.resize(r.Segments[2].Stored.size() / 2);
  Opened o(r);
  EXPECT_EQ(Message([&] { o.Image.DecodeSegments(); }), "Decode: source buffer overflow");
  EXPECT_EQ(o.Image.State(), 0);
  EXPECT_EQ(o.Image.Segment(0), nullptr);
  EXPECT_EQ(o.Image.CreateImageData(nullptr), nullptr);
}

TEST(ImageRecord, SegmentsAreDecodedEachByItself) {
  Record r = MakeRecord("two", Sample(300, 500), Coding::LineCode);
  r.Segments[1].Stored.insert(r.Segments[1].Stored.begin(), 7);  // "same as the row below"
  Opened o(r);
  EXPECT_EQ(Message([&] { o.Image.DecodeSegments(); }), "Decode: invalid line code");
}

TEST(ImageRecord, PaintsBandByBandFromTheBottom) {
  const Pixels picture = Sample(300, 500);
  Opened o(MakeRecord("pic", picture, Coding::PlainRuns));
  RecordingDevice dev(310, 520);
  platform::BitmapInfo info = platform::BitmapInfo::Identity();
  o.Image.DrawToDevice(dev, 5, 7, info);  // state 1: nothing
  EXPECT_TRUE(dev.Copies.empty());

  o.Image.DecodeSegments();
  o.Image.DrawToDevice(dev, 5, 7, info);
  ASSERT_EQ(dev.Copies.size(), 3u);
  EXPECT_EQ(dev.Copies[0].YDest, 7 + 333);
  EXPECT_EQ(dev.Copies[0].Height, 167);
  EXPECT_EQ(dev.Copies[1].YDest, 7 + 166);
  EXPECT_EQ(dev.Copies[2].YDest, 7);
  EXPECT_EQ(dev.Copies[2].Height, 166);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(dev.Copies[i].Lines, dev.Copies[i].Height);
  for (int y : {0, 165, 166, 332, 333, 499})
    for (int x : {0, 150, 299})
      EXPECT_EQ(dev.Pixel(5 + x, 7 + y), 0xFF000000u | picture.At(x, y) * 0x010101u)
          << x << "," << y;
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(o.Image.Segment(i)->IsLocked());
    EXPECT_EQ(o.Image.Segment(i)->Flags & Seg::Busy, 0);
  }
  // A band that is being painted already is left out.
  o.Image.Segment(1)->Flags |= Seg::Busy;
  dev.Copies.clear();
  o.Image.DrawToDevice(dev, 0, 0, info);
  EXPECT_EQ(dev.Copies.size(), 2u);
}

TEST(ImageRecord, BlankPictureStartsAsZero) {
  TVX8Image image;
  image.Init("blank", 640, 480);
  EXPECT_EQ(image.State(), 2);
  EXPECT_EQ(image.SegmentCount(), 5);
  for (uint8_t i = 0; i < 5; ++i) EXPECT_EQ(SegmentContents(*image.Segment(i)), Bytes(96 * 640, 0));
  EXPECT_EQ(Message([&] { image.Init("", 0, 10); }), "Invalid VX8 image header");
  EXPECT_EQ(image.State(), 0);
  EXPECT_EQ(Message([&] { image.Init("", 65535, 1); }), "Invalid VX8 image header");
}

TEST(ImageRecord, SurfaceSharesTheSegments) {
  const Pixels picture = Sample(13, 9);
  Opened o(MakeRecord("pic", picture, Coding::LineCode, 4));
  platform::BitmapInfo info = platform::BitmapInfo::Identity();
  std::unique_ptr<TVX8ImageData> data = o.Image.CreateImageData(&info);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(o.Image.State(), 2);
  EXPECT_EQ(data->Width(), 13);
  EXPECT_EQ(data->GetTransparentColor(), 4);
  EXPECT_EQ(data->PBMInfo(), &info);
  uint8_t* line = data->StartLine(3, 0);
  EXPECT_EQ(*line, picture.At(3, 0));
  *line = 77;
  EXPECT_TRUE(o.Image.Segment(0)->IsLocked());
  o.Image.ReleaseImageData(std::move(data));
  EXPECT_FALSE(o.Image.Segment(0)->IsLocked());
  EXPECT_EQ(SegmentContents(*o.Image.Segment(0))[8 * 16 + 3], 77);
}

}  // namespace
