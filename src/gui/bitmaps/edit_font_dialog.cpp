#include "gui/bitmaps/edit_font_dialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/bitmaps/font_file.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "gui/common/web_links.h"
#include "gui/bitmaps/glyph_rendering.h"
#include "gui/bitmaps/import_font_dialog.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

// Small fonts are shown doubled so that their pixels can be told apart.
int IconScale(int rows) {
  return rows <= 10 ? 2 : 1;
}

}  // namespace

EditFontDialog::EditFontDialog(GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot,
                               int rows, FontImportSettings& importSettings, Prompts& prompts,
                               std::function<void(int index)> openCharacter, QWidget* parent)
    : QDialog(parent),
      glyphs_(glyphs),
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

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("control1166"));
  list_->setViewMode(QListView::ListMode);
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformItemSizes(true);
  list_->setSpacing(1);
  list_->setMinimumSize(250, 300);
  list_->installEventFilter(this);
  for (int k = 0; k < kGlyphCount; ++k) {
    auto* item = new QListWidgetItem(QString(QChar(static_cast<char16_t>(kFirstGlyphCode + k))));
    item->setData(Qt::UserRole, k);
    list_->addItem(item);
  }
  showAllGlyphs();

  auto makeButton = [this](int id, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(ControlName(id));
    return button;
  };
  ok_ = makeButton(1, QStringLiteral("OK"));
  cancel_ = makeButton(2, QStringLiteral("Cancel"));
  import_ = makeButton(3, QStringLiteral("Import PC Font"));
  save_ = makeButton(4, QStringLiteral("Save to Font File"));
  load_ = makeButton(5, QStringLiteral("Load Font File"));
  ok_->setDefault(true);
  for (QPushButton* button : {cancel_, import_, save_, load_}) button->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  buttons->addWidget(import_);
  buttons->addSpacing(16);
  buttons->addWidget(save_);
  buttons->addWidget(load_);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(import_, &QPushButton::clicked, this, &EditFontDialog::importPcFont);
  connect(save_, &QPushButton::clicked, this, &EditFontDialog::saveFontFile);
  connect(load_, &QPushButton::clicked, this, &EditFontDialog::loadFontFile);
  connect(list_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { activate(item->data(Qt::UserRole).toInt()); });
  resize(420, 360);
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
  ImportFontDialog dialog(glyphs_, importSettings_, rows_, prompts_, this);
  dialog.exec();
  showAllGlyphs();
}

void EditFontDialog::saveFontFile() {
  const std::optional<QString> path = prompts_.saveFile(this, FontFileSaveChooser(), {});
  if (!path) return;
  const Status saved = SaveFontFile(QFile::encodeName(*path).toStdString(), glyphs_, model_, slot_);
  if (!saved) {
    prompts_.showFailure(nullptr, saved.failure());
  }
}

void EditFontDialog::loadFontFile() {
  const std::optional<QString> path = prompts_.openFile(this, FontFileOpenChooser(), {});
  if (!path) return;
  const Result<FontFileContents> loaded =
      LoadFontFile(QFile::encodeName(*path).toStdString(), kHomePageAddress);
  if (!loaded) {
    prompts_.showFailure(this, loaded.failure());
    return;
  }
  glyphs_ = loaded->glyphs;
  showAllGlyphs();
}

void EditFontDialog::showGlyph(int index) {
  if (index < 0 || index >= list_->count()) return;
  const GlyphRecord& record = glyphs_[static_cast<std::size_t>(index)];
  list_->item(index)->setIcon(QIcon(GlyphPicture(record, rows_, iconColumns_, IconScale(rows_))));
}

void EditFontDialog::showAllGlyphs() {
  // Every icon of the list is as wide as the widest glyph, so the characters line up.
  int widest = 1;
  for (const GlyphRecord& record : glyphs_) {
    widest = std::max(widest, std::min<int>(record.width(), GlyphBytesPerRow(record.width()) * 8));
  }
  iconColumns_ = std::min(widest, 24);
  const int scale = IconScale(rows_);
  list_->setIconSize(QSize((iconColumns_ + 2) * scale, (rows_ + 2) * scale));
  for (int k = 0; k < list_->count(); ++k) showGlyph(k);
}

}  // namespace zentavour
