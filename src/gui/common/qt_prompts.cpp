#include "gui/common/qt_prompts.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "gui/common/app_settings.h"
#include "gui/common/help_window.h"
#include "gui/common/question_dialog.h"

namespace zentavour {

QtPrompts::~QtPrompts() {
  delete help_.data();
}

void QtPrompts::message(QWidget* parent, const QString& caption, const QString& text,
                        Severity severity) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  switch (severity) {
    case Severity::Information: box.setIcon(QMessageBox::Information); break;
    case Severity::Warning: box.setIcon(QMessageBox::Warning); break;
    case Severity::Error: box.setIcon(QMessageBox::Critical); break;
  }
  box.exec();
}

bool QtPrompts::question(QWidget* parent, const QString& caption, const QString& text) {
  QuestionDialog dialog(parent, caption, text);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtPrompts::runChooser(QWidget* parent, const FileChooser& chooser,
                                             const QString& initialPath, bool save) {
  QFileDialog dialog(parent, chooser.title);
  // The toolkit's own chooser: it shows the label as it is and matches its pattern in either
  // letter case, where a native one may be case-sensitive on the same file system.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(chooser.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setNameFilters(QStringList{chooser.filterLabel} + chooser.moreFilters);
  dialog.selectNameFilter(chooser.filterLabel);
  dialog.setDefaultSuffix(chooser.defaultSuffix);
  // A path the caller already holds is shown as it is; otherwise the chooser opens where the
  // user last chose a file, so a set spread over one folder is not looked for again and again.
  const QFileInfo initial(initialPath);
  if (!initialPath.isEmpty() && initial.isAbsolute() && initial.absoluteDir().exists()) {
    dialog.setDirectory(initial.absolutePath());
  } else if (const QString kept = settings_ ? settings_->lastFolder(chooser.title) : QString();
             !kept.isEmpty() && QDir(kept).exists()) {
    dialog.setDirectory(kept);
  } else if (!lastFolder_.isEmpty()) {
    dialog.setDirectory(lastFolder_);
  }
  if (!initialPath.isEmpty()) dialog.selectFile(initial.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  lastFolder_ = QFileInfo(chosen).absolutePath();
  if (settings_) {
    settings_->setLastFolder(chooser.title, lastFolder_);
    settings_->save();
  }
  return chosen;
}

std::optional<QString> QtPrompts::openFile(QWidget* parent, const FileChooser& chooser,
                                           const QString& initialPath) {
  return runChooser(parent, chooser, initialPath, false);
}

std::optional<QString> QtPrompts::saveFile(QWidget* parent, const FileChooser& chooser,
                                           const QString& initialPath) {
  return runChooser(parent, chooser, initialPath, true);
}

std::optional<QFont> QtPrompts::chooseFont(QWidget* parent, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return font;
}

std::optional<int> QtPrompts::askNumber(QWidget* parent, const QString& caption,
                                        const QString& label, int value, int minimum, int maximum) {
  bool ok = false;
  const int number = QInputDialog::getInt(parent, caption, label, value, minimum, maximum, 1, &ok);
  if (!ok) return std::nullopt;
  return number;
}

void QtPrompts::openUrl(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

void QtPrompts::showHelp(QWidget* parent) {
  if (!help_) help_ = new HelpWindow(parent ? parent->window() : nullptr);
  help_->showContents();
  help_->show();
  help_->raise();
  help_->activateWindow();
}

}  // namespace zentavour
