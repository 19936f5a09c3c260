#include "gui/app/command_line.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "core/osfiles/os_set_finder.h"
#include "core/pcg/pcg_index.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

OpenTarget Refused(const QString& text) {
  OpenTarget target;
  target.refusal = Failure{"Error", text.toStdString()};
  return target;
}

QString Quoted(const QString& path) {
  return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

// The set found among the files of folder, with full paths; nothing when none is there.
std::optional<OpenTarget> SetIn(const QDir& folder, const QString& oneFile) {
  std::vector<std::string> names;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
    names.push_back(name.toStdString());
  }
  const std::optional<FoundOsSet> found = FindOsSet(names, oneFile.toStdString());
  if (!found) return std::nullopt;
  const auto pathOf = [&](const std::string& name) {
    return name.empty() ? QString() : folder.absoluteFilePath(QString::fromStdString(name));
  };
  OpenTarget target;
  target.kind = OpenTarget::Kind::OsSet;
  target.model = found->model;
  target.sysinfo = pathOf(found->sysinfoName);
  target.ext = pathOf(found->extName);
  target.ext2 = pathOf(found->ext2Name);
  return target;
}

}  // namespace

OpenTarget ClassifyPath(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    return Refused(QStringLiteral("Cannot open %1: there is no file or folder of that name.")
                       .arg(Quoted(path)));
  }
  if (info.isDir()) {
    if (auto set = SetIn(QDir(info.absoluteFilePath()), {})) return *set;
    return Refused(QStringLiteral("Cannot open %1: the folder holds no OS file set (no SYSINFO "
                                  "or EXT file of a supported model).")
                       .arg(Quoted(path)));
  }
  if (auto set = SetIn(info.absoluteDir(), info.fileName())) return *set;

  QFile file(info.absoluteFilePath());
  if (!file.open(QIODevice::ReadOnly)) {
    return Refused(QStringLiteral("Cannot open %1: the file cannot be read (%2).")
                       .arg(Quoted(path), file.errorString()));
  }
  const QByteArray head = file.read(static_cast<qint64>(kPcgSignatureSize));
  const bool signature =
      HasPcgSignature(ByteView(reinterpret_cast<const std::uint8_t*>(head.constData()),
                               static_cast<std::size_t>(head.size())));
  const bool named = info.suffix().compare(QLatin1String("pcg"), Qt::CaseInsensitive) == 0;
  // A file named .pcg that is not one goes to the reader, which says what is wrong with it.
  if (signature || named) {
    OpenTarget target;
    target.kind = OpenTarget::Kind::Pcg;
    target.pcgPath = info.absoluteFilePath();
    return target;
  }
  return Refused(QStringLiteral("Cannot open %1: it is neither a PCG file nor a file of an OS "
                                "file set.")
                     .arg(Quoted(path)));
}

QList<OpenTarget> ClassifyPaths(const QStringList& paths) {
  QList<OpenTarget> targets;
  for (const QString& path : paths) {
    const OpenTarget target = ClassifyPath(path);
    if (!targets.contains(target)) targets.push_back(target);
  }
  return targets;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine line;
  bool options = true;
  for (const QString& argument : arguments) {
    if (options && argument == QLatin1String("--")) {
      options = false;
    } else if (options &&
               (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
      line.help = true;
    } else if (options &&
               (argument == QLatin1String("--version") || argument == QLatin1String("-v"))) {
      line.version = true;
    } else if (options && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
      if (line.error.isEmpty()) line.error = QStringLiteral("unknown option '%1'").arg(argument);
    } else {
      line.paths.push_back(argument);
    }
  }
  return line;
}

QString CommandLineUsage() {
  return QStringLiteral(
      "Usage: zentavour [FILE.pcg | OS-FILE | FOLDER]...\n"
      "\n"
      "Edits the display fonts and startup pictures of the workstations' OS update files and\n"
      "reads their PCG bank files.\n"
      "\n"
      "  FILE.pcg     opens the PCG file, as File > Open PCG does\n"
      "  OS-FILE      one file of an OS file set (SYSINFO or EXT): Load OS Files opens with the\n"
      "               model and the set's files beside it filled in; press OK to open them\n"
      "  FOLDER       a folder holding an OS file set, the same way\n"
      "  -h, --help     print this help and exit\n"
      "  -v, --version  print the version and exit\n"
      "\n"
      "Before the first save of a set, a copy of its files as they were opened is kept in the\n"
      "program's data folder (File > Show Kept Originals); compare it with\n"
      "'zentavour-cli diff' before you put the files on the instrument.\n");
}

}  // namespace zentavour
