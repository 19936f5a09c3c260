#pragma once

#include <QDialog>

#include "core/osfiles/os_image_layout.h"

class QListWidget;
class QPushButton;

namespace zentavour {

class BitmapEditors;

// "Edit Font": the 95 characters of one font of the open OS file set, each with its bitmap as
// it stands. Activating a character opens "Character Edit" on it; the font can be replaced by a
// PC font, saved to and loaded from the program's font file. The caller writes the font back
// into the OS image when the dialog is accepted; Cancel drops every change.
class EditFontDialog : public QDialog {
  Q_OBJECT

 public:
  EditFontDialog(BitmapEditors& editors, FontSlot slot, const FontSlotEntry& entry,
                 QWidget* parent);

  QListWidget* list() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* importButton() const { return import_; }
  QPushButton* saveButton() const { return save_; }
  QPushButton* loadButton() const { return load_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void activate(int index);
  void importPcFont();
  void saveFontFile();
  void loadFontFile();
  void showGlyph(int index);
  void showAllGlyphs();
  void fitListToSlot();

  BitmapEditors& editors_;
  FontSlot slot_;
  FontSlotEntry entry_;
  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* import_;
  QPushButton* save_;
  QPushButton* load_;
  int iconColumns_ = 8;
};

}  // namespace zentavour
