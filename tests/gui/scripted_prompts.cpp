#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentavour::testing {

void ScriptedPrompts::message(QWidget*, const QString& caption, const QString& text) {
  messages.push_back({caption, text});
}

bool ScriptedPrompts::question(QWidget*, const QString& caption, const QString& text) {
  questions.push_back({caption, text});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return false;
  }
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<QString> ScriptedPrompts::openFile(QWidget*, const FileChooser& chooser,
                                                 const QString& initialPath) {
  asked.push_back({chooser, initialPath, false});
  if (files.empty()) {
    ADD_FAILURE() << "unexpected file chooser: " << chooser.filterLabel.toStdString();
    return std::nullopt;
  }
  const bool chosen = files.front().has_value();
  const QString file = files.front().value_or(QString());
  files.pop_front();
  if (!chosen) return std::nullopt;
  return file;
}

std::optional<QString> ScriptedPrompts::saveFile(QWidget* parent, const FileChooser& chooser,
                                                 const QString& initialPath) {
  std::optional<QString> file = openFile(parent, chooser, initialPath);
  asked.back().save = true;
  return file;
}

std::optional<QFont> ScriptedPrompts::chooseFont(QWidget*, const QFont&) {
  if (fonts.empty()) {
    ADD_FAILURE() << "unexpected font chooser";
    return std::nullopt;
  }
  std::optional<QFont> font = fonts.front();
  fonts.pop_front();
  return font;
}

std::optional<int> ScriptedPrompts::askNumber(QWidget*, const QString&, const QString&, int,
                                              int minimum, int maximum) {
  if (numbers.empty()) {
    ADD_FAILURE() << "unexpected number asked";
    return std::nullopt;
  }
  std::optional<int> number = numbers.front();
  numbers.pop_front();
  if (number) number = std::clamp(*number, minimum, maximum);
  return number;
}

void ScriptedPrompts::openUrl(const QUrl& url) {
  urls.push_back(url);
}

void ScriptedPrompts::showHelp(QWidget*) {
  ++helpShown;
}

void ScriptedPrompts::clearShown() {
  messages.clear();
  questions.clear();
  asked.clear();
  urls.clear();
  helpShown = 0;
}

}  // namespace zentavour::testing
