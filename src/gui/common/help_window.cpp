#include "gui/common/help_window.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/common/resources.h"

namespace zentavour {

QUrl HelpWindow::ContentsPage() {
  return QUrl(QStringLiteral("qrc:/help/index.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  EnsureResources();
  setWindowTitle(QStringLiteral("Zentavour Help"));
  setObjectName(QStringLiteral("helpWindow"));

  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);  // web addresses in the pages go to the browser
  browser_->setSearchPaths({QStringLiteral(":/help")});

  auto makeButton = [this](QStyle::StandardPixmap icon, const QString& text) {
    auto* button = new QToolButton(this);
    button->setIcon(style()->standardIcon(icon, nullptr, this));
    button->setText(text);
    button->setToolTip(text);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
  };
  QToolButton* contents = makeButton(QStyle::SP_DirHomeIcon, QStringLiteral("Contents"));
  QToolButton* back = makeButton(QStyle::SP_ArrowBack, QStringLiteral("Back"));
  QToolButton* forward = makeButton(QStyle::SP_ArrowForward, QStringLiteral("Forward"));
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(contents, &QToolButton::clicked, this, &HelpWindow::showContents);
  connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);

  auto* bar = new QHBoxLayout;
  bar->addWidget(contents);
  bar->addWidget(back);
  bar->addWidget(forward);
  bar->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);
  resize(640, 560);
}

void HelpWindow::showContents() {
  browser_->setSource(ContentsPage());
  browser_->clearHistory();
}

}  // namespace zentavour
