#include <gtest/gtest.h>

#include "foundation/Geometry.h"

namespace {

TEST(Geometry, MoveRectToKeepsSize) {
  EXPECT_EQ(MoveRectTo({10, 20, 50, 60}, {100, 5}), (TRect{100, 5, 140, 45}));
  // No normalisation: an inverted rectangle stays inverted.
  EXPECT_EQ(MoveRectTo({50, 60, 10, 20}, {0, 0}), (TRect{0, 0, -40, -40}));
}

TEST(Geometry, IntersectionIsAllZeroWhenEmpty) {
  TRect r{1, 2, 3, 4};
  EXPECT_TRUE(IntersectRect(r, {0, 0, 10, 10}, {5, 5, 20, 20}));
  EXPECT_EQ(r, (TRect{5, 5, 10, 10}));
  EXPECT_FALSE(IntersectRect(r, {0, 0, 10, 10}, {10, 0, 20, 10}));  // edges touch only
  EXPECT_EQ(r, TRect{});
  EXPECT_EQ(Intersection({0, 0, 10, 10}, {3, 3, 3, 8}), TRect{});  // empty operand
  EXPECT_EQ(Intersection({5, 5, 0, 0}, {0, 0, 10, 10}), TRect{});  // inverted operand
}

TEST(Geometry, ContainsExcludesRightAndBottom) {
  const TRect r{0, 0, 208, 208};
  EXPECT_TRUE(r.Contains({0, 0}));
  EXPECT_TRUE(r.Contains({207, 207}));
  EXPECT_FALSE(r.Contains({208, 0}));
  EXPECT_FALSE(r.Contains({0, 208}));
  EXPECT_FALSE(r.Contains({-1, 5}));
}

}  // namespace
