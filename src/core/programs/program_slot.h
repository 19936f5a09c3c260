#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/common/bytes.h"
#include "core/programs/record_format.h"

namespace zentavour {

// One program in the single in-memory form that every record format unpacks into.
struct ProgramSlot {
  static constexpr std::size_t kSize = 826;
  static constexpr std::size_t kNumberOffset = 0;
  static constexpr std::size_t kNameOffset = 2;
  static constexpr std::size_t kNameSize = 16;
  static constexpr std::size_t kParameterGroupsOffset = 19;
  static constexpr std::size_t kFixedBlock1Offset = 139;
  static constexpr std::size_t kFixedBlock2Offset = 155;
  static constexpr std::size_t kFixedBlock3Offset = 159;
  static constexpr std::size_t kFixedBlock4Offset = 175;
  static constexpr std::size_t kShortModelBlockOffset = 195;  // formats 1, 2, 4
  static constexpr std::size_t kLongModelBlockOffset = 207;   // formats 3, 5, 6
  static constexpr std::size_t kCommonBlockOffset = 491;
  static constexpr std::size_t kCommonBlockSize = 26;
  static constexpr std::size_t kOscillator1Offset = 517;
  static constexpr std::size_t kOscillator2Offset = 671;
  static constexpr std::size_t kOscillatorBlockSize = 154;

  std::array<std::uint8_t, kSize> bytes{};

  // Program number 0 to 127.
  int number() const {
    return static_cast<std::int16_t>((bytes[kNumberOffset] << 8) | bytes[kNumberOffset + 1]);
  }
  // The name up to its first zero byte, at most 16 characters.
  std::string name() const;
  std::span<const std::uint8_t, kCommonBlockSize> common() const {
    return std::span<const std::uint8_t, kCommonBlockSize>(bytes.data() + kCommonBlockOffset,
                                                           kCommonBlockSize);
  }
  std::span<const std::uint8_t, kOscillatorBlockSize> oscillator(int which) const {
    return std::span<const std::uint8_t, kOscillatorBlockSize>(
        bytes.data() + (which == 0 ? kOscillator1Offset : kOscillator2Offset),
        kOscillatorBlockSize);
  }
};

// 128 programs, slot n holding program n.
using ProgramBank = std::array<ProgramSlot, 128>;

// Unpacks 128 packed records of the format from packed, starting at start, into the bank's slots.
// Returns the offset after the last record. When packed does not hold 128 records from start,
// the bank is left as it was and start is returned.
std::size_t UnpackProgramBank(ByteView packed, ProgramBank& bank, RecordFormat format,
                              std::size_t start);

// Bytes a bank of 128 records of the format occupies.
inline std::size_t PackedBankSize(RecordFormat format) {
  return 128 * RecordFormatTable(format).programRecordSize;
}

}  // namespace zentavour
