#include "image/VX8ImageSegment.h"

#include "image/LineCodec.h"
#include "image/VX8Exception.h"
#include "image/VX8Image.h"

void TVX8ImageSegment::ReadSegmentHeader(platform::Stream& stream) {
  uint8_t header[3];
  stream.Read(header, sizeof header);
  RunEscape = header[0];
  TripleEscape = header[1];
  Flags = header[2] & uint8_t(~Busy);
}

void TVX8ImageSegment::SetUnloaded(uint16_t size) {
  FreeBuffer();
  Buffer_.SetUnloaded(size);
  Size_ = size;
}

void TVX8ImageSegment::Allocate(uint32_t bytes, uint16_t flags) {
  FreeBuffer();
  if (bytes > 0xFFFF || !Buffer_.Allocate(bytes, flags))
    throw VX8Exception("Allocate: out of memory");
  Size_ = uint16_t(bytes);
}

void TVX8ImageSegment::Reallocate(uint32_t bytes) {
  if (Buffer_.IsAbsent()) throw VX8Exception("Reallocate: segment buffer not allocated");
  const bool wasLocked = IsLocked();
  Unlock();
  if (bytes > 0xFFFF || !Buffer_.Reallocate(bytes)) {
    FreeBuffer();
    throw VX8Exception("Reallocate: out of memory");
  }
  Size_ = uint16_t(bytes);
  if (wasLocked) Lock();
}

void TVX8ImageSegment::FreeBuffer() {
  Unlock();
  Flags &= uint8_t(~Encoded);
  Buffer_.Free();
  Size_ = 0;
}

uint8_t* TVX8ImageSegment::Lock() {
  if (Buffer_.IsAbsent()) throw VX8Exception("Segment Lock: segment buffer not allocated");
  if (!LockedPointer_) LockedPointer_ = Buffer_.Lock();
  if (!LockedPointer_ && Buffer_.IsUnloaded() && Owner_) {
    Owner_->LoadSegment(uint8_t(Index_));
    if (!Buffer_.IsAbsent() && !LockedPointer_) LockedPointer_ = Buffer_.Lock();
  }
  return LockedPointer_;
}

void TVX8ImageSegment::Unlock() {
  if (LockedPointer_) {
    Buffer_.Unlock();
    LockedPointer_ = nullptr;
  }
}

platform::MemoryBlock TVX8ImageSegment::DetachBuffer() {
  platform::MemoryBlock detached;
  if (!Buffer_.IsAbsent()) {
    Lock();
    Unlock();
    Buffer_.SetDiscardable(false);
    detached = std::move(Buffer_);
  }
  Size_ = 0;
  Flags &= uint8_t(~Encoded);
  return detached;
}

void TVX8ImageSegment::Decode(uint16_t width, uint16_t height) {
  if (!(Flags & Encoded)) return;
  const uint8_t index = uint8_t(Index_);
  try {
    platform::MemoryBlock stored = DetachBuffer();
    // The stored bytes' own block bounds every read, whatever the file said.
    const uint8_t* src = stored.Lock();
    const size_t srcSize = src ? stored.Size() : 0;
    const vx8::BandShape shape{width, SegmentRows(width, height, index), vx8::LineBytes(width)};
    Allocate(SegmentBytes(width, height, index), DecodedBlock);
    uint8_t* dst = Lock();
    const vx8::Escapes escapes{RunEscape, TripleEscape};
    if (Flags & PlainRuns)
      vx8::DecodeRuns(src, srcSize, dst, shape, escapes);
    else
      vx8::DecodeLineCode(src, srcSize, dst, shape, escapes, (Flags & RawRows) != 0);
    Unlock();
  } catch (...) {
    FreeBuffer();
    throw;
  }
}
