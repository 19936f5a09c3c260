#include "gui/bitmaps/edit_font_dialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "core/bitmaps/bdf_font.h"
#include "core/bitmaps/font_file.h"
#include "core/bitmaps/glyph_edits.h"
#include "gui/bitmaps/glyph_rendering.h"
#include "gui/bitmaps/import_font_dialog.h"
#include "gui/common/dialog_units.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"
#include "gui/common/web_links.h"
#include "render/picture_files.h"

namespace zentavour {
namespace {

// Small fonts are shown doubled so that their pixels can be told apart.
int IconScale(int rows) {
  return rows <= 10 ? 2 : 1;
}

// The widest glyph the slot holds whole: as many bytes per row as its rows leave room for in
// the slot's bytes per glyph, at most three.
int SlotColumns(const FontSlotEntry& entry) {
  const int bytesPerRow = entry.rows > 0 ? (entry.bytesPerGlyph - 1) / entry.rows : 1;
  return 8 * std::clamp(bytesPerRow, 1, 3);
}

// The layout, in dialog units: the dialog's size, the list's place and the buttons' column
// (left edge and width) with each button's top edge; every button is 14 units high.
constexpr int kDialogWidth = 242, kDialogHeight = 199;
constexpr int kMargin = 7, kGap = 3;
constexpr int kButtonColumnWidth = 62, kButtonHeight = 14;
constexpr int kOkTop = 7, kCancelTop = 26, kMoreTop = 99, kImportTop = 117, kSaveTop = 151,
              kLoadTop = 169;
// The preview's room under the list at most: two lines of the tallest font and a scroll bar.
constexpr int kPreviewMostHeight = 56;

}  // namespace

EditFontDialog::EditFontDialog(const GlyphWorkSet& glyphs, ChangeFont changeFont,
                               WorkstationModel model, FontSlot slot, int rows,
                               FontImportSettings& importSettings, Prompts& prompts,
                               std::function<void(int index)> openCharacter, QWidget* parent)
    : QDialog(parent),
      glyphs_(glyphs),
      changeFont_(std::move(changeFont)),
      model_(model),
      slot_(slot),
      rows_(rows),
      importSettings_(importSettings),
      prompts_(prompts),
      openCharacter_(std::move(openCharacter)) {
  setObjectName(QStringLiteral("EditFont"));
  setWindowTitle(QStringLiteral("Edit Font"));
  // Only the main window is blocked: an open "Character Edit" stays usable.
  setWindowModality(Qt::WindowModal);
  const DialogUnits units(this);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("control1166"));
  list_->setViewMode(QListView::ListMode);
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
  list_->setSpacing(1);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->installEventFilter(this);
  for (int k = 0; k < kGlyphCount; ++k) {
    auto* item = new QListWidgetItem(QString(QChar(static_cast<char16_t>(kFirstGlyphCode + k))));
    item->setData(Qt::UserRole, k);
    list_->addItem(item);
  }

  // The buttons sit at their places in a column of their own, whatever the dialog's size.
  auto* column = new QWidget(this);
  column->setFixedWidth(units.x(kButtonColumnWidth));
  column->setMinimumHeight(units.y(kLoadTop + kButtonHeight) - units.y(kMargin));
  auto makeButton = [&](int id, const QString& text, int top) {
    auto* button = new QPushButton(text, column);
    button->setObjectName(ControlName(id));
    button->setGeometry(0, units.y(top) - units.y(kMargin), units.x(kButtonColumnWidth),
                        units.y(kButtonHeight));
    return button;
  };
  ok_ = makeButton(1, QStringLiteral("OK"), kOkTop);
  cancel_ = makeButton(2, QStringLiteral("Cancel"), kCancelTop);
  more_ = makeButton(0, QStringLiteral("More"), kMoreTop);
  more_->setObjectName(QStringLiteral("more"));
  import_ = makeButton(3, QStringLiteral("Import PC Font"), kImportTop);
  save_ = makeButton(4, QStringLiteral("Save to Font File"), kSaveTop);
  load_ = makeButton(5, QStringLiteral("Load Font File"), kLoadTop);
  ok_->setDefault(true);
  more_->setAutoDefault(false);

  auto* menu = new QMenu(more_);
  const auto addItem = [&](const QString& text, void (EditFontDialog::*slot)(),
                           QKeySequence keys = {}) {
    QAction* action = menu->addAction(text, this, slot);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    this->addAction(action);  // the shortcut works while the dialog has focus
    return action;
  };
  addItem(QStringLiteral("Export PNG Sheet..."), &EditFontDialog::exportSheet);
  addItem(QStringLiteral("Import PNG Sheet..."), &EditFontDialog::importSheet);
  addItem(QStringLiteral("Export BDF Font..."), &EditFontDialog::exportBdf);
  addItem(QStringLiteral("Import BDF Font..."), &EditFontDialog::importBdf);
  menu->addSeparator();
  // These work on the selected characters; with none selected they are greyed.
  selectionActions_ = {
      addItem(QStringLiteral("Set Width..."), &EditFontDialog::setWidth),
      addItem(QStringLiteral("Copy"), &EditFontDialog::copyGlyphs, QKeySequence::Copy),
      paste_ = addItem(QStringLiteral("Paste"), &EditFontDialog::pasteGlyphs, QKeySequence::Paste),
  };
  QAction* all = menu->addAction(QStringLiteral("Select All"), list_, &QListWidget::selectAll);
  all->setShortcut(QKeySequence::SelectAll);
  all->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  this->addAction(all);
  more_->setMenu(menu);

  // The preview: a sample line in the font as the display shows it, 1:1 and 2:1, in a room of
  // its own under the list that scrolls when the line is longer.
  sample_ = new QLineEdit(QStringLiteral("Sound Program 001 A"), this);
  sample_->setObjectName(QStringLiteral("sampleText"));
  preview_ = new QLabel;
  preview_->setObjectName(QStringLiteral("preview"));
  preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  previewArea_ = new QScrollArea(this);
  previewArea_->setObjectName(QStringLiteral("previewArea"));
  previewArea_->setWidget(preview_);
  previewArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(sample_, &QLineEdit::textChanged, this, &EditFontDialog::showPreview);

  auto* left = new QVBoxLayout;
  left->setSpacing(units.y(kGap));
  left->addWidget(list_, 1);
  left->addWidget(sample_);
  left->addWidget(previewArea_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(units.x(kMargin), units.y(kMargin), units.x(kMargin),
                             units.y(kMargin));
  layout->setSpacing(units.x(kGap));
  layout->addLayout(left, 1);
  layout->addWidget(column);
  showAllGlyphs();

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(import_, &QPushButton::clicked, this, &EditFontDialog::importPcFont);
  connect(save_, &QPushButton::clicked, this, &EditFontDialog::saveFontFile);
  connect(load_, &QPushButton::clicked, this, &EditFontDialog::loadFontFile);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { activate(item->data(Qt::UserRole).toInt()); });
  connect(list_, &QListWidget::itemSelectionChanged, this, &EditFontDialog::updateSelectionActions);
  updateSelectionActions();
  // The layout's size, which no font changes; the user may make it larger.
  resize(units.size(kDialogWidth, kDialogHeight));
}

bool EditFontDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter on the list opens the character, as a double-click does; it does not end the dialog.
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentItem()) {
      activate(list_->currentItem()->data(Qt::UserRole).toInt());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void EditFontDialog::activate(int index) {
  // A second character editor is refused by the owner; nothing happens then.
  openCharacter_(index);
}

void EditFontDialog::importPcFont() {
  ImportFontDialog dialog(changeFont_, importSettings_, rows_, prompts_, this);
  dialog.exec();
}

void EditFontDialog::saveFontFile() {
  const std::optional<QString> path = prompts_.saveFile(this, FontFileSaveChooser(), {});
  if (!path) return;
  const Status saved = SaveFontFile(CorePath(*path), glyphs_, model_, slot_);
  if (!saved) {
    prompts_.showFailure(nullptr, saved.failure());
  }
}

void EditFontDialog::loadFontFile() {
  const std::optional<QString> path = prompts_.openFile(this, FontFileOpenChooser(), {});
  if (!path) return;
  const Result<FontFileContents> loaded = LoadFontFile(CorePath(*path), kHomePageAddress);
  if (!loaded) {
    prompts_.showFailure(this, loaded.failure());
    return;
  }
  changeFont(loaded->glyphs);
}

void EditFontDialog::showGlyph(int index) {
  if (index < 0 || index >= list_->count()) return;
  const GlyphRecord& record = glyphs_[static_cast<std::size_t>(index)];
  list_->item(index)->setIcon(QIcon(GlyphPicture(record, rows_, iconColumns_, IconScale(rows_))));
}

void EditFontDialog::showAllGlyphs() {
  if (list_->gridSize().isEmpty()) fitListToSlot();
  for (int k = 0; k < list_->count(); ++k) showGlyph(k);
  showPreview();
}

// --- Additions ---

namespace {

const char kGlyphsMime[] = "application/x-zentavour-glyphs";
// The display's dark ink on its light background.
constexpr QRgb kDisplayInk = 0xFF1A2A1A;
constexpr QRgb kDisplayPaper = 0xFFB8C8A0;

}  // namespace

std::vector<int> EditFontDialog::selectedIndices() const {
  std::vector<int> indices;
  for (const QListWidgetItem* item : list_->selectedItems())
    indices.push_back(item->data(Qt::UserRole).toInt());
  std::sort(indices.begin(), indices.end());
  return indices;
}

QString EditFontDialog::previewText() const {
  return sample_->text();
}

void EditFontDialog::setPreviewText(const QString& text) {
  sample_->setText(text);
}

void EditFontDialog::showPreview() {
  if (!preview_) return;
  const InkLine line = SetTextInFont(glyphs_, rows_, sample_->text().toStdString());
  const QImage one = InkLineImage(line, 1, kDisplayInk, kDisplayPaper);
  const QImage two = InkLineImage(line, 2, kDisplayInk, kDisplayPaper);
  QImage both(std::max(one.width(), two.width()) + 8, one.height() + two.height() + 12,
              QImage::Format_RGB32);
  both.fill(kDisplayPaper);
  QPainter painter(&both);
  painter.drawImage(4, 4, one);
  painter.drawImage(4, 8 + one.height(), two);
  painter.end();
  preview_->setPixmap(QPixmap::fromImage(both));
  preview_->resize(both.size());
  // The room is as tall as the two lines and a scroll bar, up to its most; a longer line
  // scrolls sideways and never widens the dialog.
  const int bar =
      previewArea_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, previewArea_);
  const int frame = 2 * previewArea_->frameWidth();
  previewArea_->setFixedHeight(
      std::min(both.height() + bar + frame, DialogUnits(this).y(kPreviewMostHeight)));
}

void EditFontDialog::exportSheet() {
  const std::optional<QString> path = prompts_.saveFile(this, FontSheetChooser(true), {});
  if (!path) return;
  if (const Status saved = ExportFontSheet(glyphs_, *FontSlotTable(model_, slot_), CorePath(*path));
      !saved)
    prompts_.showFailure(this, saved.failure());
}

void EditFontDialog::importSheet() {
  const std::optional<QString> path = prompts_.openFile(this, FontSheetChooser(false), {});
  if (!path) return;
  const Result<GlyphWorkSet> read =
      ImportFontSheet(CorePath(*path), glyphs_, *FontSlotTable(model_, slot_));
  if (!read) return prompts_.showFailure(this, read.failure());
  changeFont(*read);
}

void EditFontDialog::exportBdf() {
  const std::optional<QString> path = prompts_.saveFile(this, BdfFileChooser(true), {});
  if (!path) return;
  if (const Status saved = SaveBdfFile(CorePath(*path), glyphs_, model_, slot_); !saved)
    prompts_.showFailure(this, saved.failure());
}

void EditFontDialog::importBdf() {
  const std::optional<QString> path = prompts_.openFile(this, BdfFileChooser(false), {});
  if (!path) return;
  const Result<BdfFont> font = LoadBdfFile(CorePath(*path));
  if (!font) return prompts_.showFailure(this, font.failure());
  // The default adjustment fits the font's ascent into the slot, as the CLI does without --adjust.
  const BdfImport in = ImportBdfGlyphs(*font, glyphs_, rows_, std::nullopt);
  if (const auto warning = in.warning()) prompts_.showFailure(this, *warning);
  changeFont(in.glyphs);
}

void EditFontDialog::setWidth() {
  const std::vector<int> indices = selectedIndices();
  if (indices.empty()) return;
  const FontSlotEntry slot = *FontSlotTable(model_, slot_);
  const QString question =
      indices.size() == 1
          ? QStringLiteral("Width of the selected character:")
          : QStringLiteral("Width of the %1 selected characters:").arg(indices.size());
  const std::optional<int> width = prompts_.askNumber(
      this, QStringLiteral("Set Width"), question,
      glyphs_[static_cast<std::size_t>(indices.front())].width(), 0, MaxGlyphWidth(slot));
  if (!width) return;
  GlyphWorkSet changed = glyphs_;
  if (const Status set = SetGlyphWidths(changed, indices, *width, slot); !set)
    return prompts_.showFailure(this, set.failure());
  changeFont(changed);
}

void EditFontDialog::copyGlyphs() {
  const std::vector<CopiedGlyph> copied = CopyGlyphs(glyphs_, selectedIndices());
  if (copied.empty()) return;
  const Bytes bytes = EncodeCopiedGlyphs(copied, rows_);
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kGlyphsMime),
                QByteArray(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<qsizetype>(bytes.size())));
  // Paint programs take the copied characters as a picture, side by side.
  std::string text;
  for (const CopiedGlyph& glyph : copied) text.push_back(static_cast<char>(glyph.code));
  data->setImageData(
      InkLineImage(SetTextInFont(glyphs_, rows_, text), 1, qRgb(0, 0, 0), qRgb(255, 255, 255)));
  QGuiApplication::clipboard()->setMimeData(data);
}

void EditFontDialog::pasteGlyphs() {
  const std::vector<int> selected = selectedIndices();
  if (selected.empty()) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasFormat(QString::fromLatin1(kGlyphsMime))) return;
  const QByteArray raw = data->data(QString::fromLatin1(kGlyphsMime));
  const Result<std::vector<CopiedGlyph>> copied =
      DecodeCopiedGlyphs(ByteView(reinterpret_cast<const std::uint8_t*>(raw.constData()),
                                  static_cast<std::size_t>(raw.size())));
  if (!copied) return prompts_.showFailure(this, copied.failure());
  // Onto the first selected character and those after it; the selection then covers what
  // changed, from where it was.
  GlyphWorkSet pasted = glyphs_;
  const std::vector<int> changed = PasteGlyphs(pasted, *copied, selected.front());
  if (changed.empty()) return;
  changeFont(pasted);
  list_->clearSelection();
  list_->setCurrentRow(changed.front(), QItemSelectionModel::NoUpdate);
  for (int index : changed) list_->item(index)->setSelected(true);
}

void EditFontDialog::updateSelectionActions() {
  const bool any = !list_->selectedItems().isEmpty();
  for (QAction* action : selectionActions_) action->setEnabled(any);
}

void EditFontDialog::fitListToSlot() {
  // Every icon is as wide as the slot's widest glyph: the list keeps its layout whatever the
  // glyphs' widths, and every glyph the slot can hold is shown whole.
  const std::optional<FontSlotEntry> entry = FontSlotTable(model_, slot_);
  iconColumns_ = entry ? SlotColumns(*entry) : 8;
  const int scale = IconScale(rows_);
  const QSize icon((iconColumns_ + 2) * scale, (rows_ + 2) * scale);
  list_->setIconSize(icon);

  // One cell per character: its picture, then the character itself with a little air.
  const QFontMetrics metrics = list_->fontMetrics();
  int character = 0;
  for (int code = kFirstGlyphCode; code < kFirstGlyphCode + kGlyphCount; ++code) {
    character = std::max(character, metrics.horizontalAdvance(QChar(static_cast<char16_t>(code))));
  }
  const int air = metrics.averageCharWidth();
  const QSize cell(icon.width() + character + 3 * air,
                   std::max(icon.height(), metrics.height()) + 6);
  list_->setGridSize(cell);

  // The characters run down the columns and the list scrolls sideways, as a list in list
  // mode does; it never asks the dialog for more room than its layout gives it.
}

}  // namespace zentavour
