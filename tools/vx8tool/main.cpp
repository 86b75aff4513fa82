// vx8tool: lists, verifies, extracts, unpacks and packs the pictures of an image library file.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "tools/vx8tool/Commands.h"
#include "tools/vx8tool/ToolSupport.h"

namespace {

struct Command {
  const char* Name;
  const char* Arguments;
  const char* Summary;
  size_t ArgumentCount;  // without the options
  int (*Run)(const vx8tool::Args&);
  std::vector<std::string> Options = {};
};

// Further commands are added here, each with a file of its own.
const Command Commands[] = {
    {"list", "FILE", "one line per record, in file order", 1, vx8tool::ListCommand},
    {"verify", "FILE", "load every catalogued picture as the game does", 1, vx8tool::VerifyCommand},
    {"extract", "FILE NAME OUT", "write picture NAME as OUT.png (palette) or OUT.raw (indices)", 3,
     vx8tool::ExtractCommand},
    {"unpack",
     "[--force] FILE DIR",
     "every picture as DIR/NAME.png, DIR/palette.png, DIR/manifest.txt",
     2,
     vx8tool::UnpackCommand,
     {"--force"}},
    {"pack",
     "[--exact] MANIFEST OUT",
     "build library OUT from a manifest like unpack's",
     2,
     vx8tool::PackCommand,
     {"--exact"}},
    {"sheet", "FILE OUT.png", "every picture at twice its size with its name, as one PNG", 2,
     vx8tool::SheetCommand},
};

// A lone "-" is a word; "--" ends the options.
vx8tool::Args SplitArguments(char** begin, char** end) {
  vx8tool::Args args;
  bool optionsEnded = false;
  for (char** p = begin; p != end; ++p) {
    const std::string word = *p;
    if (!optionsEnded && word == "--")
      optionsEnded = true;
    else if (!optionsEnded && word.size() > 1 && word[0] == '-')
      args.Options.push_back(word);
    else
      args.Words.push_back(word);
  }
  return args;
}

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: vx8tool COMMAND ARGUMENTS\n\ncommands:\n");
  for (const Command& c : Commands)
    std::fprintf(out, "  %-8s %-23s %s\n", c.Name, c.Arguments, c.Summary);
  std::fprintf(out,
               "\npack maps each picture onto the palette, opaque colours to the nearest one;\n"
               "with --exact a colour the palette lacks is refused. See vx8tool(1).\n");
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

int UsageFailure(const std::string& text) {
  vx8tool::PrintError(text);
  PrintUsage(stderr);
  return vx8tool::ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return UsageFailure("no command given");
  const std::string name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") {
    PrintUsage(stdout);
    return vx8tool::ExitOk;
  }
  for (const Command& c : Commands) {
    if (name != c.Name) continue;
    const vx8tool::Args args = SplitArguments(argv + 2, argv + argc);
    for (const std::string& option : args.Options)
      if (std::find(c.Options.begin(), c.Options.end(), option) == c.Options.end())
        return UsageFailure("unknown option " + option + " for " + c.Name);
    if (args.size() != c.ArgumentCount)
      return UsageFailure(std::string("usage: vx8tool ") + c.Name + " " + c.Arguments);
    try {
      return c.Run(args);
    } catch (const vx8tool::UsageError& e) {
      return UsageFailure(e.what());
    } catch (const std::bad_alloc&) {
      // Every size read from a file is capped before it is allocated; this is the machine.
      vx8tool::PrintError("out of memory: " + name + " " + Joined(args.Words) +
                          " needs more memory than this machine gave");
      return vx8tool::ExitFailure;
    } catch (const std::exception& e) {
      vx8tool::PrintError(vx8tool::WithoutOperation(e.what()));
      return vx8tool::ExitFailure;
    }
  }
  return UsageFailure("unknown command " + name);
}
