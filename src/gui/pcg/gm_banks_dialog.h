#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "core/programs/program_slot.h"

class QLineEdit;
class QListWidgetItem;
class QPushButton;

namespace zentavour {

class ApplicationState;
class BankList;

enum class GmBanksControl : int {
  GmBank1 = 1033,
  GmBank2 = 1032,
  Category = 1035,
  OscMode = 1037,
  List = 1059,
  Ok = 1,
  Cancel = 2,
};

// "GM Program Banks": the names of the open OS file set's GM banks, one bank at a time, with the
// category and oscillator mode of the program under the pointer. The list is filled when a bank
// is chosen and then keeps what it showed, even when the banks change or the set is closed.
class GmBanksDialog : public QDialog {
  Q_OBJECT

 public:
  GmBanksDialog(ApplicationState& state, QWidget* owner);

  QPushButton* bankButton(int gmBank) const { return gmBank == 2 ? bank2_ : bank1_; }
  BankList* list() const { return list_; }
  QLineEdit* categoryBox() const { return category_; }
  QLineEdit* oscModeBox() const { return oscMode_; }
  int currentBank() const { return currentBank_; }

 private:
  void showBank(int gmBank);
  void itemHovered(QListWidgetItem* item);
  void osFilesChanged();
  void osFilesEdited();

  ApplicationState& state_;
  // The set this window was opened on; a later set is not the one it shows.
  std::uint64_t generation_;
  bool hasBank2_;
  // The bank as it was when listed, so hovering always matches the names shown.
  std::unique_ptr<ProgramBank> shown_ = std::make_unique<ProgramBank>();
  int currentBank_ = 0;
  QPushButton* bank1_;
  QPushButton* bank2_;
  QLineEdit* category_;
  QLineEdit* oscMode_;
  BankList* list_;
};

// The text of the "Osc Mode" box for a program common block's mode bits; empty for mode 3.
QString OscillatorModeName(const ProgramSlot& slot);

}  // namespace zentavour
