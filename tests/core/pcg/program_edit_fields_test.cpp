#include "core/pcg/program_edit_fields.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/pcg/program_tables.h"

namespace zentavour {
namespace {

ProgramSlot SlotWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  ProgramSlot slot;
  for (const auto& [at, value] : bytes) slot.bytes[at] = value;
  return slot;
}

constexpr std::size_t kCommon = ProgramSlot::kCommonBlockOffset;
constexpr std::size_t kOsc1 = ProgramSlot::kOscillator1Offset;
constexpr std::size_t kOsc2 = ProgramSlot::kOscillator2Offset;

TEST(ProgramEditFieldsTest, ModeByte) {
  struct Case {
    std::uint8_t mode;
    std::optional<int> oscillatorMode, priority;
    bool mono, legato, singleTrigger, hold;
  };
  const Case cases[] = {
      {0x02, 2, 0, false, false, false, false}, {0x03, std::nullopt, 0, false, false, false, false},
      {0x20, 0, 2, false, false, false, false}, {0x30, 0, std::nullopt, false, false, false, false},
      {0x0C, 0, 0, true, true, false, false},   {0xC6, 2, 0, true, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    const ProgramEditFields f = DecodeProgramEditFields(SlotWith({{kCommon, c.mode}}));
    EXPECT_EQ(
        std::tuple(f.oscillatorMode, f.monophonic, f.legato, f.priority, f.singleTrigger, f.hold),
        std::tuple(c.oscillatorMode, c.mono, c.legato, c.priority, c.singleTrigger, c.hold));
  }
}

TEST(ProgramEditFieldsTest, MultisampleFields) {
  struct Case {
    std::uint8_t high, low, memory;
    int number;
    std::optional<int> listIndex, memoryIndex;
    bool startOffset, reverse;
  };
  const Case cases[] = {
      {0x80, 0x05, 0, 5, 5, 0, true, false},
      {0x7F, 0xFF, 1, 16383, std::nullopt, 1, false, true},
      {0x01, 0xA8, 0, 424, 424, 0, false, false},
      {0x01, 0xA9, 2, 425, std::nullopt, std::nullopt, false, false},
      {0xC0, 0x00, 0, 0, 0, 0, true, true},
  };
  // Each case in each of the four multisample places: osc1 high/low, osc2 high/low.
  for (const Case& c : cases) {
    for (std::size_t base : {kOsc1, kOsc1 + 4, kOsc2, kOsc2 + 4}) {
      SCOPED_TRACE(testing::Message() << c.number << " at " << base);
      const ProgramEditFields f = DecodeProgramEditFields(
          SlotWith({{base, c.high}, {base + 1, c.low}, {base + 2, c.memory}, {base + 3, 99}}));
      const OscillatorFields& osc = f.oscillators[base < kOsc2 ? 0 : 1];
      const MultisampleField& m = (base - kOsc1) % 154 == 0 ? osc.high : osc.low;
      EXPECT_EQ(std::tuple(m.number, m.listIndex, m.startOffset, m.reverse, m.memory, m.level),
                std::tuple(c.number, c.listIndex, c.startOffset, c.reverse, c.memoryIndex, 99));
    }
  }
  // Each list entry starts with its number and a space, within the width the list allows.
  const auto names = MultisampleNames();
  ASSERT_EQ(names.size(), kMultisampleCount);
  for (std::size_t n = 0; n < names.size(); ++n) {
    ASSERT_LE(names[n].size(), kMultisampleNameMaxLength) << names[n];
    ASSERT_TRUE(names[n].starts_with(std::to_string(n) + " ")) << names[n];
  }
}

TEST(ProgramEditFieldsTest, ScaleSwitchKnobAndPitchBytes) {
  const ProgramEditFields f = DecodeProgramEditFields(SlotWith({
      {2, 'A'}, {17, 'Z'}, {kCommon + 2, 9}, {kCommon + 3, 26}, {kCommon + 4, 11},
      {kCommon + 5, 200}, {kCommon + 6, 0xC5}, {kCommon + 7, 0x3F}, {kCommon + 8, 0xFF},
      {kCommon + 9, 3}, {kCommon + 10, 250}, {kCommon + 11, 7}, {kOsc1 + 8, 12}, {kOsc1 + 10, 20},
      {kOsc1 + 11, 110}, {kOsc1 + 32, 3}, {kOsc1 + 33, 254}, {kOsc1 + 34, 64}, {kOsc2 + 10, 1},
      {kOsc2 + 11, 127}}));
  EXPECT_EQ(f.name, "A");  // the name ends at its first zero byte
  EXPECT_EQ(std::tuple(f.category, f.scaleType, f.scaleKey, f.scaleRandom),
            std::tuple(9, 26, 11, 200));
  EXPECT_EQ(TableName(ScaleNames(), 26), "User Octave Scale 15");
  const auto& [sw1, sw2] = f.switches;
  EXPECT_EQ(std::tuple(sw1.function, sw1.momentary, sw1.defaultOn, sw2.function, sw2.momentary),
            std::tuple(5, true, true, 63, false));
  EXPECT_EQ(f.knobs, (std::array<int, 4>{127, 3, 250, 7}));
  const auto& [osc1, osc2] = f.oscillators;
  EXPECT_EQ(std::tuple(osc1.delay, osc1.velocityBottom, osc1.velocityTop, osc1.octave,
                       osc1.transpose, osc1.tune, osc2.velocityBottom, osc2.velocityTop),
            std::tuple(12, 20, 110, 3, 254, 64, 1, 127));

  const ProgramEditFields outOfRange =
      DecodeProgramEditFields(SlotWith({{kCommon + 2, 16}, {kCommon + 3, 27}, {kCommon + 4, 12}}));
  EXPECT_FALSE(outOfRange.scaleType);
  EXPECT_FALSE(outOfRange.scaleKey);
  EXPECT_EQ(ProgramCategoryName(SlotWith({{kCommon + 2, 16}})), "");
  EXPECT_EQ(ProgramCategoryName(SlotWith({{kCommon + 2, 15}})), "Drums");
}

}  // namespace
}  // namespace zentavour
