#pragma once

#include <QString>
#include <QStringList>

#include "core/common/failure.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// Something the program was asked to open from outside its menus: a path on its command line,
// a drop on the main window, an entry of File > Recent.
struct OpenTarget {
  enum class Kind { Pcg, OsSet, Refused };
  Kind kind = Kind::Refused;
  QString pcgPath;
  // An OS file set: its model and the paths found (empty where a file is missing). Load OS Files
  // opens with them filled in; nothing opens before the user presses OK.
  WorkstationModel model = WorkstationModel::None;
  QString sysinfo, ext, ext2;
  // Why the path cannot be opened, as a message box says it.
  Failure refusal;

  friend bool operator==(const OpenTarget&, const OpenTarget&) = default;
};

// What a path is: a PCG file (by its signature, or by its extension when it is too short to
// have one, so the reader says what is wrong with it), a folder holding an OS file set or one
// file of a set (the rest found beside it in any letter case), or refused with the reason.
OpenTarget ClassifyPath(const QString& path);

// Classifies each path, dropping repeats (a set's files chosen together are one set).
QList<OpenTarget> ClassifyPaths(const QStringList& paths);

// The program's own command line.
struct CommandLine {
  bool help = false;
  bool version = false;
  QStringList paths;
  QString error;  // an unknown option; the program then prints the usage and ends
};

CommandLine ParseCommandLine(const QStringList& arguments);  // without the program's name
QString CommandLineUsage();

}  // namespace zentavour
