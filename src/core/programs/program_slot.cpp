#include "core/programs/program_slot.h"

#include <algorithm>

namespace zentavour {

std::string ProgramSlot::name() const {
  return FixedText(ByteView(bytes.data() + kNameOffset, kNameSize));
}

std::size_t UnpackProgramBank(ByteView packed, ProgramBank& bank, RecordFormat format,
                              std::size_t start) {
  const RecordFormatInfo& info = RecordFormatTable(format);
  const bool longModelBlock = info.modelBlockSize > 12;
  // A bank that is not all there is not unpacked at all, rather than read past the bytes.
  if (start > packed.size() || packed.size() - start < 128 * info.programRecordSize) return start;
  std::size_t at = start;
  for (int n = 0; n < 128; ++n) {
    auto& slot = bank[static_cast<std::size_t>(n)].bytes;
    const auto copy = [&](std::size_t size, std::size_t to) {
      std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(at), size,
                  slot.begin() + static_cast<std::ptrdiff_t>(to));
      at += size;
    };
    slot[0] = static_cast<std::uint8_t>(n >> 8);
    slot[1] = static_cast<std::uint8_t>(n & 0xFF);
    copy(ProgramSlot::kNameSize, ProgramSlot::kNameOffset);
    slot[18] = 0;
    copy(24 * static_cast<std::size_t>(info.parameterGroups), ProgramSlot::kParameterGroupsOffset);
    copy(16, ProgramSlot::kFixedBlock1Offset);
    copy(4, ProgramSlot::kFixedBlock2Offset);
    copy(16, ProgramSlot::kFixedBlock3Offset);
    copy(20, ProgramSlot::kFixedBlock4Offset);
    copy(info.modelBlockSize, longModelBlock ? ProgramSlot::kLongModelBlockOffset
                                             : ProgramSlot::kShortModelBlockOffset);
    copy(ProgramSlot::kCommonBlockSize, ProgramSlot::kCommonBlockOffset);
    copy(ProgramSlot::kOscillatorBlockSize, ProgramSlot::kOscillator1Offset);
    copy(ProgramSlot::kOscillatorBlockSize, ProgramSlot::kOscillator2Offset);
    at += 2;  // tail
  }
  return at;
}

}  // namespace zentavour
