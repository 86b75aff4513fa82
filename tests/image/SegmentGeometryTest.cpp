#include <gtest/gtest.h>

#include "image/SegmentGeometry.h"

namespace {

using namespace vx8;

TEST(SegmentGeometry, LineBytesRoundsUpToFourIn16Bits) {
  EXPECT_EQ(LineBytes(0), 0);
  EXPECT_EQ(LineBytes(1), 4);
  EXPECT_EQ(LineBytes(4), 4);
  EXPECT_EQ(LineBytes(5), 8);
  EXPECT_EQ(LineBytes(208), 208);
  EXPECT_EQ(LineBytes(65535), 0);
}

TEST(SegmentGeometry, BandsOfKnownPictures) {
  EXPECT_EQ(SegmentCount(208, 208), 1);
  EXPECT_EQ(SegmentRows(208, 208, 0), 208);

  EXPECT_EQ(SegmentCount(300, 500), 3);
  EXPECT_EQ(SegmentRows(300, 500, 0), 167);
  EXPECT_EQ(SegmentRows(300, 500, 1), 167);
  EXPECT_EQ(SegmentRows(300, 500, 2), 166);
  EXPECT_EQ(SegmentBytes(300, 500, 2), 166 * 300);

  EXPECT_EQ(SegmentCount(640, 480), 5);
  for (uint8_t i = 0; i < 5; ++i) EXPECT_EQ(SegmentRows(640, 480, i), 96);
}

TEST(SegmentGeometry, EveryBandFitsAndRowsAddUp) {
  for (uint16_t w : {1, 3, 7, 255, 256, 1023, 1300, 16000, 65280}) {
    for (uint16_t h : {1, 2, 51, 52, 1300}) {
      const uint16_t count = SegmentCount(w, h);
      ASSERT_GT(count, 0) << w << "x" << h;
      uint32_t rows = 0;
      for (uint16_t i = 0; i < count; ++i) {
        const uint16_t r = SegmentRows(w, h, static_cast<uint8_t>(i));
        EXPECT_GE(r, 1) << w << "x" << h << " band " << i;
        EXPECT_LE(uint32_t(r) * LineBytes(w), MaxSegmentBytes);
        rows += r;
      }
      EXPECT_EQ(rows, h) << w << "x" << h;
    }
  }
}

TEST(SegmentGeometry, RowsThatCannotBeBandedGiveNoSegments) {
  EXPECT_EQ(SegmentCount(0, 10), 0);
  EXPECT_EQ(SegmentCount(10, 0), 0);
  EXPECT_EQ(SegmentCount(65281, 3), 0);  // one row is larger than a band
  EXPECT_EQ(SegmentCount(65535, 65535), 0);
}

}  // namespace
