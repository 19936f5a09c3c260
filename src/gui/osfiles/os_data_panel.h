#pragma once

#include <QWidget>

#include "core/osfiles/checksum_status.h"
#include "core/osfiles/os_image_layout.h"
#include "core/osfiles/workstation_model.h"

class QLabel;
class QPushButton;

namespace zentavour {

// The panel's controls by their ids; each widget's objectName is "control<id>".
enum class PanelControl : int {
  Open = 1017,
  StatusIcon = 1161,
  Close = 1016,
  ViewGmBanks = 1011,
  EditLargeFont = 1012,
  EditMediumFont = 1013,
  EditSmallFont = 1014,
  EditBoldFont = 1015,
  EditStartupGraphics = 1019,
};

// The small permanent "OS Data" panel: opens and closes the OS file set and starts the editors
// that work on it. It only asks for things through its signals; the main window decides.
class OsDataPanel : public QWidget {
  Q_OBJECT

 public:
  explicit OsDataPanel(QWidget* parent = nullptr);

  // Enables the buttons for an open set of the model, or for no set (None).
  void showState(WorkstationModel openModel);
  // The checksum line under the buttons: whether each EXT file's stored checksum, its copy in
  // SYSINFO and the computed sum agree; the three values per file in its tooltip.
  void showChecksums(WorkstationModel openModel, const SetChecksumStatus& status);
  QLabel* checksumLine() const { return checksumLine_; }

  QPushButton* button(PanelControl control) const;
  QLabel* statusIcon() const { return statusIcon_; }
  // True while the status icon shows an open set.
  bool showsOpenSet() const { return showsOpenSet_; }

  QSize sizeHint() const override;

 signals:
  void openRequested();
  void closeRequested();
  void viewGmBanksRequested();
  void editFontRequested(zentavour::FontSlot slot);
  void editStartupGraphicsRequested();

 private:
  QPushButton* addButton(PanelControl control, const QString& text);

  QLabel* statusIcon_;
  QLabel* checksumLine_;
  bool showsOpenSet_ = false;
};

}  // namespace zentavour
