#include <filesystem>
#include <ostream>

#include "tools/zeltoria-lab/LabCommand.h"

namespace {

// A new command is one file defining its TLabCommand, declared in LabCommand.h, and one entry
// here.
const TLabCommand* const Commands[] = {&DealCommand, &StartCommand, &ShotCommand, &TreeCommand};

void PrintUsage(std::ostream& to, const TLabCommand* only) {
  const char* lead = "usage: ";
  for (const TLabCommand* command : LabCommands()) {
    if (only && command != only) continue;
    to << lead << "zeltoria-lab " << command->Name << ' ' << command->Arguments << '\n';
    lead = "       ";
  }
}

}  // namespace

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "./";
  return self.parent_path().string() + "/";
}

std::span<const TLabCommand* const> LabCommands() {
  return Commands;
}

int RunLab(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(out, nullptr);
    return 0;
  }
  for (const TLabCommand* command : LabCommands()) {
    if (args.empty() || args[0] != command->Name) continue;
    const int status = command->Run({args.begin() + 1, args.end()}, out, err);
    if (status == UsageExit) PrintUsage(err, command);
    return status;
  }
  PrintUsage(err, nullptr);
  return UsageExit;
}
