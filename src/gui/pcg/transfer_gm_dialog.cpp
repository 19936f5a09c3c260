#include "gui/pcg/transfer_gm_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/application_state.h"
#include "gui/common/dialog_units.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"

namespace zentavour {

TransferGmDialog::TransferGmDialog(ApplicationState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      state_(state),
      index_(state.pcgIndex()),
      sources_(TransferSourceEntries(index_)) {
  setObjectName(QStringLiteral("TRANSFERGM"));
  setWindowTitle(QStringLiteral("Transfer Program Bank to GM Bank"));
  setModal(true);

  programBanks_ = new QComboBox(this);
  programBanks_->setObjectName(ControlName(static_cast<int>(TransferGmControl::ProgramBank)));
  for (const TransferSourceEntry& entry : sources_) programBanks_->addItem(Str(entry.label));
  gmBanks_ = new QComboBox(this);
  gmBanks_->setObjectName(ControlName(static_cast<int>(TransferGmControl::GmBank)));
  for (const std::string& entry : TransferGmEntries(state_.osFiles().model)) {
    gmBanks_->addItem(Str(entry));
  }
  programBanks_->setCurrentIndex(programBanks_->count() > 0 ? 0 : -1);
  gmBanks_->setCurrentIndex(0);
  const int comboWidth = fontMetrics().horizontalAdvance(QStringLiteral("GM2")) + 60;
  programBanks_->setMinimumWidth(comboWidth);
  gmBanks_->setMinimumWidth(comboWidth);

  // The group's title names both columns, as the lists below it stand.
  auto* group = new QGroupBox(this);
  auto* columns = new QGridLayout(group);
  columns->addWidget(new QLabel(QStringLiteral("Program Bank"), group), 0, 0);
  columns->addWidget(new QLabel(QStringLiteral("GM Bank"), group), 0, 2);
  columns->addWidget(programBanks_, 1, 0);
  auto* arrow = new QLabel(QStringLiteral("------------->"), group);
  arrow->setAlignment(Qt::AlignCenter);
  columns->addWidget(arrow, 1, 1);
  columns->addWidget(gmBanks_, 1, 2);
  columns->setHorizontalSpacing(12);

  transfer_ = new QPushButton(QStringLiteral("Transfer"), this);
  transfer_->setObjectName(ControlName(static_cast<int>(TransferGmControl::Transfer)));
  transfer_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(ControlName(static_cast<int>(TransferGmControl::Cancel)));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(transfer_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  layout->addStrut(TitleWidth(this));  // the caption shows the whole title
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(transfer_, &QPushButton::clicked, this, &TransferGmDialog::transfer);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TransferGmDialog::transfer() {
  const int entry = programBanks_->currentIndex();
  // An empty list has no entry to transfer: the core refuses that and says why.
  const int slot = entry >= 0 && entry < static_cast<int>(sources_.size())
                       ? sources_[static_cast<std::size_t>(entry)].slot
                       : -1;
  const int gmBank = gmBanks_->currentIndex() + 1;
  const std::string letter =
      slot >= 0 ? sources_[static_cast<std::size_t>(entry)].label : std::string("?");
  const Status status =
      state_.applyOsEdit(GmTransferEditName(letter, gmBank), [&](OsFileSet& set) {
        return TransferProgramBankToGm(set, index_, slot, gmBank);
      });
  if (!status) {
    const Failure& failure = status.failure();
    state_.prompts().showFailure(this, failure);
    return;
  }
  accept();
}

}  // namespace zentavour
