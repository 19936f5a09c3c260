#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>

#include "core/bitmaps/glyph_work_set.h"
#include "core/osfiles/os_image_layout.h"
#include "gui/bitmaps/import_font_dialog.h"
#include "gui/bitmaps/pixel_editor_window.h"

class QWidget;

namespace zentavour {

class ApplicationState;

// Everything of the bitmap editing that outlives one dialog: the font being edited, the one
// character editor and the one graphic editor that may be open, and what the font import
// remembers. The main window owns one and hands the OS Data panel's requests to it.
//
// Each pixel editor works on its own grid and is bound to the OS file set it was opened on:
// when that set is closed or replaced, the editor closes without writing anything, so an edit
// never lands in another set's images or in images that are gone.
class BitmapEditors : public QObject {
  Q_OBJECT

 public:
  explicit BitmapEditors(ApplicationState& state, QObject* parent = nullptr);
  ~BitmapEditors() override;

  // "Edit Large Font" and its neighbours: "Edit Font" on the slot of the open set, modally.
  void editFont(FontSlot slot, QWidget* owner);
  // "Edit Startup Graphics": "Edit Startup " on the open set's pictures, modally.
  void editStartupGraphics(QWidget* owner);

  // The font being edited: filled when "Edit Font" opens, written back by its OK. Only this
  // object writes it: Edit Font and its imports hand their changes to replaceFont, a character
  // editor's OK stores its glyph here; each change is signalled with fontChanged.
  const GlyphWorkSet& glyphs() const { return glyphs_; }
  void replaceFont(const GlyphWorkSet& glyphs);

  // Opens "Character Edit" on glyph index for a slot of `rows` rows. Returns null, opening
  // nothing, while a character editor is open.
  PixelEditorWindow* openCharacterEditor(int index, int rows);
  // Opens "Startup Graphic Edit Menu" on a picture of the open set. Returns null, opening
  // nothing, while a graphic editor is open or when the picture is not in the image.
  PixelEditorWindow* openGraphicEditor(const StartupGraphicEntry& entry, QWidget* messageOwner);

  // The open set's images, for exports and previews.
  const ApplicationState& state() const { return state_; }

  PixelEditorWindow* characterEditor() const { return characterEditor_; }
  PixelEditorWindow* graphicEditor() const { return graphicEditor_; }

 signals:
  // The font being edited changed: a character editor stored its glyph, or Edit Font replaced
  // glyphs.
  void fontChanged();

 private:
  void closeEditorsOfOtherSets();
  bool stillOnSet(std::uint64_t generation) const;

  ApplicationState& state_;
  GlyphWorkSet glyphs_{};
  FontImportSettings importSettings_;
  QPointer<PixelEditorWindow> characterEditor_;
  QPointer<PixelEditorWindow> graphicEditor_;
  std::uint64_t characterGeneration_ = 0;
  std::uint64_t graphicGeneration_ = 0;
};

}  // namespace zentavour
