#include "core/bitmaps/glyph_record.h"

#include <algorithm>

namespace zentavour {

int UnpackGlyph(const GlyphRecord& record, int rows, PixelGrid& grid) {
  grid.Clear();
  const int width = record.width();
  const int bytesPerRow = GlyphBytesPerRow(width);
  rows = std::clamp(rows, 0, PixelGrid::kRows);
  for (int r = 0; r < rows; ++r) {
    for (int i = 0; i < bytesPerRow; ++i) {
      const int at = 1 + r * bytesPerRow + i;
      if (at >= kGlyphRecordSize) return width;
      const std::uint8_t byte = record.bytes[static_cast<std::size_t>(at)];
      for (int j = 0; j < 8; ++j) grid.set(r, 8 * i + 7 - j, (byte >> j) & 1);
    }
  }
  return width;
}

void PackGlyph(GlyphRecord& record, int width, int rows, const PixelGrid& grid) {
  record.bytes.fill(0);
  record.bytes[0] = static_cast<std::uint8_t>(width & 0xFF);
  const int bytesPerRow = GlyphBytesPerRow(record.width());
  rows = std::clamp(rows, 0, PixelGrid::kRows);
  for (int r = 0; r < rows; ++r) {
    for (int i = 0; i < bytesPerRow; ++i) {
      const int at = 1 + r * bytesPerRow + i;
      if (at >= kGlyphRecordSize) return;
      std::uint8_t byte = 0;
      for (int j = 0; j < 8; ++j) byte |= static_cast<std::uint8_t>(grid.at(r, 8 * i + 7 - j) << j);
      record.bytes[static_cast<std::size_t>(at)] = byte;
    }
  }
}

}  // namespace zentavour
