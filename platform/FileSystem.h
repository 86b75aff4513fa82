// The file queries of the start-up: a path's attributes, whether a file exists, and where the
// running executable lies, in the system's own paths.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct FileAttributes {
  bool Directory = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // None when the path cannot be queried (missing, empty, not reachable).
  virtual std::optional<FileAttributes> GetFileAttributes(const std::string& path) const = 0;
  // True for an existing file that is not a folder.
  virtual bool FileExists(const std::string& path) const = 0;
  // The full path of the running executable with every symbolic link resolved; empty when it
  // cannot be found.
  virtual std::string ExecutablePath() const = 0;
  // What separates a path's folders: '/', or '\' on Windows.
  virtual char Separator() const { return '/'; }
};

}  // namespace platform
