#include "gui/common/file_chooser.h"

#include "core/bitmaps/bdf_font.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

// An exact name and its lower-case form, each listed once.
QStringList BothCases(const QString& name) {
  QStringList patterns{name};
  if (name.toLower() != name) patterns << name.toLower();
  if (name.toUpper() != name) patterns << name.toUpper();
  return patterns;
}

FileChooser Browse(QString label, const QString& pattern, QString suffix) {
  return FileChooser{QStringLiteral("Browse"), std::move(label), BothCases(pattern),
                     std::move(suffix), true};
}

}  // namespace

QString FileChooser::nameFilter() const {
  const qsizetype open = filterLabel.lastIndexOf(QLatin1Char('('));
  const QString lead = open < 0 ? filterLabel + QLatin1Char(' ') : filterLabel.left(open);
  return lead + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

FileChooser OsFileChooser(WorkstationModel model, OsFileRole role) {
  const WorkstationModelInfo& info = ModelInfo(model);
  std::string_view label = info.sysinfoFilterLabel;
  std::string_view name = info.sysinfoName;
  if (role == OsFileRole::Ext) {
    label = info.extFilterLabel;
    name = info.extName;
  } else if (role == OsFileRole::Ext2) {
    label = info.ext2FilterLabel;
    name = info.ext2Name;
  }
  const QString fileName = Str(name);
  // The default suffix is the three-digit extension of the exact name.
  const QString suffix = fileName.mid(fileName.lastIndexOf(QLatin1Char('.')) + 1);
  return Browse(Str(label), fileName, suffix);
}

FileChooser PcgFileChooser() {
  return Browse(QStringLiteral("PCG File (*.PCG)"), QStringLiteral("*.PCG"), QStringLiteral("pcg"));
}

FileChooser FontFileOpenChooser() {
  return Browse(QStringLiteral("Zentavour Font File (*.GLX)"), QStringLiteral("*.GLX"),
                QStringLiteral("glx"));
}

FileChooser FontFileSaveChooser() {
  FileChooser chooser = FontFileOpenChooser();
  chooser.title = QStringLiteral("Save");
  chooser.mustExist = false;
  return chooser;
}

FileChooser BitmapFileChooser() {
  return Browse(QStringLiteral("Bitmap File (*.bmp)"), QStringLiteral("*.bmp"),
                QStringLiteral("bmp"));
}

namespace {

FileChooser Saving(FileChooser chooser, bool save) {
  if (save) {
    chooser.title = QStringLiteral("Save");
    chooser.mustExist = false;
  }
  return chooser;
}

}  // namespace

FileChooser PictureOpenChooser() {
  FileChooser chooser = Browse(QStringLiteral("Bitmap or PNG File (*.bmp *.png)"),
                               QStringLiteral("*.bmp"), QStringLiteral("bmp"));
  chooser.patterns << BothCases(QStringLiteral("*.png"));
  return chooser;
}

FileChooser PictureSaveChooser(bool png) {
  return Saving(png ? Browse(QStringLiteral("PNG File (*.png)"), QStringLiteral("*.png"),
                             QStringLiteral("png"))
                    : BitmapFileChooser(),
                true);
}

FileChooser FontSheetChooser(bool save) {
  return Saving(Browse(QStringLiteral("PNG Font Sheet (*.png)"), QStringLiteral("*.png"),
                       QStringLiteral("png")),
                save);
}

FileChooser BdfFileChooser(bool save) {
  return Saving(Browse(Str(kBdfFilterLabel), Str(kBdfPattern), Str(kBdfSuffix)), save);
}

}  // namespace zentavour
