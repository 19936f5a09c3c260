#include "gui/osfiles/load_os_files_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/common/application_state.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

struct RadioEntry {
  WorkstationModel model;
  int id;
};

// Top to bottom, as the user has always seen them.
constexpr RadioEntry kRadioOrder[] = {
    {WorkstationModel::Orvane, 1159},
    {WorkstationModel::OrvaneMi, 1035},
    {WorkstationModel::OrvaneSalone, 1036},
    {WorkstationModel::Ossik, 1034},
};

int RadioId(WorkstationModel model) {
  for (const RadioEntry& entry : kRadioOrder) {
    if (entry.model == model) return entry.id;
  }
  return 0;
}

}  // namespace

LoadOsFilesDialog::LoadOsFilesDialog(ApplicationState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setObjectName(QStringLiteral("OpenOSFiles"));
  setWindowTitle(QStringLiteral("Load OS Files"));
  setModal(true);

  auto* group = new QButtonGroup(this);
  auto* radios = new QVBoxLayout;
  radios->setSpacing(4);
  for (const RadioEntry& entry : kRadioOrder) {
    auto* radio = new QRadioButton(Str(ModelInfo(entry.model).radioLabel), this);
    radio->setObjectName(ControlName(entry.id));
    group->addButton(radio, entry.id);
    radios->addWidget(radio);
    // A click only: a radio button unchecked by its neighbour must not switch the model.
    connect(radio, &QRadioButton::clicked, this,
            [this, model = entry.model] { modelClicked(model); });
  }
  radios->addStretch(1);

  hint_ = new QLabel(this);
  hint_->setObjectName(ControlName(1160));
  hint_->setWordWrap(true);
  hint_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  hint_->setMinimumWidth(250);
  hint_->setFrameShape(QFrame::StyledPanel);
  hint_->setMargin(6);

  auto makeField = [this](int id) {
    auto* field = new QLineEdit(this);
    field->setObjectName(ControlName(id));
    field->setReadOnly(true);  // only a path chosen through Browse counts
    field->setMinimumWidth(300);
    return field;
  };
  auto makeBrowse = [this](int id) {
    auto* button = new QPushButton(QStringLiteral("Browse"), this);
    button->setObjectName(ControlName(id));
    return button;
  };
  sysinfoField_ = makeField(1005);
  extField_ = makeField(1007);
  ext2Field_ = makeField(1009);
  sysinfoBrowse_ = makeBrowse(1006);
  extBrowse_ = makeBrowse(1008);
  ext2Browse_ = makeBrowse(1010);
  connect(sysinfoBrowse_, &QPushButton::clicked, this, [this] { browse(OsFileRole::Sysinfo); });
  connect(extBrowse_, &QPushButton::clicked, this, [this] { browse(OsFileRole::Ext); });
  connect(ext2Browse_, &QPushButton::clicked, this, [this] { browse(OsFileRole::Ext2); });

  auto* files = new QGridLayout;
  files->setHorizontalSpacing(8);
  files->setVerticalSpacing(6);
  const auto addRow = [&](int row, const QString& text, QLineEdit* field, QPushButton* button) {
    auto* label = new QLabel(text, this);
    label->setBuddy(field);
    files->addWidget(label, row, 0);
    files->addWidget(field, row, 1);
    files->addWidget(button, row, 2);
  };
  addRow(0, QStringLiteral("SYSINFO File:"), sysinfoField_, sysinfoBrowse_);
  addRow(1, QStringLiteral("EXT File"), extField_, extBrowse_);
  addRow(2, QStringLiteral("Second EXT File"), ext2Field_, ext2Browse_);
  files->setColumnStretch(1, 1);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(ControlName(1));
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(ControlName(2));
  connect(ok_, &QPushButton::clicked, this, &LoadOsFilesDialog::pressOk);
  connect(cancel_, &QPushButton::clicked, this, &LoadOsFilesDialog::reject);

  auto* top = new QHBoxLayout;
  top->setSpacing(14);
  top->addLayout(radios);
  top->addWidget(hint_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 12);
  layout->setSpacing(12);
  layout->addLayout(top);
  layout->addLayout(files);
  layout->addLayout(buttons);

  const WorkstationModel model = BeginLoadOsFiles(state_.osFileChoice());
  showPaths();
  showModel(model);
  radioButton(model)->setChecked(true);
  resize(sizeHint().expandedTo(QSize(560, 0)));
}

QRadioButton* LoadOsFilesDialog::radioButton(WorkstationModel model) const {
  return findChild<QRadioButton*>(ControlName(RadioId(model)));
}

QLineEdit* LoadOsFilesDialog::pathField(OsFileRole role) const {
  switch (role) {
    case OsFileRole::Sysinfo:
      return sysinfoField_;
    case OsFileRole::Ext:
      return extField_;
    case OsFileRole::Ext2:
      break;
  }
  return ext2Field_;
}

QPushButton* LoadOsFilesDialog::browseButton(OsFileRole role) const {
  switch (role) {
    case OsFileRole::Sysinfo:
      return sysinfoBrowse_;
    case OsFileRole::Ext:
      return extBrowse_;
    case OsFileRole::Ext2:
      break;
  }
  return ext2Browse_;
}

void LoadOsFilesDialog::showPaths() {
  const OsFileChoice& choice = state_.osFileChoice();
  sysinfoField_->setText(QString::fromStdString(choice.sysinfoPath));
  extField_->setText(QString::fromStdString(choice.extPath));
  ext2Field_->setText(QString::fromStdString(choice.ext2Path));
}

void LoadOsFilesDialog::showModel(WorkstationModel model) {
  // The hint always belongs to the checked model, also when the dialog reopens on a
  // remembered one.
  hint_->setText(Str(ModelInfo(model).hint));
  const bool second = ModelInfo(model).hasSecondExt();
  ext2Field_->setEnabled(second);
  ext2Browse_->setEnabled(second);
}

void LoadOsFilesDialog::modelClicked(WorkstationModel model) {
  if (!SelectLoadModel(state_.osFileChoice(), model)) return;
  showModel(model);
  showPaths();
}

void LoadOsFilesDialog::browse(OsFileRole role) {
  OsFileChoice& choice = state_.osFileChoice();
  if (role == OsFileRole::Ext2 && !ModelInfo(choice.model).hasSecondExt()) return;
  const FileChooser chooser = OsFileChooser(choice.model, role);
  const std::optional<QString> chosen =
      state_.prompts().openFile(this, chooser, pathField(role)->text());
  if (!chosen) return;  // cancelled: path and state stay as they were
  ChooseOsFile(choice, role, CorePath(*chosen));
  pathField(role)->setText(*chosen);
}

void LoadOsFilesDialog::pressOk() {
  LoadOkOutcome outcome = PressLoadOk(state_.osFileChoice(), state_.fileOpener());
  Prompts& prompts = state_.prompts();
  for (const Failure& message : outcome.messages) {
    prompts.showFailure(this, message);
  }
  if (!outcome.set) return;
  prompts.message(this, Str(kProgramTitle), Str(kOsFilesOpenedText), Severity::Information);
  // The windows switch to the open set once the user has read that it opened.
  state_.openOsFiles(std::move(*outcome.set));
  accept();
}

void LoadOsFilesDialog::reject() {
  CancelLoadOsFiles(state_.osFileChoice());
  QDialog::reject();
}

}  // namespace zentavour
