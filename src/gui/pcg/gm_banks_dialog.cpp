#include "gui/pcg/gm_banks_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/osfiles/os_file_set.h"
#include "core/pcg/program_edit_fields.h"
#include "gui/common/application_state.h"
#include "gui/common/dialog_units.h"
#include "gui/common/text.h"
#include "gui/pcg/bank_list.h"

namespace zentavour {
namespace {

// In dialog units: the client area's size, and the frame's place in the owner's client area.
constexpr QSize kLayoutSize(234, 321);
constexpr QPoint kLayoutPlace(120, 0);

}  // namespace

QString OscillatorModeName(const ProgramSlot& slot) {
  const std::optional<int> mode = DecodeProgramEditFields(slot).oscillatorMode;
  return Str(OscillatorModeName(mode));
}

GmBanksDialog::GmBanksDialog(ApplicationState& state, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      state_(state),
      generation_(state.osFilesGeneration()),
      hasBank2_(state.osFiles().isOpen() && state.osFiles().hasGmBank2()) {
  setObjectName(QStringLiteral("GMBanks"));
  setWindowTitle(QStringLiteral("GM Program Banks"));
  setModal(false);

  auto* group = new QButtonGroup(this);
  auto makeBankButton = [this, group](GmBanksControl control, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(ControlName(static_cast<int>(control)));
    ShowAsBankButton(button);
    group->addButton(button);
    return button;
  };
  bank1_ = makeBankButton(GmBanksControl::GmBank1, QStringLiteral("GM Bank 1"));
  bank2_ = makeBankButton(GmBanksControl::GmBank2, QStringLiteral("GM Bank 2"));
  // The Orvane Mi has one GM bank only.
  bank2_->setEnabled(hasBank2_);

  auto makeBox = [this](GmBanksControl control) {
    auto* box = new QLineEdit(this);
    box->setObjectName(ControlName(static_cast<int>(control)));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("Woodwind/Reed")) + 24);
    return box;
  };
  category_ = makeBox(GmBanksControl::Category);
  oscMode_ = makeBox(GmBanksControl::OscMode);

  list_ = new BankList(this);
  list_->setObjectName(ControlName(static_cast<int>(GmBanksControl::List)));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)
      ->setObjectName(ControlName(static_cast<int>(GmBanksControl::Ok)));
  buttons->button(QDialogButtonBox::Cancel)
      ->setObjectName(ControlName(static_cast<int>(GmBanksControl::Cancel)));

  auto* top = new QGridLayout;
  top->addWidget(bank1_, 0, 0);
  top->addWidget(bank2_, 1, 0);
  top->setColumnMinimumWidth(1, 18);
  top->addWidget(new QLabel(QStringLiteral("Category"), this), 0, 2);
  top->addWidget(category_, 0, 3);
  top->addWidget(new QLabel(QStringLiteral("Osc Mode"), this), 1, 2);
  top->addWidget(oscMode_, 1, 3);
  top->setColumnStretch(4, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  connect(bank1_, &QPushButton::clicked, this, [this] { showBank(1); });
  connect(bank2_, &QPushButton::clicked, this, [this] { showBank(2); });
  connect(list_, &QListWidget::itemEntered, this, &GmBanksDialog::itemHovered);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(&state_, &ApplicationState::osFilesChanged, this, &GmBanksDialog::osFilesChanged);
  connect(&state_, &ApplicationState::osFilesEdited, this, &GmBanksDialog::osFilesEdited);

  showBank(1);

  // The window's layout size, beside the OS Data panel so that the panel and the menu stay
  // in reach.
  const DialogUnits units(this);
  resize(units.size(kLayoutSize.width(), kLayoutSize.height()));
  PlaceInClientArea(this, owner, kLayoutPlace);
}

void GmBanksDialog::showBank(int gmBank) {
  bankButton(gmBank)->setChecked(true);
  if (gmBank == currentBank_) return;
  const OsFileSet& set = state_.osFiles();
  // Only the set the window was opened on can be listed; its banks are gone once it closes.
  const bool available =
      set.isOpen() && state_.osFilesGeneration() == generation_ && (gmBank == 1 || hasBank2_);
  if (!available) {
    if (currentBank_ != 0) bankButton(currentBank_)->setChecked(true);
    return;
  }
  currentBank_ = gmBank;
  *shown_ = gmBank == 1 ? *set.gmBank1 : *set.gmBank2;
  list_->showNames(BankNames(*shown_));
  list_->setFocus();
}

void GmBanksDialog::itemHovered(QListWidgetItem* item) {
  const int row = item ? list_->row(item) : -1;
  if (row < 0 || row >= BankList::kBankSize || currentBank_ == 0) return;
  const ProgramSlot& slot = (*shown_)[static_cast<std::size_t>(row)];
  category_->setText(Str(ProgramCategoryName(slot)));
  oscMode_->setText(OscillatorModeName(slot));
}

void GmBanksDialog::osFilesEdited() {
  // A transfer, or its undo, changed the banks of the set shown: list the bank again.
  const int shownBank = currentBank_;
  if (shownBank == 0 || state_.osFilesGeneration() != generation_) return;
  currentBank_ = 0;
  showBank(shownBank);
}

void GmBanksDialog::osFilesChanged() {
  const bool same = state_.osFiles().isOpen() && state_.osFilesGeneration() == generation_;
  // The list keeps what it shows; the other bank can no longer be fetched.
  bank1_->setEnabled(same || currentBank_ == 1);
  bank2_->setEnabled((same && hasBank2_) || currentBank_ == 2);
}

}  // namespace zentavour
