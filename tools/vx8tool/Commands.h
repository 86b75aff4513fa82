// The commands of vx8tool. Each lives in a file of its own; main.cpp lists them in its table.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace vx8tool {

// The command's own arguments: its words in order (args[0] is the first) and its options (words
// that begin with "-", before any word "--"), which main has checked against the command's list.
struct Args {
  std::vector<std::string> Words;
  std::vector<std::string> Options;

  const std::string& operator[](size_t i) const { return Words[i]; }
  size_t size() const { return Words.size(); }
  bool HasOption(const std::string& name) const {
    return std::find(Options.begin(), Options.end(), name) != Options.end();
  }
};

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Raised by a command whose arguments are wrong; main prints it with the usage and exits 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

int ListCommand(const Args& args);
int VerifyCommand(const Args& args);
int ExtractCommand(const Args& args);
int UnpackCommand(const Args& args);
int PackCommand(const Args& args);
int SheetCommand(const Args& args);

}  // namespace vx8tool
