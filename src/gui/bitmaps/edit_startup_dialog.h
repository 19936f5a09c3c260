#pragma once

#include <QDialog>

#include "core/osfiles/workstation_model.h"

class QListWidget;
class QPushButton;

namespace zentavour {

class BitmapEditors;

// "Edit Startup ": the startup pictures of the open set's model; activating one opens
// "Startup Graphic Edit Menu" on it. Each graphic editor writes its own result when it closes,
// so OK only ends the dialog.
class EditStartupDialog : public QDialog {
  Q_OBJECT

 public:
  EditStartupDialog(BitmapEditors& editors, WorkstationModel model, QWidget* parent);

  QListWidget* list() const { return list_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  // Additions: the selected picture saved as a one-bit BMP or a PNG, as the CLI writes them;
  // each item shows its picture at 1:1.
  QPushButton* exportButton() const { return export_; }
  void exportPicture(bool png);
  void showPictures();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void activate(int item);

  BitmapEditors& editors_;
  WorkstationModel model_;
  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* export_ = nullptr;
};

}  // namespace zentavour
