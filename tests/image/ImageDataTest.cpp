#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageData.h"
#include "tests/support/RecordingDevice.h"
#include "tests/support/ThrownMessage.h"

namespace {

using vx8test::RecordingDevice;

const auto Message = &vx8test::ThrownMessage<VX8Exception>;

// A blank picture with its surface; pixel (x, y) can be set and read back.
struct Surface {
  TVX8Image Image;
  platform::BitmapInfo Info = platform::BitmapInfo::Identity();
  std::unique_ptr<TVX8ImageData> Data;

  Surface(uint16_t w, uint16_t h, int transparent = -1) {
    Image.Init("", w, h);
    Data = Image.CreateImageData(&Info);
    if (transparent >= 0) {
      // Same segments, with the transparent colour set as a file record would.
      std::vector<TVX8ImageSegment*> segments;
      for (uint8_t i = 0; i < Image.SegmentCount(); ++i) segments.push_back(Image.Segment(i));
      Data->Initialize(w, h, Image.SegmentCount(), segments, uint8_t(transparent), true, &Info);
    }
  }
  ~Surface() { Image.ReleaseImageData(std::move(Data)); }
  TVX8ImageData& operator*() { return *Data; }
  TVX8ImageData* operator->() { return Data.get(); }
  uint8_t Get(int x, int y) { return *Data->StartLine(x, y); }
  void Set(int x, int y, uint8_t v) { *Data->StartLine(x, y) = v; }
  // Every pixel set to a value made from its position.
  void Pattern() {
    for (int y = 0; y < Data->Height(); ++y)
      for (int x = 0; x < Data->Width(); ++x) Set(x, y, uint8_t(x * 7 + y * 3));
  }
  std::vector<TRect> Damage() const {
    std::vector<TRect> areas;
    for (TVexoNode* n = Data->DamageList().First; n; n = n->Next)
      areas.push_back(static_cast<TDamageNode*>(n)->Area);
    return areas;
  }
};

TEST(Surface, LinesAreStoredBottomUp) {
  Surface s(6, 3);
  uint8_t* base = s.Image.Segment(0)->Lock();
  EXPECT_EQ(s->StartLine(2, 0), base + 2 * 8 + 2);
  EXPECT_EQ(s->StartLine(5, 2), base + 5);
  EXPECT_EQ(s->LineBytes(), 8);
  int32_t y = 1;
  EXPECT_EQ(s->NextStartLine(base + 8 + 1, 1, y), base + 1);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(s->PrevStartLine(base + 1, 1, y), base + 8 + 1);
  EXPECT_EQ(y, 1);
}

TEST(Surface, StepsAcrossSegmentsMoveTheLock) {
  Surface s(300, 500);  // bands of 167, 167 and 166 lines, segment 0 at the bottom
  TVX8ImageSegment* top = s.Image.Segment(2);
  TVX8ImageSegment* middle = s.Image.Segment(1);
  for (uint8_t i = 0; i < 3; ++i) s.Image.Segment(i)->Unlock();
  EXPECT_EQ(s->SegmentRect(2), (TRect{0, 0, 300, 166}));
  EXPECT_EQ(s->SegmentRect(1), (TRect{0, 166, 300, 333}));
  EXPECT_EQ(s->SegmentRect(3), (TRect{}));

  int32_t y = 165;  // the lowest line of the top band
  uint8_t* p = s->StartLine(4, y);
  EXPECT_TRUE(top->IsLocked());
  p = s->NextStartLine(p, 4, y);
  EXPECT_EQ(y, 166);
  EXPECT_FALSE(top->IsLocked());
  EXPECT_TRUE(middle->IsLocked());
  EXPECT_EQ(p, middle->Lock() + 166 * 300 + 4);
  p = s->PrevStartLine(p, 4, y);
  EXPECT_TRUE(top->IsLocked());
  EXPECT_FALSE(middle->IsLocked());
  EXPECT_EQ(p, top->Lock() + 4);
  s->UnlockSegment(4, y);
  EXPECT_FALSE(top->IsLocked());
}

TEST(Surface, LineAccessOutsideTheSurfaceIsRefused) {
  Surface s(10, 10);
  EXPECT_EQ(Message([&] { s->StartLine(10, 0); }), "StartLine: co-ordinates outside drawing area");
  EXPECT_EQ(Message([&] { s->StartLine(0, -1); }), "StartLine: co-ordinates outside drawing area");
  int32_t y = 9;
  uint8_t* p = s->StartLine(0, 9);
  EXPECT_EQ(Message([&] { s->NextStartLine(p, 0, y); }),
            "NextStartLine: co-ordinates outside drawing area");
  EXPECT_EQ(y, 10);
  y = 0;
  EXPECT_EQ(Message([&] { s->PrevStartLine(p, 0, y); }),
            "PrevStartLine: co-ordinates outside drawing area");
  EXPECT_EQ(y, -1);
  EXPECT_EQ(Message([&] { s->UnlockSegment(-1, 0); }),
            "UnlockSegment: co-ordinates outside drawing area");
}

TEST(Surface, LineAccessToAMissingBandFails) {
  TVX8ImageSegment unloaded(nullptr, 0);
  unloaded.SetUnloaded(64);  // nobody to load it
  TVX8ImageData data;
  data.Initialize(8, 8, 1, {&unloaded}, 0, false, nullptr);
  EXPECT_EQ(Message([&] { data.StartLine(0, 0); }), "StartLine: Lock failed");
  TVX8ImageSegment small(nullptr, 0);
  small.Allocate(32, TVX8ImageSegment::MovableBlock);  // half a band
  data.Initialize(8, 8, 1, {&small}, 0, false, nullptr);
  EXPECT_EQ(Message([&] { data.StartLine(0, 0); }), "StartLine: Lock failed");
  data.Initialize(8, 8, 0, {}, 0, false, nullptr);
  EXPECT_EQ(Message([&] { data.StartLine(0, 0); }), "StartLine: Lock failed");
}

TEST(Surface, FillRectNormalisesClipsAndRecordsDamage) {
  Surface s(20, 20);
  s->FillRect({10, 10, 5, 5}, 9);
  EXPECT_EQ(s.Get(5, 5), 9);
  EXPECT_EQ(s.Get(9, 9), 9);
  EXPECT_EQ(s.Get(10, 10), 0);
  EXPECT_EQ(s.Get(4, 5), 0);
  s->FillRect({15, -4, 30, 2}, 3);
  EXPECT_EQ(s.Get(19, 0), 3);
  EXPECT_EQ(s.Get(19, 1), 3);
  EXPECT_EQ(s.Get(14, 0), 0);
  s->FillRect({40, 40, 50, 50}, 1);  // wholly outside: nothing filled, still reported
  EXPECT_EQ(s.Damage(), (std::vector<TRect>{{5, 5, 10, 10}, {15, 0, 20, 2}, {0, 0, 0, 0}}));

  s->HorzLine({10, 5}, -3, 4);
  EXPECT_EQ(s.Get(7, 5), 4);
  EXPECT_EQ(s.Get(9, 5), 4);
  EXPECT_EQ(s.Get(10, 5), 0);
  s->VertLine({0, 19}, 5, 2);
  EXPECT_EQ(s.Get(0, 19), 2);
  EXPECT_EQ(s.Get(0, 18), 0);
}

// Rows long enough to be copied eight pixels at a time, with the key among bytes that differ
// from it in one bit only, and a key that is 0 or 255.
TEST(Surface, WideTransparentDrawsKeepEveryKeyPixel) {
  for (int key : {0, 0x80, 0x7F, 255}) {
    Surface dst(61, 3);
    dst.Pattern();
    Surface src(45, 3, key);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 45; ++x)
        src.Set(x, y, uint8_t((x + y) % 3 == 0 ? key : key ^ (1 << ((x + 2 * y) % 8))));
    dst->Draw({5, 0}, *src, {0, 0, 45, 3});
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 61; ++x) {
        const bool covered = x >= 5 && x < 50 && src.Get(x - 5, y) != key;
        EXPECT_EQ(dst.Get(x, y), covered ? src.Get(x - 5, y) : uint8_t(x * 7 + y * 3))
            << "key " << key << " at " << x << "," << y;
      }
  }
}

TEST(Surface, DrawSkipsTheSourcesTransparentColour) {
  Surface dst(8, 8);
  dst->FillRect({0, 0, 8, 8}, 50);
  Surface src(4, 4, 0);
  src->FillRect({1, 1, 3, 3}, 6);
  dst->ClearDamage();
  dst->Draw({2, 2}, *src, {0, 0, 4, 4});
  EXPECT_EQ(dst.Get(2, 2), 50);  // source pixel 0 is transparent
  EXPECT_EQ(dst.Get(3, 3), 6);
  EXPECT_EQ(dst.Get(4, 4), 6);
  EXPECT_EQ(dst.Get(5, 5), 50);
  EXPECT_EQ(dst.Damage(), (std::vector<TRect>{{2, 2, 6, 6}}));

  Surface opaque(4, 4);
  opaque->FillRect({1, 1, 3, 3}, 6);
  dst->Draw({2, 2}, *opaque, {0, 0, 4, 4});
  EXPECT_EQ(dst.Get(2, 2), 0);
  // The destination's own transparency plays no part.
  Surface keyed(4, 4, 6);
  keyed->Draw({0, 0}, *opaque, {0, 0, 4, 4});
  EXPECT_EQ(keyed.Get(1, 1), 6);
}

TEST(Surface, DrawClipsToBothSurfaces) {
  Surface src(10, 10);
  src.Pattern();
  Surface dst(12, 12);
  dst->Draw({0, 0}, *src, {-3, 0, 10, 10});  // columns 0 to 9 land at x = 3 onwards
  EXPECT_EQ(dst.Get(3, 0), src.Get(0, 0));
  EXPECT_EQ(dst.Get(11, 4), src.Get(8, 4));
  EXPECT_EQ(dst.Get(2, 0), 0);
  EXPECT_EQ(dst.Damage(), (std::vector<TRect>{{3, 0, 12, 10}}));

  Surface small(5, 5);
  small->Draw({-2, 3}, *src, {0, 0, 10, 10});
  EXPECT_EQ(small.Get(0, 3), src.Get(2, 0));
  EXPECT_EQ(small.Get(4, 4), src.Get(6, 1));
  EXPECT_EQ(small.Damage(), (std::vector<TRect>{{0, 3, 5, 5}}));

  Surface untouched(5, 5);
  untouched->Draw({5, 0}, *src, {0, 0, 10, 10});
  untouched->Draw({-10, -10}, *src, {0, 0, 10, 10});
  EXPECT_TRUE(untouched.Damage().empty());
}

TEST(Surface, DrawCopiesAcrossBands) {
  Surface src(300, 500);
  src.Pattern();
  Surface dst(300, 500);
  dst->Draw({0, 100}, *src, {0, 0, 300, 400});
  for (int y = 100; y < 500; ++y)  // across the bands of both, which lie 100 lines apart
    for (int x : {0, 123, 299}) ASSERT_EQ(dst.Get(x, y), src.Get(x, y - 100)) << x << "," << y;
  EXPECT_EQ(dst.Get(0, 99), 0);
}

TEST(Surface, DisplayCopiesOneBlockPerBandWithoutGaps) {
  Surface s(300, 500);
  s.Pattern();
  RecordingDevice dev(300, 300);
  // Lines 150 to 199 of the picture: the top band's last 16 and the middle band's first 34.
  const int lines = s->Display(dev, {0, 10}, {20, 150, 60, 200});
  ASSERT_EQ(dev.Copies.size(), 2u);
  EXPECT_FALSE(s.Image.Segment(1)->IsLocked());
  EXPECT_FALSE(s.Image.Segment(2)->IsLocked());
  const auto& middle = dev.Copies[0];
  const auto& top = dev.Copies[1];
  EXPECT_EQ(middle.Height, 34);
  EXPECT_EQ(middle.YDest, 10 + 16);
  EXPECT_EQ(middle.XSrc, 20);
  EXPECT_EQ(middle.YSrc, 333 - 200);
  EXPECT_EQ(middle.InfoHeight, 167);
  EXPECT_EQ(top.Height, 16);
  EXPECT_EQ(top.YDest, 10);
  EXPECT_EQ(top.YSrc, 0);
  EXPECT_EQ(top.InfoHeight, 166);
  EXPECT_EQ(lines, 50);
  for (int y = 0; y < 50; ++y)
    EXPECT_EQ(dev.Pixel(5, 10 + y), 0xFF000000u | s.Get(25, 150 + y) * 0x010101u) << y;
}

TEST(Surface, TransparentDisplayKeepsTheDeviceUnderTransparentPixels) {
  Surface s(300, 500, 7);
  s.Pattern();
  s->FillRect({0, 160, 300, 170}, 7);
  platform::LogicalPalette palette;  // 0 black, 255 white, others a colour of their own
  for (int i = 0; i < 256; ++i) palette.Entries[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  RecordingDevice dev(300, 100, 0xFF123456u);
  dev.SelectPalette(&palette, false);
  const int lines = s->Display(dev, {0, 0}, {0, 150, 300, 200});
  ASSERT_EQ(dev.Copies.size(), 4u);
  EXPECT_EQ(dev.Copies[0].Rop, platform::RasterOp::SrcAnd);
  EXPECT_EQ(dev.Copies[1].Rop, platform::RasterOp::SrcPaint);
  EXPECT_EQ(dev.Copies[2].Rop, platform::RasterOp::SrcAnd);
  EXPECT_EQ(lines, 50);
  EXPECT_EQ(dev.Pixel(3, 15), 0xFF123456u);  // line 165 is transparent
  const uint8_t v = s.Get(3, 190);
  ASSERT_NE(v, 7);
  EXPECT_EQ(dev.Pixel(3, 40), palette.Rgb32(v));
}

TEST(Surface, DisplayNeedsTheBitmapBlock) {
  TVX8Image image;
  image.Init("", 4, 4);
  auto data = image.CreateImageData(nullptr);
  ASSERT_NE(data, nullptr);
  RecordingDevice dev(4, 4);
  EXPECT_EQ(Message([&] {
              data->Display(dev, {0, 0}, {0, 0, 4, 4});
            }),
            "PBMInfo not initialized for Display");
  image.ReleaseImageData(std::move(data));
}

TEST(Surface, DamageCollapsesContainedRectangles) {
  Surface s(100, 100);
  s->AddDamage({0, 0, 10, 10});
  s->AddDamage({2, 2, 5, 5});
  EXPECT_EQ(s.Damage(), (std::vector<TRect>{{0, 0, 10, 10}}));
  s->ClearDamage();
  s->AddDamage({2, 2, 5, 5});
  s->AddDamage({0, 0, 10, 10});
  EXPECT_EQ(s.Damage(), (std::vector<TRect>{{0, 0, 10, 10}}));
  s->AddDamage({5, 5, 15, 15});
  EXPECT_EQ(s.Damage().size(), 2u);
  s->ClearDamage();
  // Only the first node within a new rectangle is widened.
  s->AddDamage({1, 1, 2, 2});
  s->AddDamage({3, 3, 4, 4});
  s->AddDamage({0, 0, 5, 5});
  EXPECT_EQ(s.Damage(), (std::vector<TRect>{{0, 0, 5, 5}, {3, 3, 4, 4}}));
  s->ClearDamage();
  s->AddDamage({90, -5, 120, 10});
  s->AddDamage({3, 3, 3, 8});
  EXPECT_EQ(s.Damage(), (std::vector<TRect>{{90, 0, 100, 10}, {3, 3, 3, 8}}));
}

TEST(Surface, DisplayDamageShowsAndEmptiesTheList) {
  Surface s(300, 500);
  s.Pattern();
  RecordingDevice dev(400, 600);
  s->DisplayDamage(dev, {0, 0});
  EXPECT_TRUE(dev.Copies.empty());
  s->AddDamage({10, 10, 20, 20});
  s->AddDamage({5, 5, 5, 5});
  s->AddDamage({0, 160, 10, 180});
  s->DisplayDamage(dev, {50, 60});
  EXPECT_EQ(dev.Copies.size(), 3u);  // the empty one copies nothing; the last spans two bands
  EXPECT_TRUE(s.Damage().empty());
  EXPECT_EQ(dev.Pixel(50 + 15, 60 + 12), 0xFF000000u | s.Get(15, 12) * 0x010101u);
  EXPECT_EQ(dev.Pixel(50 + 3, 60 + 170), 0xFF000000u | s.Get(3, 170) * 0x010101u);
  EXPECT_EQ(dev.Pixel(50 + 25, 60 + 12), 0xFF000000u);
}

}  // namespace
