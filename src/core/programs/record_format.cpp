#include "core/programs/record_format.h"

#include <array>

namespace zentavour {

const RecordFormatInfo& RecordFormatTable(RecordFormat format) {
  static const std::array<RecordFormatInfo, 6> table{{
      {RecordFormat::Orvane, 540, 5, 12, 448, 214},
      {RecordFormat::OrvaneMi, 444, 1, 12, 352, 118},
      {RecordFormat::Ossik, 804, 5, 276, 996, 762},
      {RecordFormat::OrvaneSaloneOs, 540, 5, 12, 448, 214},
      {RecordFormat::OssikV2, 804, 5, 276, 996, 762},
      {RecordFormat::OssikOs, 812, 5, 284, 0, 0},
  }};
  return table[static_cast<std::size_t>(format) - 1];
}

std::optional<RecordFormat> RecordFormatFromCode(int code) {
  if (code < 1 || code > 6) return std::nullopt;
  return static_cast<RecordFormat>(code);
}

}  // namespace zentavour
