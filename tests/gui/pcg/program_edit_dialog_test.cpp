#include "gui/pcg/program_edit_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <cstring>

// The decoding of each byte is the core's (program_edit_fields_test); here every decoded field
// must reach its own control.
namespace zentavour::testing {
namespace {

using namespace program_edit;

constexpr std::size_t kCommon = ProgramSlot::kCommonBlockOffset;
constexpr std::size_t kOsc[2] = {ProgramSlot::kOscillator1Offset, ProgramSlot::kOscillator2Offset};

// Three programs whose fields differ from each other, so that a field shown on another's control
// shows: over the three, every flag is on and off, and no two flags go the same way.
ProgramSlot Program(int variant) {
  ProgramSlot slot;
  std::memcpy(slot.bytes.data() + ProgramSlot::kNameOffset, "Grand Piano 16ch", 16 - variant);
  auto put = [&](std::size_t at, int value) { slot.bytes[at] = static_cast<std::uint8_t>(value); };
  const int v = variant;
  put(kCommon, std::array{0xA5, 0x9A, 0x4C}[v]);  // mode, voice, legato, priority, trigger, hold
  for (int i = 3; i < 12; ++i) put(kCommon + i, i + 3 * v);  // scale, switch functions, knobs
  put(kCommon + 6, std::array{0xC5, 0x05, 0x85}[v]);
  put(kCommon + 7, std::array{0x03, 0xC7, 0x46}[v]);
  for (std::size_t osc = 0; osc < 2; ++osc) {
    for (std::size_t row = 0; row < 2; ++row) {
      const std::size_t at = kOsc[osc] + 4 * row, place = 2 * osc + row;
      put(at, std::array{0x80, 0x40, 0xC0}[(place + v) % 3]);  // start offset, reverse
      put(at + 1, 10 * place + v + 1);
      put(at + 2, (place + v) % 2);
      put(at + 3, 50 + 10 * place + v);
    }
    for (std::size_t i : {8, 10, 11, 32, 33, 34}) put(kOsc[osc] + i, 100 * osc + i + v);
  }
  return slot;
}

TEST(ProgramEditView, EveryDecodedFieldLandsOnItsControl) {
  for (int variant : {0, 1, 2}) {
    SCOPED_TRACE(variant);
    const ProgramSlot slot = Program(variant);
    const ProgramEditFields f = DecodeProgramEditFields(slot);
    ProgramEditDialog dialog(slot, nullptr);
    auto checked = [&](int id) { return dialog.control<QAbstractButton>(id)->isChecked(); };
    auto text = [&](int id) { return dialog.control<QLineEdit>(id)->text(); };
    auto number = [&](int id) { return text(id).toInt(); };
    // A list shows its entry, or nothing for a value it has no entry for.
    auto shows = [&](int id, std::optional<int> value) {
      const QComboBox* list = dialog.control<QComboBox>(id);
      return list->currentIndex() == (value && *value < list->count() ? *value : -1);
    };

    EXPECT_EQ(text(kName).toStdString(), f.name);
    const int modes[3] = {kSingle, kDouble, kDrums};
    for (int m = 0; m < 3; ++m) EXPECT_EQ(checked(modes[m]), f.oscillatorMode == m) << m;
    EXPECT_EQ(checked(kMonophonic), f.monophonic);
    EXPECT_EQ(checked(kPolyphonic), !f.monophonic);
    EXPECT_EQ(checked(kLegato), f.legato);
    EXPECT_TRUE(shows(kPriority, f.priority));
    EXPECT_EQ(checked(kSingleTrigger), f.singleTrigger);
    EXPECT_EQ(checked(kHold), f.hold);
    EXPECT_TRUE(shows(kScaleType, f.scaleType));
    EXPECT_TRUE(shows(kScaleKey, f.scaleKey));
    EXPECT_EQ(number(kScaleRandom), f.scaleRandom);
    for (int osc = 0; osc < 2; ++osc) {
      const MultisampleField* rows[2] = {&f.oscillators[osc].high, &f.oscillators[osc].low};
      for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(2 * osc + row);
        const RowIds& ids = kRows[osc][row];
        EXPECT_TRUE(shows(ids.memory, rows[row]->memory));
        EXPECT_TRUE(shows(ids.multisample, rows[row]->listIndex));
        EXPECT_EQ(checked(ids.startOffset), rows[row]->startOffset);
        EXPECT_EQ(checked(ids.reverse), rows[row]->reverse);
        EXPECT_EQ(number(ids.level), rows[row]->level);
      }
    }
    const OscillatorFields& osc1 = f.oscillators[0];
    EXPECT_EQ(number(kPitch[0][0]), osc1.octave);
    EXPECT_EQ(number(kPitch[0][1]), osc1.transpose);
    EXPECT_EQ(number(kPitch[0][2]), osc1.tune);
    EXPECT_EQ(number(kPitch[0][3]), osc1.delay);
    for (int id : kPitch[1]) EXPECT_EQ(text(id), "");  // not stored where the view reads
    EXPECT_EQ(number(kOsc1Top), osc1.velocityTop);
    EXPECT_EQ(number(kOsc1Bottom), osc1.velocityBottom);
    EXPECT_EQ(number(kOsc2Top), f.oscillators[1].velocityTop);
    EXPECT_EQ(number(kOsc2Bottom), f.oscillators[1].velocityBottom);
    for (int sw = 0; sw < 2; ++sw) {
      EXPECT_TRUE(shows(kSwitch[sw][0], f.switches[sw].function));
      EXPECT_TRUE(shows(kSwitch[sw][1], f.switches[sw].momentary ? 1 : 0));
      EXPECT_EQ(checked(kSwitch[sw][2]), f.switches[sw].defaultOn);
    }
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(shows(kKnobs[k], f.knobs[k])) << k;
  }
}

TEST(ProgramEditView, NothingTheUserDoesChangesWhatIsShown) {
  ProgramSlot slot;
  slot.bytes[kCommon] = 0x08;  // Single, legato
  slot.bytes[kCommon + 3] = 2;
  ProgramEditDialog dialog(slot, nullptr);
  dialog.show();
  QTest::mouseClick(dialog.control<QCheckBox>(kLegato), Qt::LeftButton);
  EXPECT_TRUE(dialog.control<QCheckBox>(kLegato)->isChecked());
  QTest::mouseClick(dialog.control<QRadioButton>(kDouble), Qt::LeftButton);
  EXPECT_TRUE(dialog.control<QRadioButton>(kSingle)->isChecked());
  QComboBox* type = dialog.control<QComboBox>(kScaleType);
  emit type->activated(5);  // as a pick from the open list reports it
  EXPECT_EQ(type->currentIndex(), 2);
  QLineEdit* name = dialog.control<QLineEdit>(kName);
  EXPECT_TRUE(name->isReadOnly());
  EXPECT_EQ(name->maxLength(), 16);
}

}  // namespace
}  // namespace zentavour::testing
