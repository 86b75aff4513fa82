// One sub-command of zeltoria-lab: its name, its arguments as the usage line shows them, and
// the function that runs it.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

// Exit status of a command line that does not fit; the tool then prints the usage line.
constexpr int UsageExit = 2;

struct TLabCommand {
  const char* Name;
  const char* Arguments;
  // The arguments after the command's name; returns the exit status.
  int (*Run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// The commands, one file each.
extern const TLabCommand DealCommand;
extern const TLabCommand StartCommand;
extern const TLabCommand ShotCommand;
extern const TLabCommand TreeCommand;

// The folder of the running program, ending with '/': the data file lies there.
std::string ProgramFolder();

// Every command, in the order the usage lists them.
std::span<const TLabCommand* const> LabCommands();

// The whole tool: args are those after the program's name.
int RunLab(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
