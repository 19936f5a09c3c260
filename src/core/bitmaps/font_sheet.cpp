#include "core/bitmaps/font_sheet.h"

#include <algorithm>
#include <string>

#include "core/bitmaps/pixel_grid.h"
#include "core/bitmaps/tiny_font.h"

namespace zentavour {
namespace {

constexpr int kMargin = 4;
constexpr int kLabelScale = 2;
constexpr int kLabelHeight = kTinyFontHeight * kLabelScale;
constexpr int kGap = 4;

}  // namespace

int FontSheetLayout::glyphLeft(int glyph) const { return cellLeft(glyph) + kMargin; }
int FontSheetLayout::glyphTop(int glyph) const {
  return cellTop(glyph) + kMargin + kLabelHeight + kGap;
}
int FontSheetLayout::barTop(int glyph) const { return glyphTop(glyph) + rows * kScale + kGap; }

FontSheetLayout FontSheetLayoutFor(const FontSlotEntry& slot) {
  FontSheetLayout layout;
  layout.rows = std::clamp(slot.rows, 1, PixelGrid::kRows);
  // Every column a record of the slot can hold: whole bytes per row, at most three.
  const int bytesPerRow = std::clamp(kGlyphPixelBytes / layout.rows, 1, 3);
  layout.columns = bytesPerRow * 8;
  layout.cellWidth =
      std::max(layout.columns * FontSheetLayout::kScale, 3 * (kTinyFontWidth + 1) * kLabelScale) +
      2 * kMargin;
  layout.cellHeight = kMargin + kLabelHeight + kGap + layout.rows * FontSheetLayout::kScale +
                      kGap + FontSheetLayout::kScale + kMargin;
  const int sheetRows =
      (kGlyphCount + FontSheetLayout::kCellsPerRow - 1) / FontSheetLayout::kCellsPerRow;
  layout.width = layout.cellWidth * FontSheetLayout::kCellsPerRow;
  layout.height = layout.cellHeight * sheetRows;
  return layout;
}

SheetPicture DrawFontSheet(const GlyphWorkSet& glyphs, const FontSlotEntry& slot) {
  const FontSheetLayout layout = FontSheetLayoutFor(slot);
  SheetPicture sheet{layout.width, layout.height,
                     std::vector<SheetShade>(static_cast<std::size_t>(layout.width) *
                                             static_cast<std::size_t>(layout.height))};
  const auto fill = [&](int left, int top, int width, int height, SheetShade shade) {
    for (int y = top; y < top + height; ++y)
      for (int x = left; x < left + width; ++x)
        sheet.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(layout.width) +
                     static_cast<std::size_t>(x)] = shade;
  };
  constexpr int s = FontSheetLayout::kScale;
  for (int k = 0; k < kGlyphCount; ++k) {
    const std::string code = std::to_string(kFirstGlyphCode + k);
    for (std::size_t i = 0; i < code.size(); ++i)
      for (int x = 0; x < kTinyFontWidth; ++x)
        for (int y = 0; y < kTinyFontHeight; ++y)
          if (TinyFontDot(code[i], x, y))
            fill(layout.cellLeft(k) + kMargin +
                     (static_cast<int>(i) * (kTinyFontWidth + 1) + x) * kLabelScale,
                 layout.cellTop(k) + kMargin + y * kLabelScale, kLabelScale, kLabelScale,
                 SheetShade::Label);
    PixelGrid grid;
    const int width = UnpackGlyph(glyphs[static_cast<std::size_t>(k)], layout.rows, grid);
    const int shown = std::min(width, layout.columns);
    fill(layout.glyphLeft(k), layout.glyphTop(k), shown * s, layout.rows * s, SheetShade::Guide);
    for (int r = 0; r < layout.rows; ++r)
      for (int c = 0; c < layout.columns; ++c)
        if (grid.at(r, c))
          fill(layout.glyphLeft(k) + c * s, layout.glyphTop(k) + r * s, s, s, SheetShade::Ink);
    // Width marks: a dark mark per column inside the width, a light one outside.
    for (int c = 0; c < layout.columns; ++c)
      fill(layout.glyphLeft(k) + c * s, layout.barTop(k), s - 1, s - 1,
           c < shown ? SheetShade::Ink : SheetShade::Guide);
  }
  return sheet;
}

Result<GlyphWorkSet> ReadFontSheet(const InkPicture& sheet, const GlyphWorkSet& current,
                                   const FontSlotEntry& slot) {
  const FontSheetLayout layout = FontSheetLayoutFor(slot);
  if (sheet.width != layout.width || sheet.height != layout.height ||
      sheet.ink.size() != static_cast<std::size_t>(layout.width) *
                              static_cast<std::size_t>(layout.height)) {
    return FileError("The picture is " + std::to_string(sheet.width) + " x " +
                     std::to_string(sheet.height) + " pixels; a sheet of this font is " +
                     std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                     ". Export a sheet of this font and draw on that.");
  }
  constexpr int s = FontSheetLayout::kScale;
  GlyphWorkSet glyphs = current;
  for (int k = 0; k < kGlyphCount; ++k) {
    GlyphRecord& record = glyphs[static_cast<std::size_t>(k)];
    PixelGrid was;
    const int oldWidth = UnpackGlyph(record, layout.rows, was);
    int width = 0;
    while (width < layout.columns &&
           sheet.at(layout.glyphLeft(k) + width * s + s / 2 - 1, layout.barTop(k) + s / 2 - 1))
      ++width;
    // A width beyond the marks (a full bar) is kept from the current font.
    if (width == layout.columns && oldWidth > width) width = oldWidth;
    PixelGrid grid;
    bool same = width == oldWidth;
    for (int r = 0; r < layout.rows; ++r)
      for (int c = 0; c < layout.columns; ++c) {
        const bool ink = sheet.at(layout.glyphLeft(k) + c * s + s / 2, layout.glyphTop(k) + r * s + s / 2);
        grid.set(r, c, ink);
        // Columns past the record's bytes per row are not stored; they cannot differ.
        if (c < GlyphBytesPerRow(width) * 8 && ink != was.at(r, c)) same = false;
      }
    if (!same) PackGlyph(record, width, layout.rows, grid);
  }
  return glyphs;
}

}  // namespace zentavour
