#include "gui/bitmaps/bitmap_editors.h"

#include "gui/common/application_state.h"
#include "gui/bitmaps/edit_font_dialog.h"
#include "gui/bitmaps/edit_startup_dialog.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"

namespace zentavour {
BitmapEditors::BitmapEditors(ApplicationState& state, QObject* parent)
    : QObject(parent), state_(state) {
  connect(&state_, &ApplicationState::osFilesChanged, this,
          &BitmapEditors::closeEditorsOfOtherSets);
}

BitmapEditors::~BitmapEditors() {
  // The editors are top-level windows of their own; they must not outlive what they write to.
  for (PixelEditorWindow* editor : {characterEditor_.data(), graphicEditor_.data()}) {
    if (editor) {
      editor->abandon();
      delete editor;
    }
  }
}

bool BitmapEditors::stillOnSet(std::uint64_t generation) const {
  return state_.osFiles().isOpen() && state_.osFilesGeneration() == generation;
}

void BitmapEditors::closeEditorsOfOtherSets() {
  if (characterEditor_ && !stillOnSet(characterGeneration_)) characterEditor_->abandon();
  if (graphicEditor_ && !stillOnSet(graphicGeneration_)) graphicEditor_->abandon();
}

void BitmapEditors::editFont(FontSlot slot, QWidget* owner) {
  const OsFileSet& set = state_.osFiles();
  if (!set.isOpen()) return;
  const WorkstationModel model = set.model;
  const std::optional<FontSlotEntry> entry = FontSlotTable(model, slot);
  if (!entry) return;
  Result<GlyphWorkSet> loaded = LoadGlyphWorkSet(set.ExtImage, model, slot);
  if (!loaded) {
    state_.prompts().showFailure(owner, loaded.failure());
    return;
  }
  glyphs_ = *loaded;
  const std::uint64_t generation = state_.osFilesGeneration();

  const int rows = entry->rows;
  EditFontDialog dialog(
      glyphs_, [this](const GlyphWorkSet& changed) { replaceFont(changed); }, model, slot, rows,
      importSettings_, state_.prompts(),
      [this, rows](int index) { openCharacterEditor(index, rows); }, owner);
  connect(this, &BitmapEditors::fontChanged, &dialog, &EditFontDialog::showAllGlyphs);
  if (dialog.exec() != QDialog::Accepted || !stillOnSet(generation)) return;
  const Status stored = state_.applyOsEdit(FontEditName(slot), [&](OsFileSet& open) {
    return StoreGlyphWorkSet(glyphs_, open.ExtImage, open.model, slot);
  });
  if (!stored) state_.prompts().showFailure(owner, stored.failure());
}

void BitmapEditors::replaceFont(const GlyphWorkSet& glyphs) {
  glyphs_ = glyphs;
  emit fontChanged();
}

void BitmapEditors::editStartupGraphics(QWidget* owner) {
  if (!state_.osFiles().isOpen()) return;
  EditStartupDialog dialog(*this, state_.osFiles().model, owner);
  dialog.exec();
}

PixelEditorWindow* BitmapEditors::openCharacterEditor(int index, int rows) {
  if (characterEditor_ || index < 0 || index >= kGlyphCount) return nullptr;
  const std::uint64_t generation = state_.osFilesGeneration();
  auto commit = [this, index, generation](const PixelEditor& editor) {
    if (!stillOnSet(generation)) return;
    editor.PackInto(glyphs_[static_cast<std::size_t>(index)]);
    emit fontChanged();
  };
  characterEditor_ =
      new PixelEditorWindow(PixelEditor::ForGlyph(glyphs_[static_cast<std::size_t>(index)], rows),
                            commit, state_.prompts());
  characterGeneration_ = generation;
  // A closed editor no longer counts as open, even before the window is deleted.
  connect(characterEditor_, &PixelEditorWindow::finished, this,
          [this] { characterEditor_.clear(); });
  characterEditor_->show();
  return characterEditor_;
}

PixelEditorWindow* BitmapEditors::openGraphicEditor(const StartupGraphicEntry& entry,
                                                    QWidget* messageOwner) {
  if (graphicEditor_ || !state_.osFiles().isOpen()) return nullptr;
  const GraphicTarget target = GraphicTarget::From(entry);
  Result<PixelEditor> editor = PixelEditor::ForGraphic(state_.osFiles().ExtImage, target);
  if (!editor) {
    state_.prompts().showFailure(messageOwner, editor.failure());
    return nullptr;
  }
  const std::uint64_t generation = state_.osFilesGeneration();
  auto commit = [this, generation, name = StartupGraphicEditName(entry.label)](
                    const PixelEditor& edited) {
    // Only into the set the picture came from; that set's images are still there.
    if (!stillOnSet(generation)) return;
    const Status packed = state_.applyOsEdit(
        name, [&](OsFileSet& open) { return edited.PackInto(open.ExtImage); });
    if (!packed) {
      state_.prompts().showFailure(nullptr, packed.failure());
    }
  };
  graphicEditor_ = new PixelEditorWindow(std::move(*editor), commit, state_.prompts());
  graphicGeneration_ = generation;
  connect(graphicEditor_, &PixelEditorWindow::finished, this, [this] { graphicEditor_.clear(); });
  graphicEditor_->show();
  return graphicEditor_;
}

}  // namespace zentavour
