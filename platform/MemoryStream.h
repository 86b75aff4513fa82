// A read-only stream over bytes held in memory: pictures to be coded, or a library file that
// never touched the disk.
#pragma once

#include <utility>
#include <vector>

#include "platform/Stream.h"

namespace platform {

class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override;
  int64_t Size() const override { return int64_t(bytes_.size()); }
  size_t ReadSome(void* buffer, size_t count) override;

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

}  // namespace platform
