#pragma once

#include <cstdint>
#include <vector>

#include "core/bitmaps/glyph_work_set.h"
#include "core/common/failure.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {

// A font as one picture to edit in a paint program: the 95 glyphs in rows of 16 cells, each
// cell a character code on top, the glyph's pixels (every column a record can hold, hidden ones
// included) magnified, and under them a bar of width marks, one per column, dark inside the
// width. The layout depends on the slot only, so a sheet edited elsewhere is read back by
// position.
struct FontSheetLayout {
  static constexpr int kScale = 4;        // sheet pixels per glyph pixel
  static constexpr int kCellsPerRow = 16;
  int rows = 0;                           // glyph rows of the slot
  int columns = 0;                        // glyph columns shown per cell
  int cellWidth = 0, cellHeight = 0;
  int width = 0, height = 0;              // the whole sheet

  int cellLeft(int glyph) const { return (glyph % kCellsPerRow) * cellWidth; }
  int cellTop(int glyph) const { return (glyph / kCellsPerRow) * cellHeight; }
  // Top left corner of the magnified glyph and of its width bar.
  int glyphLeft(int glyph) const;
  int glyphTop(int glyph) const;
  int barTop(int glyph) const;
};

FontSheetLayout FontSheetLayoutFor(const FontSlotEntry& slot);

// What a sheet pixel shows; only Ink counts when a sheet is read back.
enum class SheetShade : std::uint8_t { Paper, Ink, Guide, Label };

struct SheetPicture {
  int width = 0, height = 0;
  std::vector<SheetShade> pixels;  // row by row
};

SheetPicture DrawFontSheet(const GlyphWorkSet& glyphs, const FontSlotEntry& slot);

// A sheet as read from a picture: true where a pixel is dark.
struct InkPicture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> ink;  // row by row, 1 = ink
  bool at(int x, int y) const {
    return ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x)] != 0;
  }
};

// Reads the glyphs back from a sheet of the slot's layout (the centre of every magnified pixel
// decides). Widths come from the sheet's width marks: the count of dark marks from the left. A
// glyph whose pixels and width read the same as in current keeps its record byte for byte, so
// exporting and importing changes nothing. Fails, changing nothing, when the picture is not of
// the layout's size.
[[nodiscard]] Result<GlyphWorkSet> ReadFontSheet(const InkPicture& sheet,
                                                 const GlyphWorkSet& current,
                                                 const FontSlotEntry& slot);

}  // namespace zentavour
