#pragma once

#include <string_view>

#include "core/bitmaps/glyph_record.h"
#include "core/common/bytes.h"

namespace zentavour {

// Characters wider than this are not imported (their record stays empty, width 0).
inline constexpr int kMaxImportedGlyphWidth = 31;
// Glyph rows hold at most 3 bytes (24 pixels); wider characters keep their advance as the width
// byte but only their left 24 columns.
inline constexpr int kMaxGlyphRowBytes = 3;

// One character as the window layer rendered it: one-bit rows of the whole character cell, top
// row first, most significant bit leftmost, 1 = ink.
struct RenderedCharacter {
  int advanceWidth = 0;  // the character's advance, becomes the glyph's width
  int cellHeight = 0;    // rows in bits
  int bytesPerLine = 0;  // bytes from one row to the next in bits (may include padding)
  ByteView bits;
};

// Turns a rendered character into a glyph record. The glyph's top row is row `adjustment` of
// the character cell; a negative adjustment moves the character down by blank rows. Rows are
// taken until the cell ends or the record's 57 pixel bytes are full; pixels right of the advance
// are cleared. Never reads outside bits.
GlyphRecord GlyphFromRendering(const RenderedCharacter& character, int adjustment);

// The vertical adjustment typed into the import dialog: its first two characters read as a
// decimal number with an optional sign; reading stops at the first non-digit, no digits is 0.
int ParseVerticalAdjustment(std::string_view text);

}  // namespace zentavour
