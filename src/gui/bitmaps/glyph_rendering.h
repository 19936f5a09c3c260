#pragma once

#include <QImage>
#include <QPixmap>
#include <array>

#include "core/bitmaps/glyph_work_set.h"
#include "render/font_renderer.h"

namespace zentavour {

// One import pass: every character 33 to 127 in the font, its glyph record with the vertical
// adjustment applied (both from the shared renderer), and its preview: the slot's rows from the
// adjusted top, doubled, ink white on black, cut to 48 pixels wide.
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
