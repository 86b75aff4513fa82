// A file path in the temporary folder that is removed when the test is done with it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace vx8test {

class TempFile {
 public:
  explicit TempFile(const std::string& name) {
    static std::atomic<int> counter{0};
    path_ =
        (std::filesystem::temp_directory_path() /
         ("zeltoria-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" + name))
            .string();
  }
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

}  // namespace vx8test
