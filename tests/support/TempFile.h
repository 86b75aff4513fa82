// A file path, or a folder, in the temporary folder that is removed when the test is done with
// it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace vx8test {

// A name in the temporary folder no other test of any process takes.
inline std::string TempPath(const std::string& name) {
  static std::atomic<int> counter{0};
  return (std::filesystem::temp_directory_path() /
          ("zeltoria-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + name))
      .string();
}

class TempFile {
 public:
  explicit TempFile(const std::string& name) : path_(TempPath(name)) {}
  ~TempFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// An empty folder, removed with all it holds.
class TempFolder {
 public:
  TempFolder() : path_(TempPath("folder")) { std::filesystem::create_directories(path_); }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vx8test
