#pragma once

#include <QDialog>

#include "core/pcg/program_edit_fields.h"
#include "core/programs/program_slot.h"
#include "gui/common/text.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace zentavour {

// Control ids of the Program Edit view; each widget's objectName is "control<id>".
namespace program_edit {
inline constexpr int kName = 1120;
inline constexpr int kSingle = 1112, kDouble = 1034, kDrums = 1035;
inline constexpr int kPolyphonic = 1036, kMonophonic = 1037;
inline constexpr int kLegato = 1083, kPriority = 1113, kSingleTrigger = 1082, kHold = 1084;
inline constexpr int kScaleType = 1047, kScaleKey = 1049, kScaleRandom = 1087;

// One multisample row: memory list, multisample list, the two flags and the level.
struct RowIds {
  int memory, multisample, startOffset, reverse, level;
};
// Oscillator 1 and 2, high and low row.
inline constexpr RowIds kRows[2][2] = {
    {{1051, 1048, 1085, 1086, 1088}, {1052, 1050, 1093, 1094, 1095}},
    {{1061, 1062, 1102, 1103, 1104}, {1063, 1064, 1109, 1110, 1111}}};
// Octave, Transpose, Tune, Delay of each oscillator.
inline constexpr int kPitch[2][4] = {{1089, 1090, 1091, 1092}, {1105, 1106, 1107, 1108}};
inline constexpr int kOsc1Top = 1098, kOsc1Bottom = 1099, kOsc2Top = 1100, kOsc2Bottom = 1101;
inline constexpr int kSwitchLoHi[2] = {1097, 1096};
// SW1 and SW2: function list, mode list, "Default ON".
inline constexpr int kSwitch[2][3] = {{1053, 1054, 1114}, {1055, 1056, 1115}};
inline constexpr int kKnobs[4] = {1057, 1058, 1059, 1060};
inline constexpr int kRealtimeA = 1033, kRealtimeB = 1032;
inline constexpr int kOk = 1, kCancel = 2;
}  // namespace program_edit

// "Program Edit": every parameter of one program the program knows how to read, filled once from
// a copy of its slot. It shows; it does not edit: nothing the user does here changes the program,
// and it keeps its values after the PCG file is closed.
class ProgramEditDialog : public QDialog {
  Q_OBJECT

 public:
  ProgramEditDialog(const ProgramSlot& slot, QWidget* owner);

  template <class T>
  T* control(int id) const {
    return findChild<T*>(ControlName(id));
  }

 private:
  QWidget* buildModes();
  QGroupBox* buildScale();
  QGroupBox* buildOscillator(int which);
  QGroupBox* buildVelocity();
  QGroupBox* buildController();
  void fill(const ProgramEditFields& fields);

  QLineEdit* addEdit(QWidget* parent, int id, int characters);
  QComboBox* addList(QWidget* parent, int id);
  QCheckBox* addCheck(QWidget* parent, int id, const QString& text);
  QRadioButton* addRadio(QWidget* parent, int id, const QString& text);
};

}  // namespace zentavour
