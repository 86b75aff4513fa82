#include "platform/MemoryBlock.h"

#include <cstring>
#include <new>

namespace platform {

namespace {

// At least one byte, so that a present block of size 0 still has an address.
uint8_t* NewZeroed(size_t bytes) {
  if (bytes > MemoryBlock::MaxBytes) return nullptr;
  return new (std::nothrow) uint8_t[bytes ? bytes : 1]();
}

}  // namespace

bool MemoryBlock::Allocate(size_t bytes, uint16_t flags) {
  Free();
  store_ = NewZeroed(bytes);
  if (!store_) return false;
  size_ = bytes;
  flags_ = flags;
  state_ = State::Present;
  return true;
}

bool MemoryBlock::Reallocate(size_t bytes) {
  if (state_ != State::Present) return false;
  if (bytes == size_) return true;
  uint8_t* moved = NewZeroed(bytes);
  if (!moved) return false;
  std::memcpy(moved, store_, bytes < size_ ? bytes : size_);
  delete[] static_cast<uint8_t*>(store_);
  store_ = moved;
  size_ = bytes;
  locked_ = nullptr;
  return true;
}

void MemoryBlock::SetUnloaded(size_t bytes) {
  Free();
  size_ = bytes;
  flags_ = BlockMoveable | BlockDiscardable;
  state_ = State::Unloaded;
}

void MemoryBlock::Free() {
  delete[] static_cast<uint8_t*>(store_);
  store_ = nullptr;
  locked_ = nullptr;
  size_ = 0;
  flags_ = 0;
  state_ = State::Absent;
}

uint8_t* MemoryBlock::Lock() {
  if (state_ != State::Present) return nullptr;
  locked_ = static_cast<uint8_t*>(store_);
  return locked_;
}

void MemoryBlock::Unlock() {
  locked_ = nullptr;
}

void MemoryBlock::SetDiscardable(bool discardable) {
  if (discardable)
    flags_ |= BlockDiscardable;
  else
    flags_ &= ~BlockDiscardable;
}

}  // namespace platform
