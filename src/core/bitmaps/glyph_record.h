#pragma once

#include <array>
#include <cstdint>

#include "core/bitmaps/pixel_grid.h"

namespace zentavour {

// Largest glyph of any font slot: a width byte and 19 rows of 3 bytes.
inline constexpr int kGlyphRecordSize = 58;
inline constexpr int kGlyphPixelBytes = kGlyphRecordSize - 1;

// Working copy of one glyph: byte 0 the width in pixels (the advance), then the pixel rows, top
// row first, each row GlyphBytesPerRow(width) bytes, leftmost pixel in the most significant bit.
// The first stride bytes are byte for byte one glyph of the font table.
struct GlyphRecord {
  std::array<std::uint8_t, kGlyphRecordSize> bytes{};

  std::uint8_t width() const { return bytes[0]; }

  friend bool operator==(const GlyphRecord&, const GlyphRecord&) = default;
};

// Bytes per pixel row of a glyph of this width: 1 up to 8 pixels, 2 up to 16, 3 above. The rule
// is applied to the width current when a glyph is packed or unpacked, never taken from the slot.
inline constexpr int GlyphBytesPerRow(int width) {
  return width < 9 ? 1 : width < 17 ? 2 : 3;
}

// Clears the grid and fills rows 0 to rows - 1 from the record, GlyphBytesPerRow(width) x 8
// columns per row (hidden columns right of the width included). Returns the record's width.
int UnpackGlyph(const GlyphRecord& record, int rows, PixelGrid& grid);

// Rewrites the whole record from the grid: width byte, then rows 0 to rows - 1 with
// GlyphBytesPerRow(width) bytes each; bytes that do not fit the record's 57 pixel bytes are
// dropped, bytes after the last row are 0.
void PackGlyph(GlyphRecord& record, int width, int rows, const PixelGrid& grid);

}  // namespace zentavour
