#include "gui/pcg/program_edit_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/pcg/program_tables.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

using namespace program_edit;
namespace label = program_edit_label;

void AddNames(QComboBox* list, std::span<const std::string_view> names) {
  for (std::string_view name : names) list->addItem(Str(name));
}

// A list shows its entry; a choice made by the user snaps back, since nothing is taken from here.
void ShowEntry(QComboBox* list, std::optional<int> index) {
  const int entry = index && *index >= 0 && *index < list->count() ? *index : -1;
  list->setCurrentIndex(entry);
  QObject::connect(list, &QComboBox::activated, list,
                   [list, entry] { list->setCurrentIndex(entry); });
}

// A check box or radio button that shows its mark but takes no click: nothing is taken from here.
template <class Button>
class ShownButton : public Button {
 public:
  ShownButton(const QString& text, QWidget* parent) : Button(text, parent) {
    this->setFocusPolicy(Qt::NoFocus);
  }

 protected:
  bool hitButton(const QPoint&) const override { return false; }
};

int LabelGap(const QWidget* widget) {
  const int gap = widget->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, widget);
  return gap >= 0 ? gap
                  : widget->style()->layoutSpacing(QSizePolicy::Label, QSizePolicy::ComboBox,
                                                   Qt::Horizontal, nullptr, widget);
}

QLabel* Label(const QString& text, QWidget* parent) {
  return new QLabel(text, parent);
}

}  // namespace

ProgramEditDialog::ProgramEditDialog(const ProgramSlot& slot, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Edit"));
  setWindowTitle(QStringLiteral("Program Edit"));
  setModal(false);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(ControlName(kOk));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(ControlName(kCancel));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* oscillators = new QHBoxLayout;
  oscillators->addWidget(buildOscillator(0));
  oscillators->addWidget(buildOscillator(1));

  auto* lower = new QHBoxLayout;
  lower->addWidget(buildVelocity());
  lower->addWidget(buildController(), 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildModes());
  layout->addLayout(oscillators);
  layout->addLayout(lower);
  layout->addStretch(1);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  fill(DecodeProgramEditFields(slot));
}

QLineEdit* ProgramEditDialog::addEdit(QWidget* parent, int id, int characters) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(ControlName(id));
  edit->setReadOnly(true);
  const QFontMetrics metrics = edit->fontMetrics();
  edit->setFixedWidth(metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + 16);
  return edit;
}

QComboBox* ProgramEditDialog::addList(QWidget* parent, int id) {
  auto* list = new QComboBox(parent);
  list->setObjectName(ControlName(id));
  list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return list;
}

QCheckBox* ProgramEditDialog::addCheck(QWidget* parent, int id, const QString& text) {
  QCheckBox* check = new ShownButton<QCheckBox>(text, parent);
  check->setObjectName(ControlName(id));
  return check;
}

QRadioButton* ProgramEditDialog::addRadio(QWidget* parent, int id, const QString& text) {
  QRadioButton* radio = new ShownButton<QRadioButton>(text, parent);
  radio->setObjectName(ControlName(id));
  return radio;
}

QWidget* ProgramEditDialog::buildModes() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* nameColumn = new QVBoxLayout;
  QLineEdit* name = addEdit(row, kName, 16);
  name->setMaxLength(16);
  name->setFixedWidth(name->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMM")));
  nameColumn->addWidget(name);
  nameColumn->addStretch(1);
  layout->addLayout(nameColumn);

  auto* oscMode = new QGroupBox(Str(label::kOscillatorMode), row);
  auto* oscLayout = new QVBoxLayout(oscMode);
  oscLayout->addWidget(addRadio(oscMode, kSingle, Str(OscillatorModeName(0))));
  oscLayout->addWidget(addRadio(oscMode, kDouble, Str(OscillatorModeName(1))));
  oscLayout->addWidget(addRadio(oscMode, kDrums, Str(OscillatorModeName(2))));
  oscLayout->addStretch(1);
  layout->addWidget(oscMode);

  auto* voice = new QGroupBox(Str(label::kVoiceAssignMode), row);
  auto* voiceLayout = new QGridLayout(voice);
  // The two radio buttons sit in their own box so they exclude only each other.
  auto* polyMono = new QWidget(voice);
  auto* polyMonoLayout = new QVBoxLayout(polyMono);
  polyMonoLayout->setContentsMargins(0, 0, 0, 0);
  polyMonoLayout->addWidget(addRadio(polyMono, kPolyphonic, Str(label::kPolyphonic)));
  polyMonoLayout->addWidget(addRadio(polyMono, kMonophonic, Str(label::kMonophonic)));
  voiceLayout->addWidget(polyMono, 0, 0, 2, 1);
  voiceLayout->addWidget(addCheck(voice, kLegato, Str(label::kLegato)), 2, 0);
  auto* priorityRow = new QHBoxLayout;
  // A row inside a grid of uneven spacing gets none of its own; give it the style's gap
  // between a label and its control, as the labels in the grids have.
  priorityRow->setSpacing(LabelGap(voice));
  priorityRow->addWidget(Label(Str(label::kPriority) + QLatin1Char(':'), voice));
  QComboBox* priority = addList(voice, kPriority);
  AddNames(priority, PriorityNames());
  priorityRow->addWidget(priority);
  priorityRow->addStretch(1);
  voiceLayout->addLayout(priorityRow, 0, 1);
  voiceLayout->addWidget(addCheck(voice, kSingleTrigger, Str(label::kSingleTrigger)), 1, 1);
  voiceLayout->addWidget(addCheck(voice, kHold, Str(label::kHold)), 2, 1);
  voiceLayout->setHorizontalSpacing(16);
  layout->addWidget(voice);

  layout->addWidget(buildScale(), 1);
  return row;
}

QGroupBox* ProgramEditDialog::buildScale() {
  auto* scale = new QGroupBox(QStringLiteral("Scale"), this);
  auto* grid = new QGridLayout(scale);
  QComboBox* type = addList(scale, kScaleType);
  AddNames(type, ScaleNames());
  QComboBox* key = addList(scale, kScaleKey);
  AddNames(key, KeyNames());
  grid->addWidget(Label(QStringLiteral("Type:"), scale), 0, 0);
  grid->addWidget(type, 0, 1, 1, 3);
  grid->addWidget(Label(QStringLiteral("Key:"), scale), 1, 0);
  grid->addWidget(key, 1, 1);
  grid->addWidget(Label(QStringLiteral("Random:"), scale), 1, 2, Qt::AlignRight);
  grid->addWidget(addEdit(scale, kScaleRandom, 3), 1, 3);
  grid->setRowStretch(2, 1);
  return scale;
}

QGroupBox* ProgramEditDialog::buildOscillator(int which) {
  auto* box = new QGroupBox(
      which == 0 ? QStringLiteral("OSC 1 Multisample") : QStringLiteral("OSC 2 Multisample"), this);
  auto* grid = new QGridLayout(box);
  for (int row = 0; row < 2; ++row) {
    const RowIds& ids = kRows[which][row];
    QComboBox* memory = addList(box, ids.memory);
    AddNames(memory, MemoryNames());
    QComboBox* multisample = addList(box, ids.multisample);
    for (const std::string& name : MultisampleNames()) {
      multisample->addItem(QString::fromStdString(name));
    }
    multisample->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    multisample->setMinimumContentsLength(static_cast<int>(kMultisampleNameMaxLength));
    multisample->setMaxVisibleItems(16);

    const int top = row * 2;
    grid->addWidget(Label(row == 0 ? QStringLiteral("High:") : QStringLiteral("Low:"), box), top,
                    0);
    grid->addWidget(memory, top, 1);
    grid->addWidget(addCheck(box, ids.startOffset, Str(label::kStartOffset)), top, 2);
    grid->addWidget(addCheck(box, ids.reverse, Str(label::kReverse)), top, 3);
    grid->addWidget(Label(Str(label::kLevel) + QLatin1Char(':'), box), top, 4, Qt::AlignRight);
    grid->addWidget(addEdit(box, ids.level, 3), top, 5);
    grid->addWidget(multisample, top + 1, 1, 1, 5);
  }
  auto* pitch = new QHBoxLayout;
  const QString pitchLabels[4] = {QStringLiteral("Octave:"), QStringLiteral("Transpose:"),
                                  QStringLiteral("Tune:"), QStringLiteral("Delay:")};
  for (int i = 0; i < 4; ++i) {
    if (i > 0) pitch->addSpacing(10);
    pitch->addWidget(Label(pitchLabels[i], box));
    pitch->addWidget(addEdit(box, kPitch[which][i], 3));
  }
  pitch->addStretch(1);
  grid->addLayout(pitch, 4, 0, 1, 6);
  grid->setColumnStretch(6, 1);
  return box;
}

QGroupBox* ProgramEditDialog::buildVelocity() {
  auto* box = new QGroupBox(QStringLiteral("Velocity Zone"), this);
  auto* grid = new QGridLayout(box);
  const std::pair<int, const char*> zones[] = {{kOsc1Top, "OSC1 Top:"},
                                               {kOsc1Bottom, "OSC1 Bottom:"},
                                               {kOsc2Top, "OSC2 Top:"},
                                               {kOsc2Bottom, "OSC2 Bottom:"}};
  int row = 0;
  for (const auto& [id, text] : zones) {
    grid->addWidget(Label(QLatin1String(text), box), row, 0);
    grid->addWidget(addEdit(box, id, 3), row, 1);
    ++row;
  }
  auto* switchBox = new QGroupBox(QStringLiteral("Velocity M. Sample SW Lo -> Hi"), box);
  auto* switchGrid = new QGridLayout(switchBox);
  switchGrid->addWidget(Label(QStringLiteral("OSC1:"), switchBox), 0, 0);
  switchGrid->addWidget(addEdit(switchBox, kSwitchLoHi[0], 3), 0, 1);
  switchGrid->addWidget(Label(QStringLiteral("OSC2:"), switchBox), 1, 0);
  switchGrid->addWidget(addEdit(switchBox, kSwitchLoHi[1], 3), 1, 1);
  switchGrid->setColumnStretch(2, 1);
  grid->addWidget(switchBox, row, 0, 1, 3);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(row + 1, 1);
  return box;
}

QGroupBox* ProgramEditDialog::buildController() {
  auto* controller = new QGroupBox(QStringLiteral("Controller"), this);
  auto* layout = new QHBoxLayout(controller);

  auto* switches = new QGroupBox(QStringLiteral("Panel Switch Assign"), controller);
  auto* switchGrid = new QGridLayout(switches);
  for (int sw = 0; sw < 2; ++sw) {
    QComboBox* function = addList(switches, kSwitch[sw][0]);
    function->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMM")));
    QComboBox* mode = addList(switches, kSwitch[sw][1]);
    AddNames(mode, SwitchModeNames());
    const int top = sw * 2;
    switchGrid->addWidget(Label(sw == 0 ? QStringLiteral("SW1") : QStringLiteral("SW2"), switches),
                          top, 0);
    switchGrid->addWidget(function, top, 1);
    switchGrid->addWidget(mode, top + 1, 1);
    switchGrid->addWidget(addCheck(switches, kSwitch[sw][2], Str(label::kDefaultOn)), top + 1,
                          2);
  }
  switchGrid->setRowStretch(4, 1);
  layout->addWidget(switches);

  auto* knobs = new QGroupBox(QStringLiteral("Realtime Control Knobs"), controller);
  auto* knobGrid = new QGridLayout(knobs);
  for (int k = 0; k < 4; ++k) {
    QComboBox* knob = addList(knobs, kKnobs[k]);
    knob->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMM")));
    knobGrid->addWidget(Label(QStringLiteral("Knob %1-B").arg(k + 1), knobs), k, 0);
    knobGrid->addWidget(knob, k, 1);
  }
  auto* defaults = new QWidget(knobs);
  auto* defaultsRow = new QHBoxLayout(defaults);
  defaultsRow->setContentsMargins(0, 0, 0, 0);
  defaultsRow->addWidget(Label(QStringLiteral("Realtime Controls Default"), defaults));
  defaultsRow->addWidget(addRadio(defaults, kRealtimeA, QStringLiteral("A")));
  defaultsRow->addWidget(addRadio(defaults, kRealtimeB, QStringLiteral("B")));
  defaultsRow->addStretch(1);
  knobGrid->addWidget(defaults, 4, 0, 1, 2);
  knobGrid->setRowStretch(5, 1);
  layout->addWidget(knobs);
  return controller;
}

void ProgramEditDialog::fill(const ProgramEditFields& fields) {
  auto edit = [this](int id, int value) {
    control<QLineEdit>(id)->setText(QString::number(value));
  };
  auto check = [this](int id, bool on) { control<QAbstractButton>(id)->setChecked(on); };
  auto list = [this](int id, std::optional<int> index) {
    ShowEntry(control<QComboBox>(id), index);
  };

  control<QLineEdit>(kName)->setText(QString::fromLatin1(fields.name));
  control<QLineEdit>(kName)->setCursorPosition(0);
  const int modes[3] = {kSingle, kDouble, kDrums};
  if (fields.oscillatorMode && *fields.oscillatorMode >= 0 && *fields.oscillatorMode < 3) {
    check(modes[*fields.oscillatorMode], true);
  }
  check(fields.monophonic ? kMonophonic : kPolyphonic, true);
  check(kLegato, fields.legato);
  list(kPriority, fields.priority);
  check(kSingleTrigger, fields.singleTrigger);
  check(kHold, fields.hold);
  list(kScaleType, fields.scaleType);
  list(kScaleKey, fields.scaleKey);
  edit(kScaleRandom, fields.scaleRandom);

  for (int which = 0; which < 2; ++which) {
    const OscillatorFields& osc = fields.oscillators[static_cast<std::size_t>(which)];
    const MultisampleField* rows[2] = {&osc.high, &osc.low};
    for (int row = 0; row < 2; ++row) {
      const RowIds& ids = kRows[which][row];
      list(ids.memory, rows[row]->memory);
      list(ids.multisample, rows[row]->listIndex);
      check(ids.startOffset, rows[row]->startOffset);
      check(ids.reverse, rows[row]->reverse);
      edit(ids.level, rows[row]->level);
    }
  }
  // Only oscillator 1's pitch is stored where the view can read it; oscillator 2's boxes stay
  // empty, as do the two velocity switch boxes.
  const OscillatorFields& osc1 = fields.oscillators[0];
  edit(kPitch[0][0], osc1.octave);
  edit(kPitch[0][1], osc1.transpose);
  edit(kPitch[0][2], osc1.tune);
  edit(kPitch[0][3], osc1.delay);
  edit(kOsc1Top, osc1.velocityTop);
  edit(kOsc1Bottom, osc1.velocityBottom);
  edit(kOsc2Top, fields.oscillators[1].velocityTop);
  edit(kOsc2Bottom, fields.oscillators[1].velocityBottom);

  for (int sw = 0; sw < 2; ++sw) {
    const SwitchFields& fieldsOf = fields.switches[static_cast<std::size_t>(sw)];
    // The function list has no entries, so the stored function selects nothing.
    list(kSwitch[sw][0], fieldsOf.function);
    list(kSwitch[sw][1], fieldsOf.momentary ? 1 : 0);
    check(kSwitch[sw][2], fieldsOf.defaultOn);
  }
  for (int k = 0; k < 4; ++k) list(kKnobs[k], fields.knobs[static_cast<std::size_t>(k)]);
}

}  // namespace zentavour
