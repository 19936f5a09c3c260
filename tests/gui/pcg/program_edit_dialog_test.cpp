#include "gui/pcg/program_edit_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <cstring>

namespace zentavour::testing {
namespace {

using namespace program_edit;

// A program with chosen bytes in its common and oscillator blocks.
struct ChosenBytes {
  std::uint8_t mode = 0;
  std::uint8_t scale = 0, key = 0, random = 0;
  std::uint8_t osc1[12] = {};  // bytes 0-11 of oscillator 1
  std::uint8_t osc2[12] = {};
  std::uint8_t pitch[3] = {};  // oscillator 1 bytes 32-34
  std::uint8_t sw1 = 0, knob1 = 0;
};

ProgramSlot Slot(const ChosenBytes& b) {
  ProgramSlot slot;
  std::memcpy(slot.bytes.data() + ProgramSlot::kNameOffset, "Grand Piano 16ch", 16);
  std::uint8_t* common = slot.bytes.data() + ProgramSlot::kCommonBlockOffset;
  common[0] = b.mode;
  common[2] = 3;
  common[3] = b.scale;
  common[4] = b.key;
  common[5] = b.random;
  common[6] = b.sw1;
  common[8] = b.knob1;
  std::memcpy(slot.bytes.data() + ProgramSlot::kOscillator1Offset, b.osc1, 12);
  std::memcpy(slot.bytes.data() + ProgramSlot::kOscillator2Offset, b.osc2, 12);
  std::memcpy(slot.bytes.data() + ProgramSlot::kOscillator1Offset + 32, b.pitch, 3);
  return slot;
}

class ProgramEditView : public ::testing::Test {
 protected:
  void open(const ChosenBytes& bytes) {
    dialog = std::make_unique<ProgramEditDialog>(Slot(bytes), nullptr);
  }
  bool checked(int id) const { return dialog->control<QAbstractButton>(id)->isChecked(); }
  int entry(int id) const { return dialog->control<QComboBox>(id)->currentIndex(); }
  QString text(int id) const { return dialog->control<QLineEdit>(id)->text(); }

  std::unique_ptr<ProgramEditDialog> dialog;
};

TEST_F(ProgramEditView, ModeByteSetsTheModeButtonsAndPriority) {
  struct Case {
    std::uint8_t mode;
    int oscMode;  // radio id or 0 for none
    bool mono, legato;
    int priority;
    bool singleTrigger, hold;
  };
  const Case cases[] = {
      {0x00, kSingle, false, false, 0, false, false},
      {0x03, 0, false, false, 0, false, false},
      {0x10, kSingle, false, false, 1, false, false},
      {0x20, kSingle, false, false, 2, false, false},
      {0x30, kSingle, false, false, -1, false, false},
      {0xCD, kDouble, true, true, 0, true, true},
      {0x06, kDrums, true, false, 0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    open({.mode = c.mode});
    for (int id : {kSingle, kDouble, kDrums}) EXPECT_EQ(checked(id), id == c.oscMode);
    EXPECT_EQ(checked(kMonophonic), c.mono);
    EXPECT_EQ(checked(kPolyphonic), !c.mono);
    EXPECT_EQ(checked(kLegato), c.legato);
    EXPECT_EQ(entry(kPriority), c.priority);
    EXPECT_EQ(checked(kSingleTrigger), c.singleTrigger);
    EXPECT_EQ(checked(kHold), c.hold);
  }
}

TEST_F(ProgramEditView, MultisampleRowsShowNumberFlagsMemoryAndLevel) {
  ChosenBytes b;
  const std::uint8_t osc1[12] = {0x80, 0x05, 1, 99, 0x7F, 0xFF, 0, 7, 12, 0, 20, 110};
  const std::uint8_t osc2[12] = {0x41, 0xA8, 2, 0, 0x01, 0x00, 1, 255, 0, 0, 1, 127};
  std::memcpy(b.osc1, osc1, 12);
  std::memcpy(b.osc2, osc2, 12);
  b.pitch[0] = 2;
  b.pitch[1] = 244;
  b.pitch[2] = 50;
  open(b);

  const RowIds& high1 = kRows[0][0];
  EXPECT_EQ(entry(high1.multisample), 5);
  EXPECT_TRUE(dialog->control<QComboBox>(high1.multisample)->currentText().startsWith("5 "));
  EXPECT_TRUE(checked(high1.startOffset));
  EXPECT_FALSE(checked(high1.reverse));
  EXPECT_EQ(entry(high1.memory), 1);
  EXPECT_EQ(text(high1.level), "99");

  const RowIds& low1 = kRows[0][1];  // 16383: past the list, so nothing
  EXPECT_EQ(entry(low1.multisample), -1);
  EXPECT_TRUE(checked(low1.reverse));
  EXPECT_FALSE(checked(low1.startOffset));
  EXPECT_EQ(entry(low1.memory), 0);
  EXPECT_EQ(text(low1.level), "7");

  const RowIds& high2 = kRows[1][0];  // 0x01A8 = 424, the last entry; memory 2 shows nothing
  EXPECT_EQ(entry(high2.multisample), 424);
  EXPECT_TRUE(checked(high2.reverse));
  EXPECT_EQ(entry(high2.memory), -1);
  const RowIds& low2 = kRows[1][1];  // 0x0100 = 256
  EXPECT_EQ(entry(low2.multisample), 256);
  EXPECT_EQ(entry(low2.memory), 1);
  EXPECT_EQ(text(low2.level), "255");

  EXPECT_EQ(text(kPitch[0][0]), "2");
  EXPECT_EQ(text(kPitch[0][1]), "244");  // unsigned, as stored
  EXPECT_EQ(text(kPitch[0][2]), "50");
  EXPECT_EQ(text(kPitch[0][3]), "12");
  for (int id : kPitch[1]) EXPECT_EQ(text(id), "");
  EXPECT_EQ(text(kOsc1Top), "110");
  EXPECT_EQ(text(kOsc1Bottom), "20");
  EXPECT_EQ(text(kOsc2Top), "127");
  EXPECT_EQ(text(kOsc2Bottom), "1");
  EXPECT_EQ(text(kSwitchLoHi[0]), "");
}

TEST_F(ProgramEditView, ScaleSwitchesAndKnobs) {
  open({.scale = 26, .key = 11, .random = 200, .sw1 = 0xC5, .knob1 = 0x85});
  EXPECT_EQ(dialog->control<QComboBox>(kScaleType)->currentText(), "User Octave Scale 15");
  EXPECT_EQ(dialog->control<QComboBox>(kScaleKey)->currentText(), "B");
  EXPECT_EQ(text(kScaleRandom), "200");
  EXPECT_EQ(text(kName), "Grand Piano 16ch");
  // The switch function and knob lists are empty: their values select nothing.
  EXPECT_EQ(entry(kSwitch[0][0]), -1);
  EXPECT_EQ(dialog->control<QComboBox>(kSwitch[0][1])->currentText(), "Momentary");
  EXPECT_TRUE(checked(kSwitch[0][2]));
  EXPECT_EQ(dialog->control<QComboBox>(kSwitch[1][1])->currentText(), "Toggle");
  EXPECT_FALSE(checked(kSwitch[1][2]));
  EXPECT_EQ(entry(kKnobs[0]), -1);
  EXPECT_FALSE(checked(kRealtimeA));
  EXPECT_FALSE(checked(kRealtimeB));

  open({.scale = 27, .key = 12});
  EXPECT_EQ(entry(kScaleType), -1);
  EXPECT_EQ(entry(kScaleKey), -1);
}

TEST_F(ProgramEditView, NothingTheUserDoesChangesWhatIsShown) {
  open({.mode = 0x08, .scale = 2});
  dialog->show();
  QTest::mouseClick(dialog->control<QCheckBox>(kLegato), Qt::LeftButton);
  EXPECT_TRUE(checked(kLegato));
  QTest::mouseClick(dialog->control<QRadioButton>(kDouble), Qt::LeftButton);
  EXPECT_TRUE(checked(kSingle));
  QComboBox* type = dialog->control<QComboBox>(kScaleType);
  emit type->activated(5);  // as a pick from the open list reports it
  EXPECT_EQ(type->currentIndex(), 2);
  QLineEdit* name = dialog->control<QLineEdit>(kName);
  EXPECT_TRUE(name->isReadOnly());
  EXPECT_EQ(name->maxLength(), 16);
}

}  // namespace
}  // namespace zentavour::testing
