#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

#include "core/osfiles/workstation_model.h"

namespace zentavour {

// What the program keeps between runs, in the platform's own place (or, for tests, in a file of
// their own). Settings are a convenience: a damaged, unreadable or read-only file reads as the
// defaults and fails to save quietly; nothing the user edits depends on it.
class AppSettings {
 public:
  // The platform's own place for the program's settings.
  AppSettings();
  // An INI file at path (tests; never the user's own settings).
  explicit AppSettings(const QString& path);

  // The folder a chooser (by its title) last chose a file in; empty when none yet.
  QString lastFolder(const QString& chooserTitle) const;
  void setLastFolder(const QString& chooserTitle, const QString& folder);

  // The model last checked in Load OS Files; None when none yet.
  WorkstationModel lastModel() const;
  void setLastModel(WorkstationModel model);

  // A window's last place (QWidget::saveGeometry), by the window's kind.
  QByteArray windowPlace(const QString& window) const;
  void setWindowPlace(const QString& window, const QByteArray& place);

  QString previewText(const QString& fallback) const;
  void setPreviewText(const QString& text);

  // File > Recent, most recent first, as RecentFiles encodes it.
  QStringList recent() const;
  void setRecent(const QStringList& entries);

  // Whether the first save of a set keeps the original files (on unless turned off).
  bool keepOriginals() const;
  void setKeepOriginals(bool keep);

  // Writes what changed to the file; false when it could not be written (the values stay for
  // this run).
  bool save();

 private:
  QVariant read(const QString& key) const;
  void write(const QString& key, const QVariant& value);

  std::unique_ptr<QSettings> settings_;
};

}  // namespace zentavour
