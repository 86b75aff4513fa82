// The data file on Windows: opened for reading while other programs may go on reading and
// writing it.
#include "platform/win32/WindowsApi.h"

#include "platform/FileStream.h"
#include "platform/win32/Win32Text.h"

namespace platform {

namespace {

HANDLE Handle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

FileStream::FileStream(const std::string& path) {
  HANDLE file =
      CreateFileW(win32::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
  }
  if (file == INVALID_HANDLE_VALUE) throw StreamError("Cannot open file " + path);
  handle_ = reinterpret_cast<intptr_t>(file);
}

FileStream::~FileStream() {
  if (handle_ != -1) CloseHandle(Handle(handle_));
}

void FileStream::Seek(int64_t position) {
  if (position < 0) throw StreamError("Stream seek error");
  position_ = position;
}

int64_t FileStream::Size() const {
  LARGE_INTEGER size{};
  return GetFileSizeEx(Handle(handle_), &size) ? size.QuadPart : 0;
}

size_t FileStream::ReadSome(void* buffer, size_t count) {
  size_t done = 0;
  auto* out = static_cast<char*>(buffer);
  while (done < count) {
    OVERLAPPED at{};
    at.Offset = DWORD(uint64_t(position_));
    at.OffsetHigh = DWORD(uint64_t(position_) >> 32);
    const DWORD want = count - done > 0x40000000 ? 0x40000000 : DWORD(count - done);
    DWORD got = 0;
    if (!ReadFile(Handle(handle_), out + done, want, &got, &at) || got == 0) break;
    done += got;
    position_ += got;
  }
  return done;
}

}  // namespace platform
