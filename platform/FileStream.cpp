#include "platform/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

FileStream::FileStream(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(fd);
  } else {
    handle_ = fd;
  }
  if (handle_ < 0) throw StreamError("Cannot open file " + path);
}

FileStream::~FileStream() {
  if (handle_ >= 0) ::close(int(handle_));
}

void FileStream::Seek(int64_t position) {
  if (position < 0) throw StreamError("Stream seek error");
  position_ = position;
}

int64_t FileStream::Size() const {
  struct stat info {};
  if (::fstat(int(handle_), &info) != 0) return 0;
  return info.st_size;
}

size_t FileStream::ReadSome(void* buffer, size_t count) {
  size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::pread(int(handle_), out + done, count - done, position_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
    position_ += n;
  }
  return done;
}

}  // namespace platform
