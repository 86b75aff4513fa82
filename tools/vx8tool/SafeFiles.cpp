#include "tools/vx8tool/SafeFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "image/VX8Writer.h"
#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/ToolSupport.h"

namespace vx8tool {

namespace {

[[noreturn]] void Failed(const std::string& what, const std::string& path, int error) {
  throw std::runtime_error("cannot " + what + " " + path + ": " + std::strerror(error));
}

bool IsEmptyFolder(int fd) {
  const int copy = ::dup(fd);
  if (copy < 0) return false;
  DIR* dir = ::fdopendir(copy);
  if (!dir) {
    ::close(copy);
    return false;
  }
  bool empty = true;
  while (const dirent* entry = ::readdir(dir))
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      empty = false;
      break;
    }
  ::closedir(dir);
  return empty;
}

// `path` split into its folder ("." when none) and its last name.
std::pair<std::string, std::string> Split(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

void CheckOutputName(const std::string& out, const std::string& ending) {
  if (!EndsWithIgnoringCase(out, ending)) throw UsageError(out + ": OUT must end in " + ending);
}

Inputs::Inputs(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) Add(path);
}

void Inputs::Add(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) Files_.push_back({info.st_dev, info.st_ino, path});
}

void Inputs::CheckNotAnInput(const std::string& out) const {
  struct stat info {};
  if (::stat(out.c_str(), &info) != 0) return;
  for (const Identity& input : Files_)
    if (input.Device == info.st_dev && input.Inode == info.st_ino)
      throw std::runtime_error(out + " is the same file as " + input.Path +
                               "; give another output");
}

OutputFolder::OutputFolder(const std::string& folder, bool create, bool replace) : Folder_(folder) {
  std::error_code error;
  if (create) std::filesystem::create_directories(folder, error);
  if (error) Failed("make folder", folder, error.value());
  Fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (Fd_ < 0) Failed("open folder", folder, errno);
  if (!replace && !IsEmptyFolder(Fd_)) {
    ::close(Fd_);
    throw std::runtime_error(folder +
                             " is not empty; give a new or empty folder, or --force to replace "
                             "the files it holds of the same names");
  }
}

OutputFolder::~OutputFolder() {
  if (Fd_ >= 0) ::close(Fd_);
}

void OutputFolder::SyncAll() const {
  ::syncfs(Fd_);
}

void OutputFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes,
                         const Inputs* inputs, bool sync) const {
  const std::string shown = Folder_ == "." ? name : Folder_ + "/" + name;
  struct stat old {};
  const bool exists = ::fstatat(Fd_, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (exists && inputs) inputs->CheckNotAnInput(shown);
  std::random_device entropy;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = name + ".tmp" + std::to_string(entropy() % 1000000);
    fd = ::openat(Fd_, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) Failed("write", shown, errno);
  // A replaced regular file keeps its permissions.
  if (exists && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 0777);
  int error = 0;
  if (!vx8::WriteAll(fd, bytes) || (sync && ::fsync(fd) != 0)) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::renameat(Fd_, temporary.c_str(), Fd_, name.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlinkat(Fd_, temporary.c_str(), 0);
    Failed("write", shown, error);
  }
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
  const auto [folder, name] = Split(path);
  if (name.empty() || name == "." || name == "..") Failed("write", path, EISDIR);
  // A missing folder is reported against the file, as any other failure to write it.
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Failed("write", path, errno);
  ::close(fd);
  OutputFolder(folder, false, true).Write(name, bytes);
}

std::vector<uint8_t> ReadRegularFile(const std::string& path, int64_t maxBytes) {
  // Without blocking, so that opening a FIFO does not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) Failed("read", path, errno);
  struct Closer {
    int Fd;
    ~Closer() { ::close(Fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) Failed("read", path, errno);
  if (!S_ISREG(info.st_mode))
    throw std::runtime_error("cannot read " + path + ": not a regular file");
  if (info.st_size > maxBytes)
    throw std::runtime_error("cannot read " + path + ": " + std::to_string(info.st_size) +
                             " bytes is too large (at most " + std::to_string(maxBytes) + ")");
  std::vector<uint8_t> bytes(size_t(info.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Failed("read", path, errno);
    if (n == 0) break;  // the file shrank while read
    done += size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace vx8tool
