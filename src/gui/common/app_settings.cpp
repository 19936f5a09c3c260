#include "gui/common/app_settings.h"

#include <QCryptographicHash>

namespace zentavour {
namespace {

// Chooser titles hold spaces and dots; a key gets a plain form of them.
QString FolderKey(const QString& chooserTitle) {
  return QStringLiteral("folders/") +
         QString::fromLatin1(
             QCryptographicHash::hash(chooserTitle.toUtf8(), QCryptographicHash::Md5).toHex());
}

}  // namespace

AppSettings::AppSettings()
    : settings_(
          std::make_unique<QSettings>(QStringLiteral("Zentavour"), QStringLiteral("Zentavour"))) {}

AppSettings::AppSettings(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

QVariant AppSettings::read(const QString& key) const {
  // Whatever a damaged file yields is checked by the reader of each value.
  return settings_->value(key);
}

void AppSettings::write(const QString& key, const QVariant& value) {
  settings_->setValue(key, value);
}

QString AppSettings::lastFolder(const QString& chooserTitle) const {
  return read(FolderKey(chooserTitle)).toString();
}

void AppSettings::setLastFolder(const QString& chooserTitle, const QString& folder) {
  write(FolderKey(chooserTitle), folder);
}

WorkstationModel AppSettings::lastModel() const {
  bool ok = false;
  const int code = read(QStringLiteral("loadOsFiles/model")).toInt(&ok);
  const auto model = ok ? ModelFromCode(code) : std::nullopt;
  return model.value_or(WorkstationModel::None);
}

void AppSettings::setLastModel(WorkstationModel model) {
  if (model != WorkstationModel::None) write(QStringLiteral("loadOsFiles/model"), ModelCode(model));
}

QByteArray AppSettings::windowPlace(const QString& window) const {
  return read(QStringLiteral("windows/") + window).toByteArray();
}

void AppSettings::setWindowPlace(const QString& window, const QByteArray& place) {
  write(QStringLiteral("windows/") + window, place);
}

QString AppSettings::previewText(const QString& fallback) const {
  const QVariant text = read(QStringLiteral("editFont/previewText"));
  return text.isValid() ? text.toString() : fallback;
}

void AppSettings::setPreviewText(const QString& text) {
  write(QStringLiteral("editFont/previewText"), text);
}

QStringList AppSettings::recent() const {
  return read(QStringLiteral("recent/entries")).toStringList();
}

void AppSettings::setRecent(const QStringList& entries) {
  write(QStringLiteral("recent/entries"), entries);
}

bool AppSettings::keepOriginals() const {
  const QVariant keep = read(QStringLiteral("saving/keepOriginals"));
  return !keep.isValid() || keep.toBool();
}

void AppSettings::setKeepOriginals(bool keep) {
  write(QStringLiteral("saving/keepOriginals"), keep);
}

bool AppSettings::save() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace zentavour
