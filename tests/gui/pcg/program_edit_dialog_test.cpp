#include "gui/pcg/program_edit_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

// The decoding of each byte is the core's (program_edit_fields_test); here every decoded field
// must reach its own control.
namespace zentavour::testing {
namespace {

using namespace program_edit;

constexpr std::size_t kCommon = ProgramSlot::kCommonBlockOffset;
constexpr std::size_t kOsc[2] = {ProgramSlot::kOscillator1Offset, ProgramSlot::kOscillator2Offset};

// Three programs whose fields differ from each other, so that a field shown on another's control
// shows: over the three, each mode and switch flag is on and off, and no two of them go alike.
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
    const OscillatorFields &osc1 = f.oscillators[0], &osc2 = f.oscillators[1];
    const auto [sw1, sw2] = f.switches;
    std::vector<std::pair<int, bool>> marks = {
        {kSingle, f.oscillatorMode == 0}, {kDouble, f.oscillatorMode == 1},
        {kDrums, f.oscillatorMode == 2},  {kMonophonic, f.monophonic},
        {kPolyphonic, !f.monophonic},     {kLegato, f.legato},
        {kSingleTrigger, f.singleTrigger}, {kHold, f.hold},
        {kSwitch[0][2], sw1.defaultOn},   {kSwitch[1][2], sw2.defaultOn}};
    std::vector<std::pair<int, std::optional<int>>> lists = {
        {kPriority, f.priority},          {kScaleType, f.scaleType},
        {kScaleKey, f.scaleKey},          {kSwitch[0][0], sw1.function},
        {kSwitch[1][0], sw2.function},    {kSwitch[0][1], sw1.momentary ? 1 : 0},
        {kSwitch[1][1], sw2.momentary ? 1 : 0}};
    for (int k = 0; k < 4; ++k) lists.push_back({kKnobs[k], f.knobs[k]});
    std::vector<std::pair<int, int>> numbers = {
        {kScaleRandom, f.scaleRandom},         {kPitch[0][0], osc1.octave},
        {kPitch[0][1], osc1.transpose},        {kPitch[0][2], osc1.tune},
        {kPitch[0][3], osc1.delay},            {kOsc1Top, osc1.velocityTop},
        {kOsc1Bottom, osc1.velocityBottom},    {kOsc2Top, osc2.velocityTop},
        {kOsc2Bottom, osc2.velocityBottom}};
    for (int osc = 0; osc < 2; ++osc) {
      for (const auto& [ids, row] : {std::pair{kRows[osc][0], f.oscillators[osc].high},
                                     std::pair{kRows[osc][1], f.oscillators[osc].low}}) {
        marks.insert(marks.end(), {{ids.startOffset, row.startOffset}, {ids.reverse, row.reverse}});
        lists.insert(lists.end(), {{ids.memory, row.memory}, {ids.multisample, row.listIndex}});
        numbers.push_back({ids.level, row.level});
      }
    }

    ProgramEditDialog dialog(slot, nullptr);
    auto text = [&](int id) { return dialog.control<QLineEdit>(id)->text(); };
    EXPECT_EQ(text(kName).toStdString(), f.name);
    for (int id : kPitch[1]) EXPECT_EQ(text(id), "");  // oscillator 2's is not where we read
    for (const auto& [id, value] : numbers) EXPECT_EQ(text(id), QString::number(value)) << id;
    for (const auto& [id, on] : marks) {
      EXPECT_EQ(dialog.control<QAbstractButton>(id)->isChecked(), on) << id;
    }
    for (const auto& [id, value] : lists) {  // a value the list has no entry for shows nothing
      const QComboBox* list = dialog.control<QComboBox>(id);
      EXPECT_EQ(list->currentIndex(), value && *value < list->count() ? *value : -1) << id;
    }
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
