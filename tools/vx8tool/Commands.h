// The commands of vx8tool. Each lives in a file of its own; main.cpp lists them in its table.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vx8tool {

using Args = std::vector<std::string>;  // the command's own arguments

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
