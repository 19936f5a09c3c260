#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/osfiles/os_set_document.h"

namespace zentavour::cli {

// Gives the commands that write a set the --no-backup flag and its line in their help.
void AddNoBackupOption(std::vector<Command>& commands);

// The program's data folder, the same one the windows use.
std::string ProgramDataFolder();

// What a writing command keeps before it saves: the set's files as opened, unless --no-backup.
class KeptOriginalsStep {
 public:
  KeptOriginalsStep(const Arguments& args, const Command& command);
  // The save's step before it writes (empty when the command keeps no copy).
  std::function<Status(const OsSetDocument&)> beforeWrite();
  // After a save: prints where the copy went.
  void PrintKept() const;

 private:
  bool wanted_;
  std::string kept_;
};

}  // namespace zentavour::cli
