#include "core/pcg/combination_slot.h"

#include <algorithm>

namespace zentavour {

std::string CombinationSlot::name() const {
  return FixedText(ByteView(bytes.data() + kNameOffset, kNameSize));
}

bool ReadCombinationBank(ByteView file, std::size_t position, CombinationBank& bank,
                         RecordFormat format) {
  const RecordFormatInfo& info = RecordFormatTable(format);
  const std::size_t stride = info.combinationRecordSize;
  if (stride == 0) return false;
  if (position > file.size() || file.size() - position < 128 * stride) return false;
  for (std::size_t n = 0; n < 128; ++n) {
    const std::size_t record = position + n * stride;
    CombinationSlot& slot = bank[n];
    slot.bytes.fill(0);
    slot.bytes[0] = static_cast<std::uint8_t>(n >> 8);
    slot.bytes[1] = static_cast<std::uint8_t>(n & 0xFF);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(record), CombinationSlot::kNameSize,
                slot.bytes.begin() + CombinationSlot::kNameOffset);
    slot.bytes[CombinationSlot::kCategoryOffset] = file[record + info.combinationCategoryOffset];
  }
  return true;
}

}  // namespace zentavour
