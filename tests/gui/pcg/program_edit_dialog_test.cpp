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

constexpr std::size_t kCommon = ProgramSlot::kCommonBlockOffset;
constexpr std::size_t kOsc1 = ProgramSlot::kOscillator1Offset;
constexpr std::size_t kOsc2 = ProgramSlot::kOscillator2Offset;

class ProgramEditView : public ::testing::Test {
 protected:
  // Opens a program named "Grand Piano 16ch" with the given bytes.
  void open(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    ProgramSlot slot;
    std::memcpy(slot.bytes.data() + ProgramSlot::kNameOffset, "Grand Piano 16ch", 16);
    for (const auto& [at, value] : bytes) slot.bytes[at] = value;
    dialog = std::make_unique<ProgramEditDialog>(slot, nullptr);
  }
  bool checked(int id) const { return dialog->control<QAbstractButton>(id)->isChecked(); }
  int entry(int id) const { return dialog->control<QComboBox>(id)->currentIndex(); }
  QString shown(int id) const { return dialog->control<QComboBox>(id)->currentText(); }
  QString text(int id) const { return dialog->control<QLineEdit>(id)->text(); }

  std::unique_ptr<ProgramEditDialog> dialog;
};

TEST_F(ProgramEditView, ModeByteSetsTheModeButtonsAndPriority) {
  struct Case {
    std::uint8_t mode;
    int oscMode;  // radio id, or 0 for none
    bool mono, legato;
    int priority;
    bool singleTrigger, hold;
  };
  const Case cases[] = {
      {0x03, 0, false, false, 0, false, false},
      {0x30, kSingle, false, false, -1, false, false},
      {0xCD, kDouble, true, true, 0, true, true},
      {0x26, kDrums, true, false, 2, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    open({{kCommon, c.mode}});
    for (int id : {kSingle, kDouble, kDrums}) EXPECT_EQ(checked(id), id == c.oscMode);
    EXPECT_EQ(checked(kMonophonic), c.mono);
    EXPECT_EQ(checked(kPolyphonic), !c.mono);
    EXPECT_EQ(checked(kLegato), c.legato);
    EXPECT_EQ(entry(kPriority), c.priority);
    EXPECT_EQ(checked(kSingleTrigger), c.singleTrigger);
    EXPECT_EQ(checked(kHold), c.hold);
  }
}

TEST_F(ProgramEditView, MultisampleRowsPitchAndVelocity) {
  open({{kOsc1, 0x80},
        {kOsc1 + 1, 0x05},
        {kOsc1 + 2, 1},
        {kOsc1 + 3, 99},
        {kOsc1 + 4, 0x7F},
        {kOsc1 + 5, 0xFF},
        {kOsc1 + 7, 7},
        {kOsc1 + 8, 12},
        {kOsc1 + 10, 20},
        {kOsc1 + 11, 110},
        {kOsc1 + 32, 2},
        {kOsc1 + 33, 244},
        {kOsc2, 0x41},
        {kOsc2 + 1, 0xA8},
        {kOsc2 + 2, 2},
        {kOsc2 + 11, 127}});
  const RowIds& high1 = kRows[0][0];
  EXPECT_EQ(entry(high1.multisample), 5);
  EXPECT_TRUE(shown(high1.multisample).startsWith("5 "));
  EXPECT_TRUE(checked(high1.startOffset));
  EXPECT_FALSE(checked(high1.reverse));
  EXPECT_EQ(entry(high1.memory), 1);
  EXPECT_EQ(text(high1.level), "99");
  const RowIds& low1 = kRows[0][1];  // 16383: past the list, so nothing
  EXPECT_EQ(entry(low1.multisample), -1);
  EXPECT_TRUE(checked(low1.reverse));
  EXPECT_EQ(entry(low1.memory), 0);
  EXPECT_EQ(text(low1.level), "7");
  EXPECT_EQ(entry(kRows[1][0].multisample), 424);  // 0x01A8, the last entry
  EXPECT_EQ(entry(kRows[1][0].memory), -1);        // memory 2 shows nothing

  EXPECT_EQ(text(kPitch[0][0]), "2");
  EXPECT_EQ(text(kPitch[0][1]), "244");  // unsigned, as stored
  EXPECT_EQ(text(kPitch[0][3]), "12");
  for (int id : kPitch[1]) EXPECT_EQ(text(id), "");
  EXPECT_EQ(text(kOsc1Top), "110");
  EXPECT_EQ(text(kOsc1Bottom), "20");
  EXPECT_EQ(text(kOsc2Top), "127");
  EXPECT_EQ(text(kSwitchLoHi[0]), "");
}

TEST_F(ProgramEditView, ScaleSwitchesAndKnobs) {
  open({{kCommon + 3, 26},
        {kCommon + 4, 11},
        {kCommon + 5, 200},
        {kCommon + 6, 0xC5},
        {kCommon + 8, 0x85}});
  EXPECT_EQ(shown(kScaleType), "User Octave Scale 15");
  EXPECT_EQ(shown(kScaleKey), "B");
  EXPECT_EQ(text(kScaleRandom), "200");
  EXPECT_EQ(text(kName), "Grand Piano 16ch");
  // The switch function and knob lists are empty: their values select nothing.
  EXPECT_EQ(entry(kSwitch[0][0]), -1);
  EXPECT_EQ(shown(kSwitch[0][1]), "Momentary");
  EXPECT_TRUE(checked(kSwitch[0][2]));
  EXPECT_EQ(shown(kSwitch[1][1]), "Toggle");
  EXPECT_EQ(entry(kKnobs[0]), -1);

  open({{kCommon + 3, 27}, {kCommon + 4, 12}});
  EXPECT_EQ(entry(kScaleType), -1);
  EXPECT_EQ(entry(kScaleKey), -1);
}

TEST_F(ProgramEditView, NothingTheUserDoesChangesWhatIsShown) {
  open({{kCommon, 0x08}, {kCommon + 3, 2}});
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
