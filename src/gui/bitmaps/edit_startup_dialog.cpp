#include "gui/bitmaps/edit_startup_dialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/osfiles/os_image_layout.h"
#include "gui/bitmaps/bitmap_editors.h"

namespace zentavour {

EditStartupDialog::EditStartupDialog(BitmapEditors& editors, WorkstationModel model,
                                     QWidget* parent)
    : QDialog(parent), editors_(editors), model_(model) {
  setObjectName(QStringLiteral("EditGraphics"));
  setWindowTitle(QStringLiteral("Edit Startup "));
  // Only the main window is blocked: an open "Startup Graphic Edit Menu" stays usable.
  setWindowModality(Qt::WindowModal);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("control1208"));
  list_->setViewMode(QListView::ListMode);
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setMinimumSize(250, 300);
  list_->installEventFilter(this);
  for (const StartupGraphicEntry& entry : StartupGraphicTable(model)) {
    list_->addItem(
        QString::fromUtf8(entry.label.data(), static_cast<qsizetype>(entry.label.size())));
  }

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("control1"));
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("control2"));
  // Every graphic editor has already written its picture: there is nothing to cancel.
  cancel_->setEnabled(false);
  cancel_->setVisible(false);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { activate(list_->row(item)); });
  resize(420, 360);
}

bool EditStartupDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter on the list opens the picture, as a double-click does; it does not end the dialog.
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentItem()) {
      activate(list_->currentRow());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void EditStartupDialog::activate(int item) {
  const auto entries = StartupGraphicTable(model_);
  if (item < 0 || static_cast<std::size_t>(item) >= entries.size()) return;
  editors_.openGraphicEditor(entries[static_cast<std::size_t>(item)], this);
}

}  // namespace zentavour
