// The three ways a stored row fails to decode, each with the message callers and tests match.
#pragma once

#include "image/VX8Exception.h"

namespace vx8 {

[[noreturn]] inline void SourceOverflow() {
  throw VX8Exception("Decode: source buffer overflow");
}
[[noreturn]] inline void InvalidLineCode() {
  throw VX8Exception("Decode: invalid line code");
}
[[noreturn]] inline void OutputOverflow() {
  throw VX8Exception("Decode: output line overflow");
}

}  // namespace vx8
