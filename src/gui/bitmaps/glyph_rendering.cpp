#include "gui/bitmaps/glyph_rendering.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "core/bitmaps/rendered_glyph.h"

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

QFont MonochromeFont(const QFont& description) {
  QFont font = description;
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

int LeadingRows(const QFont& description) {
  const QFont font = MonochromeFont(description);
  const QFontMetrics metrics(font);
  const int internalLeading = metrics.height() - QFontInfo(font).pixelSize();
  return internalLeading + metrics.leading();
}

CharacterRendering RenderCharacter(const QFont& description, int code) {
  const QFont font = MonochromeFont(description);
  const QFontMetrics metrics(font);
  const QString text(QChar(static_cast<char16_t>(code)));
  CharacterRendering out;
  out.advanceWidth = std::max(0, metrics.horizontalAdvance(text));
  out.cellHeight = metrics.height();
  if (out.advanceWidth == 0 || out.cellHeight <= 0) return out;

  out.cell = QImage(out.advanceWidth, out.cellHeight, QImage::Format_Mono);
  // Index 1 is black, so a painted pixel is a set bit.
  out.cell.setColorTable({kWhite, kBlack});
  out.cell.fill(0);
  QPainter painter(&out.cell);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(0, metrics.ascent(), text);
  return out;
}

FontImportPass RunImportPass(const QFont& description, int adjustment, int rows) {
  FontImportPass pass;
  for (int k = 0; k < kGlyphCount; ++k) {
    const CharacterRendering character = RenderCharacter(description, kFirstGlyphCode + k);
    const QImage& cell = character.cell;
    const RenderedCharacter rendered{
        character.advanceWidth, cell.isNull() ? 0 : character.cellHeight,
        cell.isNull() ? 0 : static_cast<int>(cell.bytesPerLine()),
        cell.isNull() ? ByteView{}
                      : ByteView{cell.constBits(), static_cast<std::size_t>(cell.sizeInBytes())}};
    auto& record = pass.glyphs[static_cast<std::size_t>(k)];
    record = GlyphFromRendering(rendered, adjustment);
    // An empty character (no advance) still has its width byte, 0.
    pass.previews[static_cast<std::size_t>(k)] = Preview(character, adjustment, rows);
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
