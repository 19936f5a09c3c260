#pragma once

// The one font renderer of the windows and the CLI: Import Font and "font render" both go
// through here, so the same font gives the same glyphs and the same default adjustment.
#include <QFont>
#include <QImage>
#include <array>

#include "core/bitmaps/glyph_work_set.h"

namespace zentavour {

// The font as the import renders it: every pixel pure ink or background, and whole-pixel
// advances, so a character's width is exactly what the instrument will step by.
QFont MonochromeFont(const QFont& description);

// The default vertical adjustment: the rows of the font's cell that hold only leading, internal
// (cell height minus the font's actual pixel size, which may differ from the size asked for)
// plus external. It puts the top of the tallest characters on the glyph's first row.
int LeadingRows(const QFont& description);

// One character rendered into whole pixels: its advance, the font's cell height, and the cell as
// a one-bit image (1 = ink).
struct CharacterRendering {
  int advanceWidth = 0;
  int cellHeight = 0;
  QImage cell;  // Format_Mono, colour table {white, black}; null when the advance is 0
};

CharacterRendering RenderCharacter(const QFont& description, int code);

// Every character 33 to 127 rendered, and the glyph records made from them with the vertical
// adjustment applied.
struct FontRendering {
  std::array<CharacterRendering, kGlyphCount> characters;
  GlyphWorkSet glyphs{};
};

FontRendering RenderFont(const QFont& description, int adjustment);

}  // namespace zentavour
