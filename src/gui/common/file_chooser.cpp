#include "gui/common/file_chooser.h"

#include "core/bitmaps/bdf_font.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

FileChooser Browse(QString label, QString suffix) {
  return FileChooser{QStringLiteral("Browse"), std::move(label), std::move(suffix), true};
}

}  // namespace

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
  return Browse(Str(label), fileName.mid(fileName.lastIndexOf(QLatin1Char('.')) + 1));
}

FileChooser PcgFileChooser() {
  return Browse(QStringLiteral("PCG File (*.PCG)"), QStringLiteral("pcg"));
}

FileChooser FontFileOpenChooser() {
  return Browse(QStringLiteral("Zentavour Font File (*.GLX)"), QStringLiteral("glx"));
}

FileChooser FontFileSaveChooser() {
  FileChooser chooser = FontFileOpenChooser();
  chooser.title = QStringLiteral("Save");
  chooser.mustExist = false;
  return chooser;
}

FileChooser BitmapFileChooser() {
  return Browse(QStringLiteral("Bitmap File (*.bmp)"), QStringLiteral("bmp"));
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
  FileChooser chooser = BitmapFileChooser();
  chooser.moreFilters = {QStringLiteral("PNG File (*.png)")};
  return chooser;
}

FileChooser PictureSaveChooser(bool png) {
  return Saving(png ? Browse(QStringLiteral("PNG File (*.png)"), QStringLiteral("png"))
                    : BitmapFileChooser(),
                true);
}

FileChooser FontSheetChooser(bool save) {
  return Saving(Browse(QStringLiteral("PNG Font Sheet (*.png)"), QStringLiteral("png")), save);
}

FileChooser BdfFileChooser(bool save) {
  return Saving(Browse(Str(kBdfFilterLabel), Str(kBdfSuffix)), save);
}

std::string CorePath(const QString& path) { return path.toUtf8().toStdString(); }

}  // namespace zentavour
