#include "platform/FileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

FileStream::FileStream(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ < 0) throw StreamError("Cannot open file " + path);
}

FileStream::~FileStream() {
  if (fd_ >= 0) ::close(fd_);
}

void FileStream::Seek(int64_t position) {
  if (position < 0) throw StreamError("Stream seek error");
  position_ = position;
}

int64_t FileStream::Size() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return 0;
  return info.st_size;
}

size_t FileStream::ReadSome(void* buffer, size_t count) {
  size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::pread(fd_, out + done, count - done, position_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
    position_ += n;
  }
  return done;
}

}  // namespace platform
