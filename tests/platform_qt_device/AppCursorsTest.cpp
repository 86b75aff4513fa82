#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/AppCursors.h"

namespace {

using platform::AppCursor;
using platform::CursorResource;
using platform::HasAppCursor;
using platform::LoadCursors;

const CursorResource Hand{3000, ":/test/test_hand.xpm", QPoint(3, 4)};
const CursorResource Link{3001, ":/test/test_link.xpm", QPoint(5, 2)};
const CursorResource Missing3000{3000, ":/test/none.png", QPoint()};
const CursorResource Missing3001{3001, ":/test/none.png", QPoint()};

class AppCursorsTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::ClearAppCursors(); }
  void TearDown() override { platform::ClearAppCursors(); }
};

TEST_F(AppCursorsTest, BothCursorsLoadWithTheirImagesAndHotSpots) {
  // The table is looked up by number, so its order does not matter.
  const std::vector<CursorResource> resources{Link, Hand};
  EXPECT_EQ(LoadCursors(resources), 2);
  const QCursor hand = AppCursor(platform::CursorId::Hand);
  const QCursor link = AppCursor(platform::CursorId::Link);
  EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
  EXPECT_EQ(hand.pixmap().size(), QSize(16, 20));
  EXPECT_EQ(hand.hotSpot(), QPoint(3, 4));
  EXPECT_EQ(link.pixmap().size(), QSize(12, 14));
  EXPECT_EQ(link.hotSpot(), QPoint(5, 2));
}

TEST_F(AppCursorsTest, AFailureStopsTheLoadingAndLeavesTheDefault) {
  const std::vector<CursorResource> firstMissing{Missing3000, Link};
  EXPECT_EQ(LoadCursors(firstMissing), 0);
  EXPECT_FALSE(HasAppCursor(platform::CursorId::Hand));
  EXPECT_FALSE(HasAppCursor(platform::CursorId::Link))
      << "the link cursor is not tried after a failure";
  EXPECT_EQ(AppCursor(platform::CursorId::Link).shape(), Qt::ArrowCursor);

  const std::vector<CursorResource> secondMissing{Hand, Missing3001};
  EXPECT_EQ(LoadCursors(secondMissing), 1);
  EXPECT_TRUE(HasAppCursor(platform::CursorId::Hand));
  EXPECT_FALSE(HasAppCursor(platform::CursorId::Link));

  const std::vector<CursorResource> unnumbered{Link};
  platform::ClearAppCursors();
  EXPECT_EQ(LoadCursors(unnumbered), 0) << "without resource 3000 nothing is loaded";
}

}  // namespace
