#include <gtest/gtest.h>

#include <cstring>

#include "platform/MemoryBlock.h"

namespace {

using platform::MemoryBlock;

TEST(MemoryBlock, MovesThroughItsThreeStates) {
  MemoryBlock block;
  EXPECT_TRUE(block.IsAbsent());
  EXPECT_EQ(block.Lock(), nullptr);

  block.SetUnloaded(300);
  EXPECT_TRUE(block.IsUnloaded());
  EXPECT_EQ(block.Size(), 300u);
  EXPECT_TRUE(block.IsDiscardable());
  EXPECT_EQ(block.Lock(), nullptr);
  EXPECT_FALSE(block.IsLocked());

  ASSERT_TRUE(block.Allocate(16, platform::BlockMoveable));
  EXPECT_TRUE(block.IsPresent());
  EXPECT_FALSE(block.IsDiscardable());
  uint8_t* p = block.Lock();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(block.IsLocked());
  EXPECT_EQ(block.Lock(), p);  // locks are not counted and the address holds
  block.Unlock();
  EXPECT_FALSE(block.IsLocked());

  block.Free();
  EXPECT_TRUE(block.IsAbsent());
  EXPECT_EQ(block.Size(), 0u);
}

TEST(MemoryBlock, NewMemoryIsZeroAndResizingKeepsContent) {
  MemoryBlock block;
  ASSERT_TRUE(block.Allocate(8, platform::BlockMoveable | platform::BlockDiscardable));
  uint8_t* p = block.Lock();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(p[i], 0) << i;
  std::memcpy(p, "abcdefgh", 8);

  ASSERT_TRUE(block.Reallocate(12));
  EXPECT_FALSE(block.IsLocked());  // the block may have moved
  p = block.Lock();
  EXPECT_EQ(std::memcmp(p, "abcdefgh\0\0\0\0", 12), 0);
  ASSERT_TRUE(block.Reallocate(3));
  EXPECT_EQ(block.Size(), 3u);
  EXPECT_EQ(std::memcmp(block.Lock(), "abc", 3), 0);

  block.SetDiscardable(false);
  EXPECT_EQ(block.Flags(), platform::BlockMoveable);
}

TEST(MemoryBlock, FailuresAreReported) {
  MemoryBlock block;
  EXPECT_FALSE(block.Reallocate(4));  // nothing to resize
  EXPECT_FALSE(block.Allocate(MemoryBlock::MaxBytes + 1, platform::BlockMoveable));
  EXPECT_TRUE(block.IsAbsent());

  ASSERT_TRUE(block.Allocate(4, platform::BlockMoveable));
  EXPECT_FALSE(block.Reallocate(MemoryBlock::MaxBytes + 1));
  EXPECT_TRUE(block.IsPresent());
  EXPECT_EQ(block.Size(), 4u);

  // A present block of no bytes still has an address, unlike an unloaded one.
  ASSERT_TRUE(block.Allocate(0, platform::BlockMoveable));
  EXPECT_NE(block.Lock(), nullptr);
}

TEST(MemoryBlock, MovingHandsOverTheBlock) {
  MemoryBlock a;
  ASSERT_TRUE(a.Allocate(5, platform::BlockMoveable));
  uint8_t* p = a.Lock();
  MemoryBlock b(std::move(a));
  EXPECT_TRUE(a.IsAbsent());
  EXPECT_TRUE(b.IsLocked());
  EXPECT_EQ(b.Lock(), p);
  MemoryBlock c;
  c.SetUnloaded(9);
  c = std::move(b);
  EXPECT_EQ(c.Size(), 5u);
  EXPECT_TRUE(c.IsPresent());
}

}  // namespace
