// An allocator for one test binary that can be told to fail one allocation: the n-th from now
// throws std::bad_alloc (or returns null where the caller asked for nothrow), all others succeed.
#pragma once

#include <cstddef>

namespace faults {

// The allocation to fail, counted from 0 from now; the others go through as before.
void FailAllocation(long n);
// No allocation fails any more. Returns whether the one armed failed.
bool StopFailing();
// Allocations counted since the last call.
long CountedAllocations();

}  // namespace faults
