#include "gui/pcg/pcg_file_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/pcg/gm_transfer.h"
#include "core/pcg/pcg_index.h"
#include "core/pcg/program_edit_fields.h"
#include "core/pcg/program_tables.h"
#include "gui/common/application_state.h"
#include "gui/common/dialog_units.h"
#include "gui/common/text.h"
#include "gui/pcg/bank_list.h"
#include "gui/pcg/model_logo.h"
#include "gui/pcg/transfer_gm_dialog.h"

namespace zentavour {
namespace {

QLineEdit* ReadOnlyBox(QWidget* parent, PcgFileControl control, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(ControlName(static_cast<int>(control)));
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  box->setFixedWidth(width);
  return box;
}

// In dialog units: the client area's size, and the frame's place in the owner's client area.
constexpr QSize kLayoutSize(382, 378);
constexpr QPoint kLayoutPlace(120, 0);

}  // namespace

PcgFileDialog::PcgFileDialog(ApplicationState& state, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      state_(state),
      index_(state.pcgIndex()) {
  setObjectName(QStringLiteral("PCGFile"));
  setWindowTitle(QStringLiteral("PCG File"));
  setModal(false);

  // One group for all eleven buttons: a bank of either kind is listed at a time.
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  auto* programBox = new QGroupBox(QStringLiteral("Program Banks"), this);
  auto* programRow = new QHBoxLayout(programBox);
  for (std::size_t bank = 0; bank < programButtons_.size(); ++bank) {
    programButtons_[bank] = addBankButton(kProgramBankButtonIds[bank], bank, group);
    programRow->addWidget(programButtons_[bank]);
  }
  auto* combinationBox = new QGroupBox(QStringLiteral("Combination Banks"), this);
  auto* combinationRow = new QHBoxLayout(combinationBox);
  for (std::size_t bank = 0; bank < combinationButtons_.size(); ++bank) {
    combinationButtons_[bank] = addBankButton(kCombinationBankButtonIds[bank], bank, group);
    combinationRow->addWidget(combinationButtons_[bank]);
  }
  combinationRow->addStretch(1);

  logo_ = new QLabel(this);
  logo_->setObjectName(ControlName(static_cast<int>(PcgFileControl::Logo)));
  logo_->setPixmap(ModelLogo(index_.modelCode, devicePixelRatioF()));
  logo_->setFixedSize(kModelLogoSize);
  logo_->setProperty("logoResource", ModelLogoResource(index_.modelCode));

  list_ = new BankList(this);
  list_->setObjectName(ControlName(static_cast<int>(PcgFileControl::List)));

  const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("Woodwind/Reed")) + 24;
  programBox_ = ReadOnlyBox(this, PcgFileControl::ProgramBox, boxWidth / 2);
  categoryBox_ = ReadOnlyBox(this, PcgFileControl::CategoryBox, boxWidth);
  auto* programLabel = new QLabel(QStringLiteral("Program"), this);
  programLabel->setBuddy(programBox_);
  auto* categoryLabel = new QLabel(QStringLiteral("Category"), this);
  categoryLabel->setBuddy(categoryBox_);

  transfer_ = new QPushButton(QStringLiteral("Prog Bank to GM Bank"), this);
  transfer_->setObjectName(ControlName(static_cast<int>(PcgFileControl::ProgBankToGmBank)));
  transfer_->setEnabled(false);
  transfer_->setAutoDefault(false);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(programLabel);
  bottom->addWidget(programBox_);
  bottom->addSpacing(12);
  bottom->addWidget(categoryLabel);
  bottom->addWidget(categoryBox_);
  bottom->addStretch(1);
  // Buttons whose actions the file browser does not have: made, never shown.
  const std::pair<PcgFileControl, const char*> hidden[] = {
      {PcgFileControl::SortByCategory, "Sort By Category"},
      {PcgFileControl::SwapBanks, "Swap Banks"},
      {PcgFileControl::AuditionProgram, "Audition Program"},
      {PcgFileControl::ConvertToOrvaneFormat, "Convert to Orvane Format"}};
  for (const auto& [control, text] : hidden) {
    auto* button = new QPushButton(QLatin1String(text), this);
    button->setObjectName(ControlName(static_cast<int>(control)));
    button->setEnabled(false);
    button->hide();
    bottom->addWidget(button);
  }
  bottom->addWidget(transfer_);

  auto* banks = new QVBoxLayout;
  banks->addWidget(programBox);
  banks->addWidget(combinationBox);
  auto* top = new QHBoxLayout;
  top->addLayout(banks, 1);
  top->addSpacing(6);
  top->addWidget(logo_, 0, Qt::AlignTop | Qt::AlignRight);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);

  connect(list_, &QListWidget::itemEntered, this, &PcgFileDialog::itemHovered);
  connect(list_, &QListWidget::itemActivated, this, &PcgFileDialog::itemActivated);
  connect(transfer_, &QPushButton::clicked, this, &PcgFileDialog::runTransfer);
  connect(&state_, &ApplicationState::osFilesChanged, this, &PcgFileDialog::updateTransferButton);

  // Only banks read whole from the file have a button to press; bank F never has one.
  for (std::size_t bank = 0; bank < kPcgBanksPerKind; ++bank) {
    programButtons_[bank]->setEnabled(index_.programBankLoaded[bank]);
    combinationButtons_[bank]->setEnabled(index_.combinationBankLoaded[bank]);
    connect(programButtons_[bank], &QPushButton::clicked, this,
            [this, bank] { showProgramBank(static_cast<int>(bank)); });
    connect(combinationButtons_[bank], &QPushButton::clicked, this,
            [this, bank] { showCombinationBank(static_cast<int>(bank)); });
  }
  programButtons_[5]->setEnabled(false);
  updateTransferButton();

  // The window's layout size, beside the OS Data panel so that the panel and the menu stay
  // in reach.
  const DialogUnits units(this);
  resize(units.size(kLayoutSize.width(), kLayoutSize.height()));
  PlaceInClientArea(this, owner, kLayoutPlace);
  list_->setFocus();
}

QPushButton* PcgFileDialog::addBankButton(int id, std::size_t bank, QButtonGroup* group) {
  auto* button = new QPushButton(
      QStringLiteral("Bank %1").arg(QChar(static_cast<char16_t>(u'A' + bank))), this);
  button->setObjectName(ControlName(id));
  ShowAsBankButton(button);
  button->setAutoDefault(false);
  button->setEnabled(false);
  group->addButton(button, id);
  return button;
}

void PcgFileDialog::keyPressEvent(QKeyEvent* event) {
  // The browser has no default button: Enter presses the button that has the focus and
  // otherwise does nothing (the list takes Enter for its items itself).
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) {
      button->click();
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void PcgFileDialog::updateTransferButton() {
  transfer_->setEnabled(CanTransferProgramBank(index_, state_.osFiles().model));
}

void PcgFileDialog::showProgramBank(int bank) {
  if (bank < 0 || bank >= static_cast<int>(kPcgBanksPerKind) || !index_.programs) return;
  currentBank_ = bank;
  listsCombinations_ = false;
  listShown_ = true;
  list_->showNames(BankNames((*index_.programs)[static_cast<std::size_t>(bank)]));
  list_->setFocus();
}

void PcgFileDialog::showCombinationBank(int bank) {
  if (bank < 0 || bank >= static_cast<int>(kPcgBanksPerKind) || !index_.combinations) return;
  currentBank_ = bank;
  listsCombinations_ = true;
  listShown_ = true;
  list_->showNames(BankNames((*index_.combinations)[static_cast<std::size_t>(bank)]));
  list_->setFocus();
}

void PcgFileDialog::itemHovered(QListWidgetItem* item) {
  if (!item || !listShown_) return;
  const int number = list_->row(item);
  if (number < 0 || number >= BankList::kBankSize) return;
  const auto bank = static_cast<std::size_t>(currentBank_);
  const auto slot = static_cast<std::size_t>(number);
  programBox_->setText(QString::number(number));
  if (listsCombinations_) {
    // A combination carries its own category; show that rather than a program's.
    const CombinationSlot& combination = (*index_.combinations)[bank][slot];
    categoryBox_->setText(Str(TableName(CategoryNames(), combination.category())));
  } else {
    categoryBox_->setText(Str(ProgramCategoryName((*index_.programs)[bank][slot])));
  }
}

void PcgFileDialog::itemActivated(QListWidgetItem* item) {
  // Only programs have a Program Edit view.
  if (!item || !listShown_ || listsCombinations_) return;
  const int row = list_->row(item);
  if (row < 0 || row >= BankList::kBankSize) return;
  const ProgramSlot& slot =
      (*index_.programs)[static_cast<std::size_t>(currentBank_)][static_cast<std::size_t>(row)];
  emit programActivated(currentBank_, slot.number());
}

void PcgFileDialog::runTransfer() {
  // The button follows the OS file set, but check again: the set may have changed meanwhile.
  if (!CanTransferProgramBank(index_, state_.osFiles().model)) {
    updateTransferButton();
    return;
  }
  TransferGmDialog dialog(state_, this);
  dialog.exec();
}

}  // namespace zentavour
