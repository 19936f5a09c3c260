#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "core/osfiles/kept_originals.h"
#include "core/osfiles/os_file_set.h"

namespace zentavour::cli {

// Gives the commands that write a set the --no-backup flag and its line in their help.
void AddNoBackupOption(std::vector<Command>& commands);

// The program's data folder, the same one the windows use.
std::string ProgramDataFolder();

// What a writing command keeps before it saves: the set's files as opened, unless --no-backup.
class KeptOriginalsStep {
 public:
  // Takes the files of a set just opened when the command writes it; prints a failure and
  // leaves ok() false when SYSINFO cannot be read.
  KeptOriginalsStep(const Arguments& args, const Command& command, const OsFileSet& set);
  bool ok() const { return ok_; }
  // Keeps the copy and prints where; false (the failure printed) when it could not be kept.
  [[nodiscard]] bool Run() const;

 private:
  WorkstationModel model_;
  bool wanted_;
  bool ok_ = true;
  std::vector<OriginalFile> originals_;
};

}  // namespace zentavour::cli
