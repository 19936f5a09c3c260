#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace zentavour {

// The program's own help: HTML pages from the resources in a small browser window.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  static QUrl ContentsPage();

  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the contents page.
  void showContents();
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace zentavour
