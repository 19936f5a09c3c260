#pragma once

#include <string>
#include <vector>

#include "core/bitmaps/glyph_work_set.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {

// The widest glyph a slot can store whole: every row's bytes fit the slot's bytes per glyph.
int MaxGlyphWidth(const FontSlotEntry& slot);

// Gives each listed glyph (indices 0 to 94) the width, keeping its pixels; columns that the new
// width no longer stores are dropped, as narrowing in the character editor does. Fails,
// changing nothing, when the width is outside 0 to MaxGlyphWidth.
[[nodiscard]] Status SetGlyphWidths(GlyphWorkSet& glyphs, const std::vector<int>& indices,
                                    int width, const FontSlotEntry& slot);

// Glyphs copied from a font, to paste into any slot of any set: each with its character code
// and its whole record, as a font file holds it.
struct CopiedGlyph {
  int code = 0;
  GlyphRecord record;
};

// The clipboard form: a short signature, the source slot's rows, then code and record per glyph.
Bytes EncodeCopiedGlyphs(const std::vector<CopiedGlyph>& glyphs, int rows);
// Nothing when the bytes are not such a clipboard (wrong signature, sizes or codes).
[[nodiscard]] Result<std::vector<CopiedGlyph>> DecodeCopiedGlyphs(ByteView bytes);

std::vector<CopiedGlyph> CopyGlyphs(const GlyphWorkSet& glyphs, const std::vector<int>& indices);
// The copied glyphs land in their order on the character at `first` (0 to 94) and those after
// it, whatever codes they were copied from; those that would fall past the last character are
// left out. Each record lands whole, so the slot cuts what does not fit it when the work set is
// stored, exactly as after loading a font file: the first bytes per glyph of the record, its top
// rows. Returns the indices changed, in order (none when `first` is not a character).
std::vector<int> PasteGlyphs(GlyphWorkSet& glyphs, const std::vector<CopiedGlyph>& copied,
                             int first);

// A line of text set in the font at one pixel per glyph pixel, each character advancing by its
// width; a space advances by a third of the rows, codes outside 32 to 127 are skipped.
struct InkLine {
  int width = 0, height = 0;
  std::vector<std::uint8_t> ink;  // row by row, 1 = ink
};
InkLine SetTextInFont(const GlyphWorkSet& glyphs, int rows, const std::string& text);

}  // namespace zentavour
