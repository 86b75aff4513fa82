#include "platform/MemoryStream.h"

#include <cstring>

namespace platform {

void MemoryStream::Seek(int64_t position) {
  if (position < 0) throw StreamError("Stream seek error");
  position_ = position;
}

size_t MemoryStream::ReadSome(void* buffer, size_t count) {
  if (position_ >= Size()) return 0;
  const size_t left = size_t(Size() - position_);
  const size_t n = count < left ? count : left;
  if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += int64_t(n);
  return n;
}

}  // namespace platform
