#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "gui/common/prompts.h"

namespace zentavour::testing {

struct ShownText {
  QString caption;
  QString text;

  friend bool operator==(const ShownText&, const ShownText&) = default;
};

struct AskedFile {
  FileChooser chooser;
  QString initialPath;
};

// Records what a window showed and answers from queues. Asking with an empty queue fails the
// test, so a window that asks more than expected is caught.
class ScriptedPrompts : public Prompts {
 public:
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

  // Answers, taken front first.
  std::deque<bool> answers;
  std::deque<std::optional<QString>> files;
  std::deque<std::optional<QFont>> fonts;
  std::deque<std::optional<int>> numbers;  // out of range answers are clamped, as a spin box does

  // What was shown, in order.
  std::vector<ShownText> messages;
  std::vector<ShownText> questions;
  std::vector<AskedFile> asked;
  std::vector<QUrl> urls;
  int helpShown = 0;

  void clearShown();
};

}  // namespace zentavour::testing
