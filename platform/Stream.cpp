#include "platform/Stream.h"

namespace platform {

void Stream::Read(void* buffer, size_t count) {
  if (ReadSome(buffer, count) != count) throw StreamError("Stream read error");
}

int64_t Stream::Remaining() const {
  const int64_t left = Size() - Position();
  return left > 0 ? left : 0;
}

}  // namespace platform
