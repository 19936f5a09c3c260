#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/common/bytes.h"
#include "core/programs/record_format.h"

namespace zentavour {

// What the program keeps of one combination: its number, name and category.
struct CombinationSlot {
  static constexpr std::size_t kSize = 22;
  static constexpr std::size_t kNumberOffset = 0;
  static constexpr std::size_t kNameOffset = 2;
  static constexpr std::size_t kNameSize = 16;
  static constexpr std::size_t kCategoryOffset = 20;

  std::array<std::uint8_t, kSize> bytes{};

  int number() const {
    return static_cast<std::int16_t>((bytes[kNumberOffset] << 8) | bytes[kNumberOffset + 1]);
  }
  // The name up to its first zero byte, at most 16 characters.
  std::string name() const;
  int category() const { return bytes[kCategoryOffset]; }
};

// 128 combinations, slot n holding combination n.
using CombinationBank = std::array<CombinationSlot, 128>;

// Reads the 128 combination records that start at position of a PCG file's bytes: number, name
// and category byte of each. Returns false, leaving bank as it was, when the format has no
// combinations or the file does not hold the whole bank.
[[nodiscard]] bool ReadCombinationBank(ByteView file, std::size_t position, CombinationBank& bank,
                                       RecordFormat format);

}  // namespace zentavour
