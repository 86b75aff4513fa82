#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageSegment.h"
#include "platform/MemoryStream.h"
#include "tests/support/ThrownMessage.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Seg = TVX8ImageSegment;

// An owner that serves one segment's stored bytes from memory and counts the loads.
class StoredBytesOwner : public TVX8Image {
 public:
  explicit StoredBytesOwner(Bytes stored) : stored_(std::move(stored)) {}
  void LoadSegment(uint8_t) override {
    ++Loads;
    Target->Allocate(uint32_t(stored_.size()), Seg::MovableBlock);
    if (!stored_.empty()) std::memcpy(Target->Lock(), stored_.data(), stored_.size());
    Target->Unlock();
  }
  Seg* Target = nullptr;
  int Loads = 0;

 private:
  Bytes stored_;
};

const auto Message = &vx8test::ThrownMessage<VX8Exception>;

Bytes Contents(Seg& s) {
  const uint8_t* p = s.Lock();
  Bytes out(p, p + s.Size());
  s.Unlock();
  return out;
}

TEST(Segment, FirstLockLoadsTheStoredBytesOnce) {
  StoredBytesOwner owner({1, 2, 3, 4});
  Seg seg(&owner, 0);
  owner.Target = &seg;
  seg.SetUnloaded(4);
  EXPECT_EQ(seg.Size(), 4);
  EXPECT_TRUE(seg.Buffer().IsUnloaded());

  uint8_t* p = seg.Lock();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(owner.Loads, 1);
  EXPECT_EQ(Bytes(p, p + 4), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(seg.Lock(), p);
  EXPECT_EQ(owner.Loads, 1);
  seg.Unlock();
  EXPECT_FALSE(seg.IsLocked());
  seg.Lock();
  EXPECT_EQ(owner.Loads, 1);
}

TEST(Segment, BufferFailuresRaiseTheirMessages) {
  Seg seg(nullptr, 0);
  EXPECT_EQ(Message([&] { seg.Lock(); }), "Segment Lock: segment buffer not allocated");
  EXPECT_EQ(Message([&] { seg.Reallocate(4); }), "Reallocate: segment buffer not allocated");

  seg.Flags = Seg::Encoded;
  EXPECT_EQ(Message([&] { seg.Allocate(70000, Seg::MovableBlock); }), "Allocate: out of memory");
  EXPECT_TRUE(seg.Buffer().IsAbsent());
  EXPECT_EQ(seg.Size(), 0);

  seg.Allocate(4, Seg::MovableBlock);
  EXPECT_EQ(Message([&] { seg.Reallocate(70000); }), "Reallocate: out of memory");
  EXPECT_TRUE(seg.Buffer().IsAbsent());
  EXPECT_EQ(seg.Size(), 0);
}

TEST(Segment, ReallocateKeepsContentAndLock) {
  Seg seg(nullptr, 0);
  seg.Allocate(3, Seg::MovableBlock);
  std::memcpy(seg.Lock(), "xyz", 3);
  seg.Reallocate(5);
  EXPECT_TRUE(seg.IsLocked());
  EXPECT_EQ(seg.Size(), 5);
  EXPECT_EQ(Contents(seg), (Bytes{'x', 'y', 'z', 0, 0}));
  seg.Reallocate(2);
  EXPECT_FALSE(seg.IsLocked());
  EXPECT_EQ(Contents(seg), (Bytes{'x', 'y'}));
}

TEST(Segment, DetachBufferLoadsAndHandsOverTheBlock) {
  StoredBytesOwner owner({9, 8});
  Seg seg(&owner, 3);
  owner.Target = &seg;
  seg.SetUnloaded(2);
  seg.Flags = Seg::Encoded | Seg::RawRows;
  platform::MemoryBlock block = seg.DetachBuffer();
  EXPECT_EQ(owner.Loads, 1);
  ASSERT_TRUE(block.IsPresent());
  EXPECT_FALSE(block.IsDiscardable());
  EXPECT_EQ(block.Lock()[0], 9);
  EXPECT_TRUE(seg.Buffer().IsAbsent());
  EXPECT_EQ(seg.Size(), 0);
  EXPECT_EQ(seg.Flags, Seg::RawRows);
  EXPECT_TRUE(seg.DetachBuffer().IsAbsent());
}

// A segment not yet loaded, its stored bytes served by its owner, with escapes 240 and 241.
struct StoredSegment {
  StoredBytesOwner Owner;
  Seg Segment{&Owner, 0};
  StoredSegment(const Bytes& stored, uint8_t flags) : Owner(stored) {
    Owner.Target = &Segment;
    Segment.SetUnloaded(uint16_t(stored.size()));
    Segment.RunEscape = 240;
    Segment.TripleEscape = 241;
    Segment.Flags = flags;
  }
};

TEST(Segment, DecodeTurnsStoredBytesIntoRows) {
  // Width 12, two rows: 10..21 literally, then the tokens of every kind.
  Bytes stored{0};
  for (uint8_t v = 10; v < 22; ++v) stored.push_back(v);
  stored.insert(stored.end(), {1, 5, 240, 0, 240, 1, 241, 240, 241, 241, 241, 7, 240, 2, 0});
  StoredSegment segment(stored, Seg::Encoded);
  StoredBytesOwner& owner = segment.Owner;
  Seg& seg = segment.Segment;
  seg.Decode(12, 2);
  EXPECT_EQ(owner.Loads, 1);
  EXPECT_EQ(seg.Size(), 24);
  EXPECT_EQ(seg.Flags, 0);
  EXPECT_FALSE(seg.IsLocked());
  EXPECT_EQ(seg.Buffer().Flags(), Seg::DecodedBlock);
  EXPECT_EQ(Contents(seg), (Bytes{10, 11,  12,  13,  14,  15,  16,  17, 18, 19, 20, 21,  //
                                  5,  240, 240, 240, 241, 241, 241, 7,  7,  7,  20, 21}));
  // Decoded once: a second Decode changes nothing.
  seg.Decode(12, 2);
  EXPECT_EQ(Contents(seg)[12], 5);
}

TEST(Segment, DecodeLeavesFinishedRowsAlone) {
  StoredBytesOwner owner({1, 2, 3, 4});
  Seg seg(&owner, 0);
  owner.Target = &seg;
  seg.SetUnloaded(4);
  seg.Decode(4, 1);
  EXPECT_EQ(owner.Loads, 0);
  EXPECT_TRUE(seg.Buffer().IsUnloaded());
}

TEST(Segment, PlainRunsCrossRowEnds) {
  StoredSegment stored({240, 7, 33, 240, 0}, Seg::Encoded | Seg::PlainRuns);
  Seg& seg = stored.Segment;
  seg.Decode(4, 2);
  EXPECT_EQ(Contents(seg), (Bytes{33, 33, 33, 33, 33, 33, 33, 240}));
  EXPECT_EQ(seg.Flags, Seg::PlainRuns);
}

TEST(Segment, FailedDecodeLeavesNoBuffer) {
  for (const Bytes& bytes : {Bytes{7}, Bytes{1, 240}, Bytes{1, 240, 13, 1}, Bytes{}}) {
    StoredSegment stored(bytes, Seg::Encoded);
    Seg& seg = stored.Segment;
    EXPECT_THROW(seg.Decode(12, 1), VX8Exception);
    EXPECT_TRUE(seg.Buffer().IsAbsent());
    EXPECT_EQ(seg.Size(), 0);
    EXPECT_EQ(seg.Flags & Seg::Encoded, 0);
  }
}

TEST(Segment, SegmentHeaderNeverSetsBusy) {
  platform::MemoryStream stream(Bytes{7, 9, 0xFF});
  Seg seg(nullptr, 0);
  seg.ReadSegmentHeader(stream);
  EXPECT_EQ(seg.RunEscape, 7);
  EXPECT_EQ(seg.TripleEscape, 9);
  EXPECT_EQ(seg.Flags, 0xFF & ~Seg::Busy);
}

}  // namespace
