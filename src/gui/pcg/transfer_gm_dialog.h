#pragma once

#include <QDialog>
#include <vector>

#include "core/pcg/gm_transfer.h"

class QComboBox;
class QPushButton;

namespace zentavour {

class ApplicationState;
struct PcgIndex;

enum class TransferGmControl : int {
  ProgramBank = 1162,
  GmBank = 1011,
  Transfer = 1163,
  Cancel = 2,
};

// "Transfer Program Bank to GM Bank": replaces a GM bank of the open OS images with a program
// bank of the PCG file. Only the images in memory change; the OS files change when the user
// saves them on closing the set.
class TransferGmDialog : public QDialog {
  Q_OBJECT

 public:
  // The program banks come from the application's open PCG file.
  TransferGmDialog(ApplicationState& state, QWidget* parent);

  QComboBox* programBankList() const { return programBanks_; }
  QComboBox* gmBankList() const { return gmBanks_; }
  QPushButton* transferButton() const { return transfer_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  void transfer();

  ApplicationState& state_;
  const PcgIndex& index_;
  std::vector<TransferSourceEntry> sources_;
  QComboBox* programBanks_;
  QComboBox* gmBanks_;
  QPushButton* transfer_;
  QPushButton* cancel_;
};

}  // namespace zentavour
