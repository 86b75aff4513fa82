// One band of a picture's pixel rows, held in a lockable memory block: read from the library
// file on its first lock and decoded from its stored coding (line code, plain rows, plain runs).
#pragma once

#include <cstdint>

#include "image/SegmentGeometry.h"
#include "platform/MemoryBlock.h"
#include "platform/Stream.h"

class TVX8Image;

class TVX8ImageSegment {
 public:
  // Flag bits.
  static constexpr uint8_t RawRows = 1;    // stored as plain rows
  static constexpr uint8_t PlainRuns = 2;  // stored as plain runs
  static constexpr uint8_t Busy = 4;       // being painted (run time only)
  static constexpr uint8_t Encoded = 8;    // the buffer holds stored bytes still to be decoded

  // Allocation flags of stored bytes and blank bands, and of decoded rows.
  static constexpr uint16_t MovableBlock = platform::BlockMoveable;
  static constexpr uint16_t DecodedBlock = platform::BlockMoveable | platform::BlockDiscardable;

  TVX8ImageSegment(TVX8Image* owner, uint16_t index) : Owner_(owner), Index_(index) {}
  ~TVX8ImageSegment() { FreeBuffer(); }
  TVX8ImageSegment(const TVX8ImageSegment&) = delete;
  TVX8ImageSegment& operator=(const TVX8ImageSegment&) = delete;

  static uint16_t SegmentRows(uint16_t width, uint16_t height, uint8_t index) {
    return vx8::SegmentRows(width, height, index);
  }
  static uint16_t SegmentBytes(uint16_t width, uint16_t height, uint8_t index) {
    return vx8::SegmentBytes(width, height, index);
  }
  static uint16_t SegmentCount(uint16_t width, uint16_t height) {
    return vx8::SegmentCount(width, height);
  }

  // The 3-byte segment header: RunEscape, TripleEscape, Flags. Busy, which only painting may
  // set, is never taken from the file.
  void ReadSegmentHeader(platform::Stream& stream);
  // Stands for `size` stored bytes still in the file.
  void SetUnloaded(uint16_t size);
  // A new present buffer of `bytes` zero bytes; "Allocate: out of memory" when it cannot be had
  // (a segment never holds more than 65535 bytes).
  void Allocate(uint32_t bytes, uint16_t flags);
  // Resizes the present buffer, keeping its content and its lock.
  void Reallocate(uint32_t bytes);
  void FreeBuffer();
  // The buffer's address, loading an unloaded buffer through the owner first; null when an
  // unloaded buffer has nobody to load it.
  uint8_t* Lock();
  void Unlock();
  // Hands the buffer (loaded if it was unloaded) to the caller; the segment keeps none.
  platform::MemoryBlock DetachBuffer();
  // Turns stored bytes into the band's pixel rows; nothing happens unless Encoded is set.
  void Decode(uint16_t width, uint16_t height);
  // Codes this segment's band of the raw picture in `stream` (bottom row first, rows of
  // LineBytes(width)) into stored bytes, with its escapes and coding flags; nothing happens
  // when Encoded is set already. On a failure the segment is left with no buffer, flags 0.
  void Encode(platform::Stream& stream, uint16_t width, uint16_t height);

  uint8_t RunEscape = 0;     // A
  uint8_t TripleEscape = 0;  // B
  uint8_t Flags = 0;

  uint16_t Index() const { return Index_; }
  uint16_t Size() const { return Size_; }
  TVX8Image* Owner() const { return Owner_; }
  bool IsLocked() const { return LockedPointer_ != nullptr; }
  const platform::MemoryBlock& Buffer() const { return Buffer_; }

 private:
  TVX8Image* Owner_;
  uint16_t Index_;
  uint16_t Size_ = 0;
  platform::MemoryBlock Buffer_;
  uint8_t* LockedPointer_ = nullptr;
};
