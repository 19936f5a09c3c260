#include "scripted_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentavour::testing {
namespace {

// The next scripted answer; asking with none left fails the test.
template <class T>
std::optional<T> Take(std::deque<T>& queue, const std::string& what) {
  if (queue.empty()) {
    ADD_FAILURE() << "unexpected " << what;
    return std::nullopt;
  }
  std::optional<T> answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

}  // namespace

void ScriptedPrompts::message(QWidget*, const QString& caption, const QString& text, Severity) {
  messages.push_back({caption, text});
}

bool ScriptedPrompts::question(QWidget*, const QString& caption, const QString& text) {
  questions.push_back({caption, text});
  return Take(answers, "question: " + text.toStdString()).value_or(false);
}

std::optional<QString> ScriptedPrompts::openFile(QWidget*, const FileChooser& chooser,
                                                 const QString& initialPath) {
  asked.push_back({chooser, initialPath});
  return Take(files, "file chooser: " + chooser.filterLabel.toStdString()).value_or(std::nullopt);
}

std::optional<QString> ScriptedPrompts::saveFile(QWidget* parent, const FileChooser& chooser,
                                                 const QString& initialPath) {
  return openFile(parent, chooser, initialPath);
}

std::optional<QFont> ScriptedPrompts::chooseFont(QWidget*, const QFont&) {
  return Take(fonts, "font chooser").value_or(std::nullopt);
}

std::optional<int> ScriptedPrompts::askNumber(QWidget*, const QString&, const QString&, int,
                                              int minimum, int maximum) {
  std::optional<int> number = Take(numbers, "number asked").value_or(std::nullopt);
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
