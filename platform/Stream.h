// A positioned byte stream: the data file, or pictures held in memory. Every reader sets the
// position before it reads, since one stream is shared by several readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace platform {

// Failures of streams: a file that will not open, a read past the end.
class StreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Stream {
 public:
  virtual ~Stream() = default;

  virtual int64_t Position() const = 0;
  // Any position from 0 on; reads past the end then give nothing.
  virtual void Seek(int64_t position) = 0;
  virtual int64_t Size() const = 0;
  // Reads up to `count` bytes and returns how many arrived (0 at the end).
  virtual size_t ReadSome(void* buffer, size_t count) = 0;

  // Reads exactly `count` bytes or raises "Stream read error".
  void Read(void* buffer, size_t count);
  // Bytes from the position to the end; 0 when the position lies beyond it.
  int64_t Remaining() const;
};

}  // namespace platform
