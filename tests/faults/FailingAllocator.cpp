#include "tests/faults/FailingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

long Countdown = -1;  // allocations left before the one that fails; -1: none fails
bool Failed = false;
long Count = 0;

// Whether this allocation is the one to fail.
bool Fails() {
  ++Count;
  if (Countdown < 0) return false;
  if (Countdown-- > 0) return false;
  Failed = true;
  return true;
}

void* Allocate(std::size_t size) {
  if (Fails()) return nullptr;
  return std::malloc(size ? size : 1);
}

}  // namespace

namespace faults {

void FailAllocation(long n) {
  Countdown = n;
  Failed = false;
}

bool StopFailing() {
  Countdown = -1;
  return Failed;
}

long CountedAllocations() {
  const long n = Count;
  Count = 0;
  return n;
}

}  // namespace faults

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
