#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "core/osfiles/os_file_set.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// What a file chooser shows: one filter (its label, naming the one pattern it applies), the
// chooser's title and the suffix added to a name typed without one. The pattern matches names
// in either letter case: files copied from the instrument's media are often lower case.
struct FileChooser {
  QString title;
  QString filterLabel;  // as the user reads it, e.g. "SYSINFO File (SYSINFO.420)"
  QString defaultSuffix;
  bool mustExist = true;
  // Filters offered after the first one, which stays the one shown when the chooser opens.
  QStringList moreFilters = {};

  friend bool operator==(const FileChooser&, const FileChooser&) = default;
};

// The chooser of one file of a model's OS file set: it lists only files of the exact name.
FileChooser OsFileChooser(WorkstationModel model, OsFileRole role);

FileChooser PcgFileChooser();
FileChooser FontFileOpenChooser();
FileChooser FontFileSaveChooser();
FileChooser BitmapFileChooser();

// Choosers of the additions: pictures and fonts exchanged with other programs.
FileChooser PictureOpenChooser();             // "Load Bitmap": BMP or PNG
FileChooser PictureSaveChooser(bool png);     // graphic export: one-bit BMP or PNG
FileChooser FontSheetChooser(bool save);      // PNG font sheet
FileChooser BdfFileChooser(bool save);

// A path a chooser returned, as the core takes paths: UTF-8 on every platform. (The local 8-bit
// encoding would be the ANSI code page on Windows, which cannot hold every folder name.)
std::string CorePath(const QString& path);

}  // namespace zentavour
