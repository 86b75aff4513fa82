// The start-up's file queries through QFileInfo; the executable's path with its links resolved.
#pragma once

#include "platform/FileSystem.h"

namespace platform {

class QtFileSystem : public FileSystem {
 public:
  std::optional<FileAttributes> GetFileAttributes(const std::string& path) const override;
  // A regular file, or a link to one.
  bool FileExists(const std::string& path) const override;
  std::string ExecutablePath() const override;
};

}  // namespace platform
