#include "platform/MemoryBlock.h"

#include <cstring>
#include <new>
#include <utility>

namespace platform {

namespace {

// At least one byte, so that a present block of size 0 still has an address.
std::unique_ptr<uint8_t[]> NewZeroed(size_t bytes) {
  if (bytes > MemoryBlock::MaxBytes) return nullptr;
  return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes ? bytes : 1]());
}

}  // namespace

MemoryBlock::MemoryBlock(MemoryBlock&& other) noexcept
    : data_(std::move(other.data_)),
      size_(std::exchange(other.size_, 0)),
      flags_(std::exchange(other.flags_, 0)),
      state_(std::exchange(other.state_, State::Absent)),
      locked_(std::exchange(other.locked_, false)) {}

MemoryBlock& MemoryBlock::operator=(MemoryBlock&& other) noexcept {
  if (this != &other) {
    data_ = std::move(other.data_);
    size_ = std::exchange(other.size_, 0);
    flags_ = std::exchange(other.flags_, 0);
    state_ = std::exchange(other.state_, State::Absent);
    locked_ = std::exchange(other.locked_, false);
  }
  return *this;
}

bool MemoryBlock::Allocate(size_t bytes, uint16_t flags) {
  Free();
  data_ = NewZeroed(bytes);
  if (!data_) return false;
  size_ = bytes;
  flags_ = flags;
  state_ = State::Present;
  return true;
}

bool MemoryBlock::Reallocate(size_t bytes) {
  if (state_ != State::Present) return false;
  if (bytes == size_) return true;
  std::unique_ptr<uint8_t[]> moved = NewZeroed(bytes);
  if (!moved) return false;
  std::memcpy(moved.get(), data_.get(), bytes < size_ ? bytes : size_);
  data_ = std::move(moved);
  size_ = bytes;
  locked_ = false;
  return true;
}

void MemoryBlock::SetUnloaded(size_t bytes) {
  Free();
  size_ = bytes;
  flags_ = GMEM_MOVEABLE | GMEM_DISCARDABLE;
  state_ = State::Unloaded;
}

void MemoryBlock::Free() {
  data_.reset();
  size_ = 0;
  flags_ = 0;
  state_ = State::Absent;
  locked_ = false;
}

uint8_t* MemoryBlock::Lock() {
  if (state_ != State::Present) return nullptr;
  locked_ = true;
  return data_.get();
}

void MemoryBlock::SetDiscardable(bool discardable) {
  if (discardable)
    flags_ |= GMEM_DISCARDABLE;
  else
    flags_ &= ~GMEM_DISCARDABLE;
}

}  // namespace platform
