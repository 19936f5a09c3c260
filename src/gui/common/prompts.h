#pragma once

#include <QFont>
#include <QString>
#include <QUrl>
#include <optional>

#include "core/common/failure.h"
#include "gui/common/file_chooser.h"
#include "gui/common/text.h"

class QWidget;

namespace zentavour {

// Everything a window asks of the user or hands to the desktop goes through here, so a window's
// logic can be driven by a scripted double.
class Prompts {
 public:
  virtual ~Prompts() = default;

  // A message box with a single OK button; its icon says how grave it is.
  virtual void message(QWidget* parent, const QString& caption, const QString& text,
                       Severity severity) = 0;
  // A question answered with Yes (true) or No; it cannot be dismissed any other way.
  virtual bool question(QWidget* parent, const QString& caption, const QString& text) = 0;
  // The chosen path, or nothing when the user cancelled. initialPath is the name shown first.
  virtual std::optional<QString> openFile(QWidget* parent, const FileChooser& chooser,
                                          const QString& initialPath) = 0;
  virtual std::optional<QString> saveFile(QWidget* parent, const FileChooser& chooser,
                                          const QString& initialPath) = 0;
  virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
  // A whole number from minimum to maximum, or nothing when the user cancelled.
  virtual std::optional<int> askNumber(QWidget* parent, const QString& caption,
                                       const QString& label, int value, int minimum,
                                       int maximum) = 0;
  // Hands an address to the user's browser.
  virtual void openUrl(const QUrl& url) = 0;
  // Shows the program's help at its contents page.
  virtual void showHelp(QWidget* parent) = 0;

  // A core failure as its message box: its caption as the title, its text.
  void showFailure(QWidget* parent, const Failure& failure) {
    message(parent, Str(failure.caption), Str(failure.text), failure.severity);
  }
};

}  // namespace zentavour
