#include "gui/app/recent_files.h"

#include <QDir>
#include <QFileInfo>

#include "gui/common/text.h"

namespace zentavour {
namespace {

// Paths never hold a tab or a line break where users keep these files; fields are split there.
constexpr QChar kSeparator = QLatin1Char('\t');

}  // namespace

QString EncodeRecent(const OpenTarget& target) {
  if (target.kind == OpenTarget::Kind::Pcg) {
    return QStringList{QStringLiteral("pcg"), target.pcgPath}.join(kSeparator);
  }
  return QStringList{QStringLiteral("os"), QString::number(ModelCode(target.model)), target.sysinfo,
                     target.ext, target.ext2}
      .join(kSeparator);
}

std::optional<OpenTarget> DecodeRecent(const QString& entry) {
  const QStringList fields = entry.split(kSeparator);
  OpenTarget target;
  if (fields.size() == 2 && fields[0] == QLatin1String("pcg") && !fields[1].isEmpty()) {
    target.kind = OpenTarget::Kind::Pcg;
    target.pcgPath = fields[1];
    return target;
  }
  if (fields.size() != 5 || fields[0] != QLatin1String("os") || fields[2].isEmpty()) {
    return std::nullopt;
  }
  bool ok = false;
  const auto model = ModelFromCode(fields[1].toInt(&ok));
  if (!ok || !model) return std::nullopt;
  target.kind = OpenTarget::Kind::OsSet;
  target.model = *model;
  target.sysinfo = fields[2];
  target.ext = fields[3];
  target.ext2 = fields[4];
  return target;
}

QStringList AddRecent(QStringList entries, const OpenTarget& target) {
  entries = RemoveRecent(std::move(entries), target);
  entries.prepend(EncodeRecent(target));
  while (entries.size() > kMostRecent) entries.removeLast();
  return entries;
}

QStringList RemoveRecent(QStringList entries, const OpenTarget& target) {
  // An entry that no longer reads as one goes too.
  entries.removeIf([&](const QString& entry) {
    const std::optional<OpenTarget> decoded = DecodeRecent(entry);
    return !decoded || RecentPath(*decoded) == RecentPath(target);
  });
  return entries;
}

QString RecentLabel(const OpenTarget& target) {
  if (target.kind == OpenTarget::Kind::Pcg) return QFileInfo(target.pcgPath).fileName();
  const std::string_view name = ModelInfo(target.model).name;
  return QStringLiteral("%1 OS Files in %2")
      .arg(Str(name), QDir::toNativeSeparators(QFileInfo(target.sysinfo).absolutePath()));
}

QString RecentPath(const OpenTarget& target) {
  return target.kind == OpenTarget::Kind::Pcg ? target.pcgPath : target.sysinfo;
}

}  // namespace zentavour
