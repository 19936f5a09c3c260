#pragma once

#include <QDialog>

#include "core/osfiles/os_file_set.h"
#include "core/osfiles/workstation_model.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zentavour {

class ApplicationState;

// "Load OS Files": the user states the model, picks its files through Browse and presses OK.
// Every step is the core's; the dialog shows the state and the messages. Paths and model are
// remembered in the application's OS file choice for the next opening; the loaded set is
// handed to the application state, which makes it the open one.
class LoadOsFilesDialog : public QDialog {
  Q_OBJECT

 public:
  LoadOsFilesDialog(ApplicationState& state, QWidget* parent);

  QRadioButton* radioButton(WorkstationModel model) const;
  QLineEdit* pathField(OsFileRole role) const;
  QPushButton* browseButton(OsFileRole role) const;
  QLabel* hint() const { return hint_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 public slots:
  // Cancel, Escape and the close box: nothing is loaded, handles left by a stopped OK closed.
  void reject() override;

 private:
  void modelClicked(WorkstationModel model);
  void browse(OsFileRole role);
  void pressOk();
  void showPaths();
  void showModel(WorkstationModel model);

  ApplicationState& state_;
  QLabel* hint_;
  QLineEdit* sysinfoField_;
  QLineEdit* extField_;
  QLineEdit* ext2Field_;
  QPushButton* sysinfoBrowse_;
  QPushButton* extBrowse_;
  QPushButton* ext2Browse_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace zentavour
