#pragma once

#include <QDialog>
#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidgetItem;
class QPushButton;

namespace zentavour {

class ApplicationState;
class BankList;
struct PcgIndex;

// The browser's controls by their ids; each widget's objectName is "control<id>".
enum class PcgFileControl : int {
  List = 1060,
  ProgramBox = 1065,
  CategoryBox = 1064,
  Logo = 1079,
  ProgBankToGmBank = 1072,
  SortByCategory = 1074,
  SwapBanks = 1075,
  AuditionProgram = 1076,
  ConvertToOrvaneFormat = 1078,
};

// Bank button ids: program banks A-F and combination banks A-E, indexed by bank number.
inline constexpr std::array<int, 6> kProgramBankButtonIds{1040, 1036, 1038, 1039, 1041, 1046};
inline constexpr std::array<int, 5> kCombinationBankButtonIds{1042, 1037, 1043, 1044, 1045};

// "PCG File": the open PCG file one bank at a time, with the number and category of the item
// under the pointer. It shows the application's PCG index and never changes it; closing the
// dialog is the signal for its owner to release the file.
class PcgFileDialog : public QDialog {
  Q_OBJECT

 public:
  PcgFileDialog(ApplicationState& state, QWidget* owner);

  QPushButton* programBankButton(int bank) const { return programButtons_[bank]; }
  QPushButton* combinationBankButton(int bank) const { return combinationButtons_[bank]; }
  BankList* list() const { return list_; }
  QLineEdit* programBox() const { return programBox_; }
  QLineEdit* categoryBox() const { return categoryBox_; }
  QLabel* logo() const { return logo_; }
  QPushButton* transferButton() const { return transfer_; }

  // The bank last chosen (0-4) and whether it is a combination bank.
  int currentBank() const { return currentBank_; }
  bool listsCombinations() const { return listsCombinations_; }

  // Enables "Prog Bank to GM Bank" exactly when the file has programs and fits the open OS
  // file set's model.
  void updateTransferButton();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 signals:
  // A program of the listed program bank was double-clicked or chosen with Enter.
  void programActivated(int bank, int program);

 private:
  QPushButton* addBankButton(int id, std::size_t bank, QButtonGroup* group);
  void showProgramBank(int bank);
  void showCombinationBank(int bank);
  void itemHovered(QListWidgetItem* item);
  void itemActivated(QListWidgetItem* item);
  void runTransfer();

  ApplicationState& state_;
  const PcgIndex& index_;
  std::array<QPushButton*, 6> programButtons_{};
  std::array<QPushButton*, 5> combinationButtons_{};
  BankList* list_;
  QLineEdit* programBox_;
  QLineEdit* categoryBox_;
  QLabel* logo_;
  QPushButton* transfer_;
  int currentBank_ = 0;
  bool listsCombinations_ = false;
  bool listShown_ = false;
};

}  // namespace zentavour
