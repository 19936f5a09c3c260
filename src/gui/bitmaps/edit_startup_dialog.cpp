#include "gui/bitmaps/edit_startup_dialog.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/osfiles/os_image_layout.h"
#include "core/bitmaps/graphic_packing.h"
#include "gui/common/application_state.h"
#include "gui/bitmaps/bitmap_editors.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "render/picture_files.h"

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
  export_ = new QPushButton(QStringLiteral("Export"), this);
  export_->setObjectName(QStringLiteral("export"));
  export_->setAutoDefault(false);
  auto* menu = new QMenu(export_);
  menu->addAction(QStringLiteral("Export as BMP..."), this, [this] { exportPicture(false); });
  menu->addAction(QStringLiteral("Export as PNG..."), this, [this] { exportPicture(true); });
  export_->setMenu(menu);
  buttons->addWidget(export_);
  showPictures();
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
  if (PixelEditorWindow* window = editors_.openGraphicEditor(entries[static_cast<std::size_t>(item)], this))
    connect(window, &PixelEditorWindow::finished, this, &EditStartupDialog::showPictures);
}

namespace {

// The picture of an item as it stands in the open set's image, or nothing when it is not there.
std::optional<PixelGrid> PictureOf(const ApplicationState& state, const StartupGraphicEntry& entry) {
  PixelGrid grid;
  if (!state.osFiles().isOpen() ||
      !UnpackGraphic(state.osFiles().ExtImage, GraphicTarget::From(entry), grid))
    return std::nullopt;
  return grid;
}

}  // namespace

void EditStartupDialog::showPictures() {
  const auto entries = StartupGraphicTable(model_);
  std::vector<QImage> images(entries.size());
  QSize largest(1, 1);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const GraphicTarget target = GraphicTarget::From(entries[i]);
    const std::optional<PixelGrid> grid = PictureOf(editors_.state(), entries[i]);
    if (!grid || target.rows <= 0) continue;
    images[i] = MonochromeImage(*grid, target.bytesPerRow * 8, target.rows);
    largest = largest.expandedTo(images[i].size());
  }
  // Every picture at 1:1 on its left, so the names line up.
  for (std::size_t i = 0; i < images.size() && static_cast<int>(i) < list_->count(); ++i) {
    if (images[i].isNull()) continue;
    QPixmap icon(largest);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawImage(0, (largest.height() - images[i].height()) / 2, images[i]);
    painter.end();
    list_->item(static_cast<int>(i))->setIcon(QIcon(icon));
  }
  list_->setIconSize(largest);
}

void EditStartupDialog::exportPicture(bool png) {
  const auto entries = StartupGraphicTable(model_);
  const int item = list_->currentRow();
  if (item < 0 || static_cast<std::size_t>(item) >= entries.size()) return;
  const StartupGraphicEntry& entry = entries[static_cast<std::size_t>(item)];
  Prompts& prompts = editors_.state().prompts();
  const std::optional<PixelGrid> grid = PictureOf(editors_.state(), entry);
  if (!grid) return;
  const std::optional<QString> path = prompts.saveFile(this, PictureSaveChooser(png), {});
  if (!path) return;
  const GraphicTarget target = GraphicTarget::From(entry);
  const Status saved = ExportPicture(*grid, target.bytesPerRow * 8, target.rows,
                                     CorePath(*path), png);
  if (!saved) prompts.showFailure(this, saved.failure());
}

}  // namespace zentavour
