#pragma once

#include <cstddef>
#include <optional>

namespace zentavour {

// Record format codes. 1, 2, 3 and 5 are the PCG model codes of PCG files; 4 and 6 occur only in
// the GM banks of OS images.
enum class RecordFormat : int {
  Orvane = 1,
  OrvaneMi = 2,
  Ossik = 3,
  OrvaneSaloneOs = 4,
  OssikV2 = 5,
  OssikOs = 6,
};

// Sizes of the blocks of a packed program record of one format.
struct RecordFormatInfo {
  RecordFormat format;
  std::size_t programRecordSize;
  int parameterGroups;
  std::size_t modelBlockSize;
  std::size_t combinationRecordSize;      // 0 where the format has no combinations
  std::size_t combinationCategoryOffset;  // 0 where the format has no combinations

  // Offset of the program common block in the packed record.
  std::size_t commonBlockOffset() const {
    return 16 + 24 * static_cast<std::size_t>(parameterGroups) + 16 + 4 + 16 + 20 + modelBlockSize;
  }
};

const RecordFormatInfo& RecordFormatTable(RecordFormat format);
std::optional<RecordFormat> RecordFormatFromCode(int code);

}  // namespace zentavour
