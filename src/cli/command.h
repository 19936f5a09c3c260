#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/arguments.h"

namespace zentavour::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitChecksumsDiffer = 3;

// One command of the tool: its words ("gm list"), its help, its options and what it does.
struct Command {
  std::string words;
  std::string summary;
  std::string usage;  // the full --help text
  KnownOptions options;
  std::function<int(const Arguments&, const Command& self)> run;
};

// Prints a usage error for the command and returns kExitUsage.
int UsageError(const Command& command, const std::string& error);

std::vector<Command> OsSetCommands();
std::vector<Command> BitmapCommands();
std::vector<Command> PcgCommands();
std::vector<Command> CompareCommands();

}  // namespace zentavour::cli
