#include "gui/bitmaps/glyph_rendering.h"

#include <QPainter>
#include <algorithm>

namespace zentavour {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kOutline = qRgb(203, 203, 203);

bool InkAt(const QImage& cell, int row, int column) {
  if (cell.isNull() || row < 0 || row >= cell.height() || column < 0 || column >= cell.width())
    return false;
  return cell.pixelIndex(column, row) == 1;
}

QImage Preview(const CharacterRendering& character, int adjustment, int rows) {
  const int width =
      character.advanceWidth * 2 > kPreviewMaxWidth ? kPreviewMaxWidth : character.advanceWidth * 2;
  if (width <= 0 || rows <= 0) return {};
  QImage preview(width, 2 * rows, QImage::Format_Mono);
  preview.setColorTable({kBlack, kWhite});
  preview.fill(0);
  // Rows above the cell (a negative adjustment) and below it stay black.
  for (int y = 0; y < preview.height(); ++y) {
    const int row = adjustment + y / 2;
    for (int x = 0; x < width; ++x) {
      if (InkAt(character.cell, row, x / 2)) preview.setPixel(x, y, 1);
    }
  }
  return preview;
}

}  // namespace

FontImportPass RunImportPass(const QFont& description, int adjustment, int rows) {
  const FontRendering rendering = RenderFont(description, adjustment);
  FontImportPass pass;
  pass.glyphs = rendering.glyphs;
  for (int k = 0; k < kGlyphCount; ++k) {
    const auto at = static_cast<std::size_t>(k);
    pass.previews[at] = Preview(rendering.characters[at], adjustment, rows);
  }
  return pass;
}

QPixmap GlyphPicture(const GlyphRecord& record, int rows, int columns, int scale) {
  const int width = record.width();
  const int bytesPerRow = GlyphBytesPerRow(width);
  QImage image((columns + 2) * scale, (rows + 2) * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  const int shown = std::min({width, columns, bytesPerRow * 8});
  painter.fillRect(0, 0, (shown + 2) * scale, (rows + 2) * scale, kOutline);
  painter.fillRect(scale, scale, shown * scale, rows * scale, kWhite);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < shown; ++c) {
      const int at = 1 + r * bytesPerRow + c / 8;
      if (at >= kGlyphRecordSize) continue;
      if (record.bytes[static_cast<std::size_t>(at)] & (0x80 >> (c % 8)))
        painter.fillRect((c + 1) * scale, (r + 1) * scale, scale, scale, kBlack);
    }
  }
  painter.end();
  return QPixmap::fromImage(image);
}

}  // namespace zentavour
