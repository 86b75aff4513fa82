// The memory blocks on Windows' movable and discardable global memory.
#include "platform/win32/WindowsApi.h"

#include "platform/MemoryBlock.h"

namespace platform {

namespace {

HGLOBAL Handle(void* store) {
  return static_cast<HGLOBAL>(store);
}

}  // namespace

bool MemoryBlock::Allocate(size_t bytes, uint16_t flags) {
  Free();
  if (bytes > MaxBytes) return false;
  // A block of no bytes would be allocated discarded: one byte keeps it present.
  store_ = GlobalAlloc(flags | GMEM_ZEROINIT, bytes ? bytes : 1);
  if (!store_) return false;
  size_ = bytes;
  flags_ = flags;
  state_ = State::Present;
  return true;
}

bool MemoryBlock::Reallocate(size_t bytes) {
  if (state_ != State::Present || bytes > MaxBytes) return false;
  if (bytes == size_) return true;
  Unlock();
  HGLOBAL moved = GlobalReAlloc(Handle(store_), bytes ? bytes : 1, GMEM_MOVEABLE | GMEM_ZEROINIT);
  if (!moved) return false;
  store_ = moved;
  size_ = bytes;
  return true;
}

// An eight-byte block, movable and discardable, discarded at once: locking it gives nothing, and
// the system reports it discarded.
void MemoryBlock::SetUnloaded(size_t bytes) {
  Free();
  store_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_DISCARDABLE, 8);
  if (store_) {
    if (HGLOBAL discarded = GlobalReAlloc(Handle(store_), 0, GMEM_MOVEABLE)) store_ = discarded;
  }
  size_ = bytes;
  flags_ = BlockMoveable | BlockDiscardable;
  state_ = State::Unloaded;
}

void MemoryBlock::Free() {
  Unlock();
  if (store_) GlobalFree(Handle(store_));
  store_ = nullptr;
  size_ = 0;
  flags_ = 0;
  state_ = State::Absent;
}

uint8_t* MemoryBlock::Lock() {
  if (state_ != State::Present) return nullptr;
  if (!locked_) locked_ = static_cast<uint8_t*>(GlobalLock(Handle(store_)));
  return locked_;
}

void MemoryBlock::Unlock() {
  if (!locked_) return;
  GlobalUnlock(Handle(store_));
  locked_ = nullptr;
}

void MemoryBlock::SetDiscardable(bool discardable) {
  if (discardable)
    flags_ |= BlockDiscardable;
  else
    flags_ &= ~BlockDiscardable;
  if (state_ == State::Present)
    GlobalReAlloc(Handle(store_), 0, GMEM_MODIFY | (discardable ? GMEM_DISCARDABLE : 0));
}

}  // namespace platform
