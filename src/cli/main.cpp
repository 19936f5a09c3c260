// zentavour-cli: the program's file operations without windows, for scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/keep_originals_option.h"
#include "core/common/file_handle.h"
#include "core/samples/sample_os_files.h"
#include "zentavour_version.h"

namespace zentavour::cli {

int UsageError(const Command& command, const std::string& error) {
  std::fprintf(stderr, "zentavour-cli %s: %s\n\n%s", command.words.c_str(), error.c_str(),
               command.usage.c_str());
  return kExitUsage;
}

namespace {

int Samples(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one folder");
  const Status status = WriteAllSamples(args.operands[0]);
  if (!status) {
    std::fprintf(stderr, "%s: %s\n", status.failure().caption.c_str(), status.failure().text.c_str());
    return kExitFailed;
  }
  std::printf("Sample files written to %s\n", args.operands[0].c_str());
  return kExitOk;
}

std::vector<Command> AllCommands() {
  std::vector<Command> commands = OsSetCommands();
  for (auto more : {BitmapCommands(), PcgCommands(), CompareCommands()}) {
    commands.insert(commands.end(), more.begin(), more.end());
  }
  commands.push_back({"samples", "write the sample OS file sets and PCG files into DIR",
                      "Usage: zentavour-cli samples DIR\n\n"
                      "Writes the program's own sample OS file sets (one folder per model and\n"
                      "SYSINFO layout) and sample PCG files (DIR/pcg) into DIR, creating it.\n",
                      {}, Samples});
  AddNoBackupOption(commands);
  return commands;
}

void PrintToolUsage(std::FILE* out, const std::vector<Command>& commands) {
  std::fputs("Usage: zentavour-cli COMMAND [OPTIONS] [FILES]\n\nCommands:\n", out);
  for (const Command& c : commands) std::fprintf(out, "  %-16s %s\n", c.words.c_str(), c.summary.c_str());
  std::fputs("\nOptions may come in any order; file operands come last.\n"
             "Run 'zentavour-cli COMMAND --help' for a command's options, and\n"
             "'zentavour-cli --version' for the program's version.\n"
             "Commands that write a set first keep a copy of its files as they were opened in\n"
             "the program's data folder and print its path (--no-backup keeps none).\n"
             "Exit status: 0 success, 1 refused or failed, 2 usage error, 3 checksums or sets differ.\n",
             out);
}

}  // namespace

int Main(const std::vector<std::string>& argv) {
  const std::vector<Command> commands = AllCommands();
  if (argv.empty() || argv[0] == "--help" || argv[0] == "-h") {
    PrintToolUsage(argv.empty() ? stderr : stdout, commands);
    return argv.empty() ? kExitUsage : kExitOk;
  }
  if (argv[0] == "--version") {
    std::printf("zentavour-cli (Zentavour) %s\n", kVersion);
    return kExitOk;
  }
  // The longest run of words that names a command: "gm list" before "gm".
  const Command* found = nullptr;
  std::size_t used = 0;
  for (const Command& c : commands) {
    std::string words;
    for (std::size_t n = 0; n < argv.size(); ++n) {
      if (n > 0) words += ' ';
      words += argv[n];
      if (words == c.words && n + 1 > used) {
        found = &c;
        used = n + 1;
      }
    }
  }
  if (!found) {
    std::fprintf(stderr, "zentavour-cli: unknown command '%s'\n\n", argv[0].c_str());
    PrintToolUsage(stderr, commands);
    return kExitUsage;
  }
  const std::vector<std::string> rest(argv.begin() + static_cast<std::ptrdiff_t>(used), argv.end());
  for (const std::string& arg : rest) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(found->usage.c_str(), stdout);
      return kExitOk;
    }
  }
  std::string error;
  const auto args = ParseArguments(rest, found->options, error);
  if (!args) return UsageError(*found, error);
  return found->run(*args, *found);
}

}  // namespace zentavour::cli

int main(int argc, char** argv) {
  return zentavour::cli::Main(zentavour::CommandLineArguments(argc, argv));
}
