// FileStream in the browser build: a stream over a file the page handed over (PageFiles.h). The
// descriptor is the file's place in the table, which only ever grows, so it stays valid.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/FileStream.h"
#include "platform/web/PageFiles.h"

namespace platform {
namespace {

struct PageFile {
  std::string Path;
  std::vector<uint8_t> Bytes;
};

std::vector<std::unique_ptr<PageFile>>& Files() {
  static std::vector<std::unique_ptr<PageFile>> files;
  return files;
}

const PageFile* FileOf(int fd) {
  return fd >= 0 && size_t(fd) < Files().size() ? Files()[size_t(fd)].get() : nullptr;
}

}  // namespace

uint8_t* AddPageFile(const std::string& path, size_t size) {
  for (auto& file : Files()) {
    if (file->Path == path) {
      file->Bytes.assign(size, 0);
      return file->Bytes.data();
    }
  }
  Files().push_back(std::make_unique<PageFile>(PageFile{path, std::vector<uint8_t>(size)}));
  return Files().back()->Bytes.data();
}

FileStream::FileStream(const std::string& path) {
  for (size_t i = 0; i < Files().size(); ++i) {
    if (Files()[i]->Path == path) handle_ = intptr_t(i);
  }
  if (handle_ < 0) throw StreamError("Cannot open file " + path);
}

FileStream::~FileStream() = default;

void FileStream::Seek(int64_t position) {
  if (position < 0) throw StreamError("Stream seek error");
  position_ = position;
}

int64_t FileStream::Size() const {
  const PageFile* file = FileOf(int(handle_));
  return file ? int64_t(file->Bytes.size()) : 0;
}

size_t FileStream::ReadSome(void* buffer, size_t count) {
  const PageFile* file = FileOf(int(handle_));
  if (!file || position_ >= int64_t(file->Bytes.size())) return 0;
  const size_t n = std::min(count, file->Bytes.size() - size_t(position_));
  std::copy_n(file->Bytes.data() + position_, n, static_cast<uint8_t*>(buffer));
  position_ += int64_t(n);
  return n;
}

}  // namespace platform
