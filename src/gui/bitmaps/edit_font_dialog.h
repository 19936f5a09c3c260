#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "core/bitmaps/glyph_work_set.h"
#include "core/osfiles/os_image_layout.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zentavour {

class Prompts;
struct FontImportSettings;

// "Edit Font": the 95 characters of one font of the open OS file set, each with its bitmap as
// it stands. Activating a character asks openCharacter to open "Character Edit" on it; the font
// can be replaced by a PC font, saved to and loaded from the program's font file. The dialog
// works on glyphs; the caller writes them back into the OS image when the dialog is accepted,
// and Cancel drops every change.
class EditFontDialog : public QDialog {
  Q_OBJECT

 public:
  // glyphs: the font of slot of the model's image, rows rows high.
  EditFontDialog(GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot, int rows,
                 FontImportSettings& importSettings, Prompts& prompts,
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

  GlyphWorkSet& glyphs_;
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
  void showPreview();
};

}  // namespace zentavour
