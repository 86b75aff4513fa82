// A block of memory that can be absent, unloaded (its size known, its content elsewhere) or
// present, resized and locked to a stable address: the store behind every segment buffer. On
// Windows it is a global memory block of the system's (GlobalAlloc and its family).
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace platform {

// Allocation flags, recorded with the block.
constexpr uint16_t BlockMoveable = 0x0002;     // GMEM_MOVEABLE
constexpr uint16_t BlockDiscardable = 0x0100;  // GMEM_DISCARDABLE

class MemoryBlock {
 public:
  enum class State { Absent, Unloaded, Present };

  // Blocks larger than this are refused, as an allocation failure.
  static constexpr size_t MaxBytes = size_t(64) << 20;

  MemoryBlock() = default;
  MemoryBlock(MemoryBlock&& other) noexcept { Swap(other); }
  MemoryBlock& operator=(MemoryBlock&& other) noexcept {
    if (this != &other) {
      Free();
      Swap(other);
    }
    return *this;
  }
  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;
  ~MemoryBlock() { Free(); }

  // A present block of `bytes` zero bytes, replacing whatever was held. False when the memory
  // cannot be had; the block is then absent.
  bool Allocate(size_t bytes, uint16_t flags);
  // Changes the size of a present block, keeping the content that still fits; new bytes are
  // zero. The block may move, so a lock is given up. False (and the block unchanged) when it is
  // not present or the memory cannot be had.
  bool Reallocate(size_t bytes);
  // An unloaded block standing for `bytes` bytes held elsewhere; locking it gives no pointer.
  void SetUnloaded(size_t bytes);
  void Free();

  // The block's address, stable until Unlock; null unless the block is present.
  uint8_t* Lock();
  void Unlock();

  State GetState() const { return state_; }
  bool IsAbsent() const { return state_ == State::Absent; }
  bool IsUnloaded() const { return state_ == State::Unloaded; }
  bool IsPresent() const { return state_ == State::Present; }
  bool IsLocked() const { return locked_ != nullptr; }
  size_t Size() const { return size_; }
  uint16_t Flags() const { return flags_; }
  bool IsDiscardable() const { return (flags_ & BlockDiscardable) != 0; }
  void SetDiscardable(bool discardable);
  // On Windows the handle of the system's block, for the system's own questions about it.
  const void* SystemHandle() const { return store_; }

 private:
  void Swap(MemoryBlock& other) noexcept {
    std::swap(store_, other.store_);
    std::swap(locked_, other.locked_);
    std::swap(size_, other.size_);
    std::swap(flags_, other.flags_);
    std::swap(state_, other.state_);
  }

  // The bytes (from new[]), or on Windows the handle of a global memory block.
  void* store_ = nullptr;
  uint8_t* locked_ = nullptr;
  size_t size_ = 0;
  uint16_t flags_ = 0;
  State state_ = State::Absent;
};

}  // namespace platform
