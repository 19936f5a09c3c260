#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "core/bitmaps/glyph_work_set.h"
#include "core/osfiles/os_image_layout.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;

namespace zentavour {

class Prompts;
struct FontImportSettings;

// "Edit Font": the 95 characters of one font of the open OS file set, each with its bitmap as
// it stands. Activating a character asks openCharacter to open "Character Edit" on it; the font
// can be replaced by a PC font, saved to and loaded from the program's font file. The dialog
// reads the font being edited and hands every change to changeFont, whose owner writes it and
// has the dialog show it again (showAllGlyphs); the owner writes the font back into the OS image
// when the dialog is accepted, and Cancel drops every change.
//
// The dialog keeps its layout size whatever the font: the list scrolls sideways and the preview
// scrolls within its room, so OK and Cancel stay where the layout puts them on any screen.
class EditFontDialog : public QDialog {
  Q_OBJECT

 public:
  using ChangeFont = std::function<void(const GlyphWorkSet& glyphs)>;

  // glyphs: the font of slot of the model's image, rows rows high.
  EditFontDialog(const GlyphWorkSet& glyphs, ChangeFont changeFont, WorkstationModel model,
                 FontSlot slot, int rows, FontImportSettings& importSettings, Prompts& prompts,
                 std::function<void(int index)> openCharacter, QWidget* parent);

  QListWidget* list() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* importButton() const { return import_; }
  QPushButton* saveButton() const { return save_; }
  QPushButton* loadButton() const { return load_; }

  // Shows every character as the font now stands (a character editor stored one).
  void showAllGlyphs();

  // --- Additions: exchange with other programs, widths by number, copy and paste, preview ---
  QPushButton* moreButton() const { return more_; }
  QLineEdit* sampleText() const { return sample_; }
  QLabel* preview() const { return preview_; }
  QScrollArea* previewArea() const { return previewArea_; }
  QAction* pasteAction() const { return paste_; }
  // The sample line the preview shows; the owner keeps it between runs.
  QString previewText() const;
  void setPreviewText(const QString& text);
  // The selected characters' indices (0 to 94), in order.
  std::vector<int> selectedIndices() const;
  void exportSheet();
  void importSheet();
  void exportBdf();
  void importBdf();
  void setWidth();
  void copyGlyphs();
  void pasteGlyphs();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void activate(int index);
  void importPcFont();
  void saveFontFile();
  void loadFontFile();
  void showGlyph(int index);
  void fitListToSlot();
  void updateSelectionActions();
  void changeFont(const GlyphWorkSet& glyphs) { changeFont_(glyphs); }

  const GlyphWorkSet& glyphs_;
  ChangeFont changeFont_;
  WorkstationModel model_;
  FontSlot slot_;
  int rows_;
  FontImportSettings& importSettings_;
  Prompts& prompts_;
  std::function<void(int)> openCharacter_;
  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* import_;
  QPushButton* save_;
  QPushButton* load_;
  int iconColumns_ = 8;
  QPushButton* more_ = nullptr;
  QLineEdit* sample_ = nullptr;
  QLabel* preview_ = nullptr;
  QScrollArea* previewArea_ = nullptr;
  std::vector<QAction*> selectionActions_;
  QAction* paste_ = nullptr;
  void showPreview();
};

}  // namespace zentavour
