#include "gui/common/question_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "gui/common/dialog_units.h"

namespace zentavour {

QuestionDialog::QuestionDialog(QWidget* parent, const QString& caption, const QString& text)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  // A caption without a system menu or a close box; Yes and No have access keys (Alt+Y, Alt+N)
  // as the platform's own questions do.
  setWindowTitle(caption);
  setModal(true);

  auto* icon = new QLabel(this);
  const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()
                      ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                      .pixmap(iconSize, iconSize));
  auto* label = new QLabel(text, this);
  label->setObjectName(QStringLiteral("text"));
  label->setWordWrap(true);

  yes_ = new QPushButton(QStringLiteral("&Yes"), this);
  yes_->setObjectName(QStringLiteral("control6"));
  no_ = new QPushButton(QStringLiteral("&No"), this);
  no_->setObjectName(QStringLiteral("control7"));
  yes_->setDefault(true);
  yes_->setAutoDefault(true);
  no_->setAutoDefault(true);
  connect(yes_, &QPushButton::clicked, this, &QDialog::accept);
  connect(no_, &QPushButton::clicked, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addWidget(label, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(yes_);
  buttons->addWidget(no_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->addLayout(top);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->addStrut(TitleWidth(this));  // the caption shows the whole title
  layout->setSizeConstraint(QLayout::SetFixedSize);
  yes_->setFocus();
}

void QuestionDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();  // no cancel: only Yes or No end the question
    return;
  }
  QDialog::keyPressEvent(event);
}

void QuestionDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace zentavour
