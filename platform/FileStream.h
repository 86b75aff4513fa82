// A read-only stream over a file, which other programs may go on reading and writing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Stream.h"

namespace platform {

class FileStream : public Stream {
 public:
  // Raises StreamError "Cannot open file PATH" when the file cannot be opened for reading or is
  // not a regular file.
  explicit FileStream(const std::string& path);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override;
  int64_t Size() const override;
  size_t ReadSome(void* buffer, size_t count) override;

 private:
  intptr_t handle_ = -1;  // the descriptor; on Windows the file's handle
  int64_t position_ = 0;
};

}  // namespace platform
