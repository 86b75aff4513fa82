#include "image/VX8Writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>

#include "platform/win32/Win32Text.h"
#include "platform/win32/WindowsApi.h"
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <set>

#include "image/SegmentGeometry.h"
#include "image/VX8Exception.h"
#include "image/VX8Image.h"
#include "image/VX8ImageSegment.h"
#include "platform/MemoryStream.h"

namespace vx8 {

namespace {

constexpr uint16_t kFileFormat = 2;

void Put16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

void Set32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(value >> (8 * i));
}

// The name as it goes into a message: quoted, bytes outside printable ASCII as \xNN.
std::string Quoted(const std::string& name) {
  static const char hex[] = "0123456789abcdef";
  std::string text = "\"";
  for (unsigned char c : name) {
    if (c >= 0x20 && c < 0x7F) {
      text += char(c);
    } else {
      text += "\\x";
      text += hex[c >> 4];
      text += hex[c & 15];
    }
  }
  return text + "\"";
}

[[noreturn]] void Refuse(const std::string& why) {
  throw VX8Exception("BuildLibrary: " + why);
}

std::string LowerCase(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return name;
}

// A name must survive the library's lookup (no zero byte, at most 8 bytes) and the tools'
// manifests and file names (no blanks, no controls, no folder separators, ASCII only).
void CheckName(const std::string& name, const std::string& position) {
  if (name.empty()) Refuse(position + " has no name");
  if (name.size() > 8) Refuse("image name " + Quoted(name) + " is longer than 8 characters");
  for (unsigned char c : name)
    if (c <= 0x20 || c >= 0x7F || c == '/' || c == '\\')
      Refuse("image name " + Quoted(name) +
             " may only hold printable ASCII characters other than blank, / and \\");
  // A manifest reads a word that begins with # as a comment.
  if (name[0] == '#') Refuse("image name " + Quoted(name) + " may not begin with #");
}

void CheckSize(const Picture& picture) {
  const std::string what = "image " + Quoted(picture.Name);
  if (picture.Width == 0 || picture.Height == 0) Refuse(what + " has a width or height of 0");
  const uint32_t segments = SegmentCount(picture.Width, picture.Height);
  if (segments == 0 || segments > 255)
    Refuse(what + " (" + std::to_string(picture.Width) + " x " + std::to_string(picture.Height) +
           ") does not fit in 255 segments");
  const size_t expected = size_t(picture.Width) * picture.Height;
  if (picture.Pixels.size() != expected)
    Refuse(what + " has " + std::to_string(picture.Pixels.size()) + " pixels, " +
           std::to_string(picture.Width) + " x " + std::to_string(picture.Height) + " = " +
           std::to_string(expected) + " expected");
}

// The picture as raw rows: bottom row first, each padded with zeros to LineBytes.
std::vector<uint8_t> RawRows(const Picture& picture) {
  const size_t line = LineBytes(picture.Width);
  std::vector<uint8_t> raw(line * picture.Height, 0);
  for (size_t y = 0; y < picture.Height; ++y)
    std::memcpy(raw.data() + (picture.Height - 1 - y) * line,
                picture.Pixels.data() + y * picture.Width, picture.Width);
  return raw;
}

// The record as the engine codes it: Init from a stream of the raw rows, then each segment's
// header and stored bytes behind the record header and segment table.
void AppendRecord(std::vector<uint8_t>& out, const Picture& picture) {
  platform::MemoryStream raw(RawRows(picture));
  TVX8Image image;
  image.Init(picture.Name, raw, picture.Width, picture.Height);
  TVX8ImageHeader header = image.Header();
  header.TransparentColor = picture.TransparentIndex.value_or(0);
  header.Transparent = picture.TransparentIndex ? 1 : 0;
  const size_t start = out.size();
  out.resize(start + TVX8ImageHeader::Bytes + 4 * size_t(header.SegmentCount));
  header.ToBytes(out.data() + start);
  for (uint8_t i = 0; i < header.SegmentCount; ++i) {
    TVX8ImageSegment& segment = *image.Segment(i);
    out.push_back(segment.RunEscape);
    out.push_back(segment.TripleEscape);
    out.push_back(segment.Flags & uint8_t(~TVX8ImageSegment::Busy));
    const uint8_t* stored = segment.Lock();
    out.insert(out.end(), stored, stored + segment.Size());
    segment.Unlock();
    Set32(out, start + TVX8ImageHeader::Bytes + 4 * size_t(i), uint32_t(out.size() - start));
  }
}

[[noreturn]] void WriteFailed(const std::string& path, const std::string& what, int error) {
  throw VX8Exception("WriteLibrary: cannot " + what + " \"" + path + "\": " + std::strerror(error));
}

// The system's side of writing a file: Windows' and POSIX's names for the same steps.
#ifdef _WIN32
int OpenNew(const std::string& path) {
  return _wopen(platform::win32::Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                _S_IREAD | _S_IWRITE);
}
void KeepPermissions(int, const std::string&) {}
int Commit(int fd) {
  return _commit(fd);
}
int Close(int fd) {
  return _close(fd);
}
int Replace(const std::string& from, const std::string& to) {
  if (MoveFileExW(platform::win32::Wide(from).c_str(), platform::win32::Wide(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  errno = EACCES;
  return -1;
}
void Remove(const std::string& path) {
  _wunlink(platform::win32::Wide(path).c_str());
}
void SyncFolder(const std::string&) {}  // MOVEFILE_WRITE_THROUGH saw to it
#else
int OpenNew(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
// A replaced library keeps its permissions.
void KeepPermissions(int fd, const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
}
int Commit(int fd) {
  return ::fsync(fd);
}
int Close(int fd) {
  return ::close(fd);
}
int Replace(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}
void Remove(const std::string& path) {
  ::unlink(path.c_str());
}
// The folder's entry for the renamed file reaches the disk too.
void SyncFolder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
#endif

// A new file beside `path`, made so that no other file of that name is taken over.
int CreateTemporary(const std::string& path, std::string& temporary) {
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + ".tmp" + std::to_string(entropy() % 1000000);
    const int fd = OpenNew(temporary);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

void CheckPicture(const Picture& picture) {
  CheckName(picture.Name, "a picture");
  CheckSize(picture);
}

std::vector<uint8_t> BuildLibrary(const Palette& palette, const std::vector<Picture>& pictures) {
  std::set<std::string> names;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const Picture& picture = pictures[i];
    CheckName(picture.Name, "picture " + std::to_string(i + 1));
    if (!names.insert(LowerCase(picture.Name)).second)
      Refuse("image name " + Quoted(picture.Name) + " is used twice");
    CheckSize(picture);
  }

  std::vector<uint8_t> out = {0x56, 0x58, 8, 0};
  Put16(out, kFileFormat);
  for (const PaletteColor& c : palette) out.insert(out.end(), {c.Blue, c.Green, c.Red, 0});
  for (const Picture& picture : pictures) {
    AppendRecord(out, picture);
    // The reader keeps file offsets and the file size in signed 32 bits.
    if (out.size() > size_t(INT32_MAX)) Refuse("the library would be larger than 2 GiB");
  }
  return out;
}

void WriteLibrary(const std::string& path, const Palette& palette,
                  const std::vector<Picture>& pictures) {
  const std::vector<uint8_t> bytes = BuildLibrary(palette, pictures);
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) WriteFailed(path, "create a temporary file beside", errno);
  KeepPermissions(fd, path);
  int error = 0;
  if (!WriteAll(fd, bytes) || Commit(fd) != 0) error = errno;
  if (Close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && Replace(temporary, path) != 0) error = errno;
  if (error != 0) {
    Remove(temporary);
    WriteFailed(path, "write", error);
  }
  SyncFolder(path);
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
#ifdef _WIN32
    const int n =
        _write(fd, bytes.data() + done, unsigned(std::min<size_t>(bytes.size() - done, 1u << 30)));
#else
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
#endif
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

}  // namespace vx8
