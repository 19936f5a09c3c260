#include "cli/keep_originals_option.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

#include "cli/os_set_options.h"

namespace zentavour::cli {
namespace {

// The commands that write the set back.
bool WritesSet(const std::string& words) {
  for (const char* writer :
       {"save", "font import", "font render", "graphic import", "gm transfer"}) {
    if (words == writer) return true;
  }
  return false;
}

}  // namespace

void AddNoBackupOption(std::vector<Command>& commands) {
  for (Command& command : commands) {
    if (!WritesSet(command.words)) continue;
    command.options.flags.insert("no-backup");
    command.usage +=
        "\nBefore the first write, a copy of each file of the set as it was is kept in the\n"
        "program's data folder (its path is printed); compare it with 'zentavour-cli diff'.\n"
        "  --no-backup                keep no copy\n";
  }
}

std::string ProgramDataFolder() {
  // The windows' application name, so both programs share one folder.
  QCoreApplication::setApplicationName(QStringLiteral("Zentavour"));
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
}

KeptOriginalsStep::KeptOriginalsStep(const Arguments& args, const Command& command,
                                     const OsFileSet& set)
    : model_(set.model), wanted_(WritesSet(command.words) && !args.flags.count("no-backup")) {
  if (!wanted_ || !set.isOpen()) return;
  Result<std::vector<OriginalFile>> originals = OriginalsOf(set);
  if (!originals) {
    PrintFailure(originals.failure());
    ok_ = false;
    return;
  }
  originals_ = std::move(*originals);
}

bool KeptOriginalsStep::Run() const {
  if (!wanted_) return true;
  const std::string data = ProgramDataFolder();
  if (data.empty()) {
    PrintFailure(
        FileError("The program's data folder is not known, so the original OS files "
                  "could not be kept and nothing was saved. Use --no-backup to save "
                  "without a copy."));
    return false;
  }
  const Result<std::string> kept = KeepOriginals(data, model_, originals_);
  if (!kept) {
    PrintFailure(kept.failure());
    return false;
  }
  std::printf("%s\n", KeptOriginalsNote(*kept).c_str());
  return true;
}

}  // namespace zentavour::cli
