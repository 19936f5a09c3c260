#include "core/pcg/program_edit_fields.h"

#include "core/pcg/program_tables.h"

namespace zentavour {
namespace {

std::optional<int> IndexIn(std::size_t tableSize, int value) {
  if (value < 0 || static_cast<std::size_t>(value) >= tableSize) return std::nullopt;
  return value;
}

MultisampleField DecodeMultisample(
    std::span<const std::uint8_t, ProgramSlot::kOscillatorBlockSize> osc, std::size_t at) {
  MultisampleField field;
  field.startOffset = (osc[at] & 0x80) != 0;
  field.reverse = (osc[at] & 0x40) != 0;
  field.number = MultisampleNumber(osc[at], osc[at + 1]);
  field.listIndex = IndexIn(kMultisampleCount, field.number);
  field.memory = IndexIn(MemoryNames().size(), osc[at + 2]);
  field.level = osc[at + 3];
  return field;
}

SwitchFields DecodeSwitch(std::uint8_t value) {
  return SwitchFields{value & 0x3F, (value & 0x40) != 0, (value & 0x80) != 0};
}

}  // namespace

ProgramEditFields DecodeProgramEditFields(const ProgramSlot& slot) {
  ProgramEditFields fields;
  fields.name = slot.name();
  const auto common = slot.common();
  const std::uint8_t mode = common[0];
  fields.oscillatorMode = IndexIn(3, mode & 0x03);
  fields.monophonic = (mode & 0x04) != 0;
  fields.legato = (mode & 0x08) != 0;
  fields.priority = IndexIn(PriorityNames().size(), (mode >> 4) & 0x03);
  fields.singleTrigger = (mode & 0x40) != 0;
  fields.hold = (mode & 0x80) != 0;
  fields.category = common[2];
  fields.scaleType = IndexIn(ScaleNames().size(), common[3]);
  fields.scaleKey = IndexIn(KeyNames().size(), common[4]);
  fields.scaleRandom = common[5];
  fields.switches = {DecodeSwitch(common[6]), DecodeSwitch(common[7])};
  fields.knobs = {common[8] & 0x7F, common[9], common[10], common[11]};
  for (int which = 0; which < 2; ++which) {
    const auto osc = slot.oscillator(which);
    OscillatorFields& out = fields.oscillators[static_cast<std::size_t>(which)];
    out.high = DecodeMultisample(osc, 0);
    out.low = DecodeMultisample(osc, 4);
    out.delay = osc[8];
    out.velocityBottom = osc[10];
    out.velocityTop = osc[11];
    out.octave = osc[32];
    out.transpose = osc[33];
    out.tune = osc[34];
  }
  return fields;
}

}  // namespace zentavour

namespace zentavour {

std::string_view OscillatorModeName(std::optional<int> mode) {
  static constexpr std::string_view kNames[] = {"Single", "Double", "Drums"};
  return mode && *mode >= 0 && *mode < 3 ? kNames[*mode] : std::string_view();
}

std::string_view ProgramCategoryName(const ProgramSlot& slot) {
  return TableName(CategoryNames(), slot.common()[2]);
}

}  // namespace zentavour
