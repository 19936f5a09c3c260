#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <array>

#include "core/bitmaps/glyph_work_set.h"

namespace zentavour {

// The font as the import renders it: every pixel pure ink or background, and whole-pixel
// advances, so a character's width is exactly what the instrument will step by.
QFont MonochromeFont(const QFont& description);

// The rows of the font's cell that hold only leading (internal plus external): the adjustment
// that puts the top of the tallest characters on the glyph's first row.
int LeadingRows(const QFont& description);

// One character rendered into whole pixels: its advance, the font's cell height, and the cell as
// a one-bit image (1 = ink).
struct CharacterRendering {
  int advanceWidth = 0;
  int cellHeight = 0;
  QImage cell;  // Format_Mono, colour table {white, black}; null when the advance is 0
};

CharacterRendering RenderCharacter(const QFont& description, int code);

// One import pass: every character 33 to 127 in the font, its glyph record with the vertical
// adjustment applied, and its preview: the slot's rows from the adjusted top, doubled, ink
// white on black, cut to 48 pixels wide.
struct FontImportPass {
  GlyphWorkSet glyphs{};
  std::array<QImage, kGlyphCount> previews;
};

inline constexpr int kPreviewMaxWidth = 48;

FontImportPass RunImportPass(const QFont& description, int adjustment, int rows);

// A glyph as the instrument shows it, for the list of the font editor: the shown columns of
// its rows, black ink on white inside a light outline, each pixel `scale` pixels square, in a
// picture `columns` wide so that every icon of a list lines up.
QPixmap GlyphPicture(const GlyphRecord& record, int rows, int columns, int scale);

}  // namespace zentavour
