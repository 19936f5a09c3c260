#pragma once

#include <QPointer>
#include <QString>

#include "gui/common/help_window.h"
#include "gui/common/prompts.h"

namespace zentavour {

class AppSettings;

// The prompts as the user sees them: message boxes, the toolkit's choosers, the desktop's
// browser and the program's help window.
class QtPrompts : public Prompts {
 public:
  QtPrompts() = default;
  ~QtPrompts() override;

  void message(QWidget* parent, const QString& caption, const QString& text,
               Severity severity) override;
  bool question(QWidget* parent, const QString& caption, const QString& text) override;
  std::optional<QString> openFile(QWidget* parent, const FileChooser& chooser,
                                  const QString& initialPath) override;
  std::optional<QString> saveFile(QWidget* parent, const FileChooser& chooser,
                                  const QString& initialPath) override;
  std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
  std::optional<int> askNumber(QWidget* parent, const QString& caption, const QString& label,
                               int value, int minimum, int maximum) override;
  void openUrl(const QUrl& url) override;
  void showHelp(QWidget* parent) override;

  // Where each chooser's last folder is kept between runs; none keeps them for the run only.
  void setSettings(AppSettings* settings) { settings_ = settings; }

 private:
  std::optional<QString> runChooser(QWidget* parent, const FileChooser& chooser,
                                    const QString& initialPath, bool save);

  // One help window for the run; it goes with the window it was opened over.
  QPointer<HelpWindow> help_;
  // The folder of the last file chosen in any chooser during this run.
  QString lastFolder_;
  AppSettings* settings_ = nullptr;
};

}  // namespace zentavour
