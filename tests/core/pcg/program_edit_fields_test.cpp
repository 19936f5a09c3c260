#include "core/pcg/program_edit_fields.h"

#include <gtest/gtest.h>

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
    std::optional<int> oscillatorMode;
    bool mono, legato;
    std::optional<int> priority;
    bool singleTrigger, hold;
  };
  const Case cases[] = {
      {0x00, 0, false, false, 0, false, false},
      {0x02, 2, false, false, 0, false, false},
      {0x03, std::nullopt, false, false, 0, false, false},
      {0x10, 0, false, false, 1, false, false},
      {0x20, 0, false, false, 2, false, false},
      {0x30, 0, false, false, std::nullopt, false, false},
      {0x0C, 0, true, true, 0, false, false},
      {0xC6, 2, true, false, 0, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    const ProgramEditFields f = DecodeProgramEditFields(SlotWith({{kCommon, c.mode}}));
    EXPECT_EQ(f.oscillatorMode, c.oscillatorMode);
    EXPECT_EQ(f.monophonic, c.mono);
    EXPECT_EQ(f.legato, c.legato);
    EXPECT_EQ(f.priority, c.priority);
    EXPECT_EQ(f.singleTrigger, c.singleTrigger);
    EXPECT_EQ(f.hold, c.hold);
  }
}

TEST(ProgramEditFieldsTest, MultisampleFields) {
  struct Case {
    std::uint8_t high, low, memory;
    int number;
    std::optional<int> listIndex;
    bool startOffset, reverse;
    std::optional<int> memoryIndex;
  };
  const Case cases[] = {
      {0x80, 0x05, 0, 5, 5, true, false, 0},
      {0x7F, 0xFF, 1, 16383, std::nullopt, false, true, 1},
      {0x01, 0xA8, 0, 424, 424, false, false, 0},
      {0x01, 0xA9, 2, 425, std::nullopt, false, false, std::nullopt},
      {0xC0, 0x00, 0, 0, 0, true, true, 0},
  };
  // Each case in each of the four multisample places: osc1 high/low, osc2 high/low.
  for (const Case& c : cases) {
    for (std::size_t base : {kOsc1, kOsc1 + 4, kOsc2, kOsc2 + 4}) {
      SCOPED_TRACE(testing::Message() << c.number << " at " << base);
      const ProgramEditFields f = DecodeProgramEditFields(
          SlotWith({{base, c.high}, {base + 1, c.low}, {base + 2, c.memory}, {base + 3, 99}}));
      const OscillatorFields& osc = f.oscillators[base < kOsc2 ? 0 : 1];
      const MultisampleField& m = (base - kOsc1) % 154 == 0 ? osc.high : osc.low;
      EXPECT_EQ(m.number, c.number);
      EXPECT_EQ(m.listIndex, c.listIndex);
      EXPECT_EQ(m.startOffset, c.startOffset);
      EXPECT_EQ(m.reverse, c.reverse);
      EXPECT_EQ(m.memory, c.memoryIndex);
      EXPECT_EQ(m.level, 99);
    }
  }
  // Each list entry starts with its number and a space, within the width the list allows.
  const auto names = MultisampleNames();
  ASSERT_EQ(names.size(), kMultisampleCount);
  for (std::size_t n = 0; n < names.size(); ++n) {
    const std::string prefix = std::to_string(n) + " ";
    ASSERT_LE(names[n].size(), kMultisampleNameMaxLength) << names[n];
    ASSERT_TRUE(names[n].starts_with(prefix)) << names[n];
  }
}

TEST(ProgramEditFieldsTest, ScaleSwitchKnobAndPitchBytes) {
  const ProgramEditFields f = DecodeProgramEditFields(SlotWith({
      {2, 'A'},
      {17, 'Z'},
      {kCommon + 2, 9},
      {kCommon + 3, 26},
      {kCommon + 4, 11},
      {kCommon + 5, 200},
      {kCommon + 6, 0xC5},
      {kCommon + 7, 0x3F},
      {kCommon + 8, 0xFF},
      {kCommon + 9, 3},
      {kCommon + 10, 250},
      {kCommon + 11, 7},
      {kOsc1 + 8, 12},
      {kOsc1 + 10, 20},
      {kOsc1 + 11, 110},
      {kOsc1 + 32, 3},
      {kOsc1 + 33, 254},
      {kOsc1 + 34, 64},
      {kOsc2 + 10, 1},
      {kOsc2 + 11, 127},
  }));
  EXPECT_EQ(f.name, "A");  // the name ends at its first zero byte
  EXPECT_EQ(f.category, 9);
  EXPECT_EQ(f.scaleType, 26);
  EXPECT_EQ(TableName(ScaleNames(), *f.scaleType), "User Octave Scale 15");
  EXPECT_EQ(f.scaleKey, 11);
  EXPECT_EQ(f.scaleRandom, 200);
  EXPECT_EQ(f.switches[0].function, 5);
  EXPECT_TRUE(f.switches[0].momentary);
  EXPECT_TRUE(f.switches[0].defaultOn);
  EXPECT_EQ(f.switches[1].function, 63);
  EXPECT_FALSE(f.switches[1].momentary);
  EXPECT_EQ(f.knobs, (std::array<int, 4>{127, 3, 250, 7}));
  EXPECT_EQ(f.oscillators[0].delay, 12);
  EXPECT_EQ(f.oscillators[0].velocityBottom, 20);
  EXPECT_EQ(f.oscillators[0].velocityTop, 110);
  EXPECT_EQ(f.oscillators[0].octave, 3);
  EXPECT_EQ(f.oscillators[0].transpose, 254);
  EXPECT_EQ(f.oscillators[0].tune, 64);
  EXPECT_EQ(f.oscillators[1].velocityBottom, 1);
  EXPECT_EQ(f.oscillators[1].velocityTop, 127);

  const ProgramEditFields outOfRange =
      DecodeProgramEditFields(SlotWith({{kCommon + 2, 16}, {kCommon + 3, 27}, {kCommon + 4, 12}}));
  EXPECT_FALSE(outOfRange.scaleType);
  EXPECT_FALSE(outOfRange.scaleKey);
  EXPECT_EQ(ProgramCategoryName(SlotWith({{kCommon + 2, 16}})), "");
  EXPECT_EQ(ProgramCategoryName(SlotWith({{kCommon + 2, 15}})), "Drums");
}

}  // namespace
}  // namespace zentavour
