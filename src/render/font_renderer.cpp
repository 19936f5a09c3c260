#include "render/font_renderer.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "core/bitmaps/rendered_glyph.h"

namespace zentavour {
namespace {

CharacterRendering RenderWith(const QFont& font, const QFontMetrics& metrics, int code) {
  const QString text(QChar(static_cast<char16_t>(code)));
  CharacterRendering out;
  out.advanceWidth = std::max(0, metrics.horizontalAdvance(text));
  out.cellHeight = metrics.height();
  if (out.advanceWidth == 0 || out.cellHeight <= 0) return out;

  out.cell = QImage(out.advanceWidth, out.cellHeight, QImage::Format_Mono);
  // Index 1 is black, so a painted pixel is a set bit.
  out.cell.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  out.cell.fill(0);
  QPainter painter(&out.cell);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(0, metrics.ascent(), text);
  return out;
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
  // Qt gives some fonts a negative leading (a line gap smaller than ascent plus descent); the
  // text metrics this default follows never report less than none.
  return internalLeading + std::max(0, metrics.leading());
}

CharacterRendering RenderCharacter(const QFont& description, int code) {
  const QFont font = MonochromeFont(description);
  return RenderWith(font, QFontMetrics(font), code);
}

FontRendering RenderFont(const QFont& description, int adjustment) {
  const QFont font = MonochromeFont(description);
  const QFontMetrics metrics(font);
  FontRendering out;
  for (int k = 0; k < kGlyphCount; ++k) {
    const auto at = static_cast<std::size_t>(k);
    out.characters[at] = RenderWith(font, metrics, kFirstGlyphCode + k);
    const CharacterRendering& character = out.characters[at];
    const QImage& cell = character.cell;
    // An empty character (no advance) still gets its record, width 0.
    const RenderedCharacter rendered{
        character.advanceWidth, cell.isNull() ? 0 : character.cellHeight,
        cell.isNull() ? 0 : static_cast<int>(cell.bytesPerLine()),
        cell.isNull() ? ByteView{}
                      : ByteView{cell.constBits(), static_cast<std::size_t>(cell.sizeInBytes())}};
    out.glyphs[at] = GlyphFromRendering(rendered, adjustment);
  }
  return out;
}

}  // namespace zentavour
