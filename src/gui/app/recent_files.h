#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "gui/app/command_line.h"

namespace zentavour {

// File > Recent holds this many PCG files and OS sets, most recent first.
inline constexpr qsizetype kMostRecent = 8;

// An entry as the settings keep it, and back (nothing for one that does not read as an entry).
QString EncodeRecent(const OpenTarget& target);
std::optional<OpenTarget> DecodeRecent(const QString& entry);

// The list with target first: a repeat moves up, the oldest beyond kMostRecent leaves.
QStringList AddRecent(QStringList entries, const OpenTarget& target);
QStringList RemoveRecent(QStringList entries, const OpenTarget& target);

// The menu's text for an entry: the file's name, or the model and folder of a set.
QString RecentLabel(const OpenTarget& target);
// The path that must still be there for the entry to reopen (the PCG file, the set's SYSINFO).
QString RecentPath(const OpenTarget& target);

}  // namespace zentavour
