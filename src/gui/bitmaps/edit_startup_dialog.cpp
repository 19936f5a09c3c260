#include "gui/bitmaps/edit_startup_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/bitmaps/graphic_packing.h"
#include "core/osfiles/os_image_layout.h"
#include "gui/common/application_state.h"
#include "gui/bitmaps/bitmap_editors.h"
#include "gui/common/dialog_units.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "render/picture_files.h"

namespace zentavour {
namespace {

// Each item shows its whole name, wrapped if it must be, with its picture under it: at 1:1 when
// the list is wide enough, otherwise made smaller to fit, so no name is cut by its picture.
class PictureItemDelegate : public QStyledItemDelegate {
 public:
  explicit PictureItemDelegate(QListWidget* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QRect text = textRect(option, index);
    const QSize picture = pictureSize(index);
    return QSize(room(),
                 kPad + text.height() + (picture.isEmpty() ? 0 : kPad + picture.height()) + kPad);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    panel.text.clear();
    panel.icon = QIcon();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect text = textRect(option, index).translated(option.rect.topLeft());
    painter->drawText(text, Qt::AlignLeft | Qt::TextWordWrap, index.data().toString());
    const QSize picture = pictureSize(index);
    if (!picture.isEmpty()) {
      const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
      const QPixmap pixmap = icon.pixmap(icon.availableSizes().value(0));
      const QRect target(QPoint(option.rect.left() + kPad, text.bottom() + 1 + kPad), picture);
      painter->setRenderHint(QPainter::SmoothPixmapTransform, picture != pixmap.size());
      painter->drawPixmap(target, pixmap);
    }
    painter->restore();
  }

 private:
  static constexpr int kPad = 3;

  int room() const { return std::max(1, list_->viewport()->width()); }

  QRect textRect(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QFontMetrics metrics(option.font);
    return metrics.boundingRect(QRect(kPad, kPad, room() - 2 * kPad, 10000),
                                Qt::AlignLeft | Qt::TextWordWrap, index.data().toString());
  }

  QSize pictureSize(const QModelIndex& index) const {
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    const QSize natural = icon.availableSizes().value(0);
    if (natural.isEmpty()) return {};
    const int width = room() - 2 * kPad;
    return natural.width() <= width ? natural
                                    : natural.scaled(width, natural.height(), Qt::KeepAspectRatio);
  }

  QListWidget* list_;
};

}  // namespace

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
  list_->setWrapping(false);
  list_->setResizeMode(QListView::Adjust);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setItemDelegate(new PictureItemDelegate(list_));
  list_->installEventFilter(this);
  for (const StartupGraphicEntry& entry : StartupGraphicTable(model)) {
    list_->addItem(
        QString::fromUtf8(entry.label.data(), static_cast<qsizetype>(entry.label.size())));
  }

  // The layout in dialog units: list and buttons' column as in Edit Font, OK at the top.
  const DialogUnits units(this);
  auto* column = new QWidget(this);
  column->setFixedWidth(units.x(62));
  column->setMinimumHeight(units.y(183) - units.y(7));
  auto makeButton = [&](const QString& text, const QString& name, int top) {
    auto* button = new QPushButton(text, column);
    button->setObjectName(name);
    button->setGeometry(0, units.y(top) - units.y(7), units.x(62), units.y(14));
    return button;
  };
  ok_ = makeButton(QStringLiteral("OK"), QStringLiteral("control1"), 7);
  ok_->setDefault(true);
  cancel_ = makeButton(QStringLiteral("Cancel"), QStringLiteral("control2"), 26);
  // Every graphic editor has already written its picture: there is nothing to cancel.
  cancel_->setEnabled(false);
  cancel_->setVisible(false);
  export_ = makeButton(QStringLiteral("Export"), QStringLiteral("export"), 169);
  export_->setAutoDefault(false);
  auto* menu = new QMenu(export_);
  menu->addAction(QStringLiteral("Export as BMP..."), this, [this] { exportPicture(false); });
  menu->addAction(QStringLiteral("Export as PNG..."), this, [this] { exportPicture(true); });
  export_->setMenu(menu);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(units.x(7), units.y(7), units.x(7), units.y(7));
  layout->setSpacing(units.x(3));
  layout->addWidget(list_, 1);
  layout->addWidget(column);
  showPictures();

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { activate(list_->row(item)); });
  // The layout's size; the names are whole at it, and the user may make it larger.
  resize(units.size(242, 199));
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
  if (PixelEditorWindow* window =
          editors_.openGraphicEditor(entries[static_cast<std::size_t>(item)], this))
    connect(window, &PixelEditorWindow::finished, this, &EditStartupDialog::showPictures);
}

namespace {

// The picture of an item as it stands in the open set's image, or nothing when it is not there.
std::optional<PixelGrid> PictureOf(const ApplicationState& state,
                                   const StartupGraphicEntry& entry) {
  PixelGrid grid;
  if (!state.osFiles().isOpen() ||
      !UnpackGraphic(state.osFiles().ExtImage, GraphicTarget::From(entry), grid))
    return std::nullopt;
  return grid;
}

}  // namespace

void EditStartupDialog::showPictures() {
  const auto entries = StartupGraphicTable(model_);
  for (std::size_t i = 0; i < entries.size() && static_cast<int>(i) < list_->count(); ++i) {
    const GraphicTarget target = GraphicTarget::From(entries[i]);
    const std::optional<PixelGrid> grid = PictureOf(editors_.state(), entries[i]);
    if (!grid || target.rows <= 0 || target.bytesPerRow <= 0) continue;
    list_->item(static_cast<int>(i))
        ->setIcon(
            QIcon(QPixmap::fromImage(MonochromeImage(*grid, target.bytesPerRow * 8, target.rows))));
  }
  list_->doItemsLayout();
}

void EditStartupDialog::exportPicture(bool png) {
  const auto entries = StartupGraphicTable(model_);
  const int item = list_->currentRow();
  if (item < 0 || static_cast<std::size_t>(item) >= entries.size()) return;
  const StartupGraphicEntry& entry = entries[static_cast<std::size_t>(item)];
  Prompts& prompts = editors_.state().prompts();
  if (!entry.used()) {
    prompts.showFailure(this, Failure{"Export",
                                      "This item holds no picture: there is nothing "
                                      "to export."});
    return;
  }
  const std::optional<PixelGrid> grid = PictureOf(editors_.state(), entry);
  if (!grid) return;
  const std::optional<QString> path = prompts.saveFile(this, PictureSaveChooser(png), {});
  if (!path) return;
  const GraphicTarget target = GraphicTarget::From(entry);
  const Status saved =
      ExportPicture(*grid, target.bytesPerRow * 8, target.rows, CorePath(*path), png);
  if (!saved) prompts.showFailure(this, saved.failure());
}

}  // namespace zentavour
