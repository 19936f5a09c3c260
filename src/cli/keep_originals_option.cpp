#include "cli/keep_originals_option.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

#include "cli/os_set_options.h"
#include "core/osfiles/kept_originals.h"

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

KeptOriginalsStep::KeptOriginalsStep(const Arguments& args, const Command& command)
    : wanted_(WritesSet(command.words) && !args.flags.count("no-backup")) {}

std::function<Status(const OsSetDocument&)> KeptOriginalsStep::beforeWrite() {
  if (!wanted_) return {};
  const std::string data = ProgramDataFolder();
  if (data.empty()) {
    return [](const OsSetDocument&) {
      return Status(
          FileError("The program's data folder is not known, so the original OS files "
                    "could not be kept and nothing was saved. Use --no-backup to save "
                    "without a copy."));
    };
  }
  return KeepOriginalsBeforeWrite(data, kept_);
}

void KeptOriginalsStep::PrintKept() const {
  if (!kept_.empty()) std::printf("%s\n", KeptOriginalsNote(kept_).c_str());
}

}  // namespace zentavour::cli
