#include "render/comparison_picture.h"

#include <QColor>
#include <QPainter>
#include <algorithm>

#include "core/bitmaps/glyph_work_set.h"
#include "core/bitmaps/graphic_packing.h"
#include "core/bitmaps/tiny_font.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {
namespace {

std::string SlotLabel(FontSlot slot) {
  std::string label(FontSlotName(slot));
  for (char& c : label) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return label;
}

constexpr int kMargin = 10;
constexpr int kLabelScale = 2;
constexpr int kLabelHeight = (kTinyFontHeight + 3) * kLabelScale;
constexpr int kGlyphScale = 6;
constexpr int kPictureScale = 2;
constexpr int kSheetWidth = 1200;

const QColor kInk(0, 0, 0);
const QColor kAdded(210, 0, 0);        // ink only in B
const QColor kRemoved(255, 175, 175);  // ink only in A
const QColor kPaper(0xF4, 0xF4, 0xEC);

void DrawLabel(QPainter& painter, int x, int y, const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (int dx = 0; dx < kTinyFontWidth; ++dx) {
      for (int dy = 0; dy < kTinyFontHeight; ++dy) {
        if (TinyFontDot(static_cast<unsigned char>(text[i]), dx, dy)) {
          painter.fillRect(x + (static_cast<int>(i) * (kTinyFontWidth + 1) + dx) * kLabelScale,
                           y + dy * kLabelScale, kLabelScale, kLabelScale,
                           QColor(0x50, 0x50, 0x80));
        }
      }
    }
  }
}

// A's cells and B's side by side: A's ink black; B's black where A has it too, red where only B
// has ink and pink where only A had it.
void DrawPair(QPainter& painter, int x, int y, int rows, int columns, int scale, int gap,
              const PixelGrid& a, const PixelGrid& b) {
  const int width = columns * scale;
  painter.fillRect(x, y, width, rows * scale, kPaper);
  painter.fillRect(x + width + gap, y, width, rows * scale, kPaper);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const bool inA = a.at(r, c), inB = b.at(r, c);
      if (inA) painter.fillRect(x + c * scale, y + r * scale, scale, scale, kInk);
      if (inA || inB) {
        painter.fillRect(x + width + gap + c * scale, y + r * scale, scale, scale,
                         inA && inB ? kInk
                         : inB      ? kAdded
                                    : kRemoved);
      }
    }
  }
}

// Lays out the differing glyphs and pictures, A left and B right of each pair, first measuring
// (painter null) and then painting.
int LayOut(QPainter* painter, const SetComparison& report, const OsSetBytes& a,
           const OsSetBytes& b) {
  int y = kMargin;
  const auto label = [&](const std::string& text) {
    if (painter) DrawLabel(*painter, kMargin, y, text);
    y += kLabelHeight;
  };
  bool any = false;
  for (const FontChange& font : report.fonts) {
    if (font.glyphs.empty()) continue;
    any = true;
    const int rows = FontSlotTable(report.model, font.slot)->rows;
    const auto glyphsA = LoadGlyphWorkSet(a.ext, report.model, font.slot);
    const auto glyphsB = LoadGlyphWorkSet(b.ext, report.model, font.slot);
    label("FONT " + SlotLabel(font.slot) + ": A LEFT, B RIGHT");
    int x = kMargin, rowHeight = 0;
    for (const GlyphChange& g : font.glyphs) {
      PixelGrid gridA, gridB;
      const auto k = static_cast<std::size_t>(g.code - 33);
      UnpackGlyph((*glyphsA)[k], rows, gridA);
      UnpackGlyph((*glyphsB)[k], rows, gridB);
      const int columns = std::clamp(std::max(g.widthA, g.widthB), 1, 24);
      std::string code = std::to_string(g.code);
      if (g.code < 127) code += std::string(" ") + static_cast<char>(g.code);
      const int tileWidth =
          std::max(2 * columns * kGlyphScale + kGlyphScale * 2,
                   static_cast<int>(code.size()) * (kTinyFontWidth + 1) * kLabelScale);
      const int tileHeight = kLabelHeight + rows * kGlyphScale + kMargin;
      if (x + tileWidth > kSheetWidth - kMargin && x > kMargin) {
        x = kMargin;
        y += rowHeight;
        rowHeight = 0;
      }
      if (painter) {
        DrawLabel(*painter, x, y, code);
        DrawPair(*painter, x, y + kLabelHeight, rows, columns, kGlyphScale, kGlyphScale * 2, gridA,
                 gridB);
      }
      x += tileWidth + kMargin * 2;
      rowHeight = std::max(rowHeight, tileHeight);
    }
    y += rowHeight + kMargin;
  }
  const auto items = StartupGraphicTable(report.model);
  for (const PictureChange& p : report.pictures) {
    if (p.differingCells == 0) continue;
    any = true;
    const GraphicTarget target = GraphicTarget::From(items[static_cast<std::size_t>(p.item)]);
    PixelGrid gridA, gridB;
    if (!UnpackGraphic(a.ext, target, gridA) || !UnpackGraphic(b.ext, target, gridB)) continue;
    label("STARTUP GRAPHIC " + std::to_string(p.item) + " \"" + p.label + "\": " +
          std::to_string(p.differingCells) + " OF " + std::to_string(p.cells) + " CELLS DIFFER");
    if (painter) {
      DrawPair(*painter, kMargin, y, target.rows, target.bytesPerRow * 8, kPictureScale,
               kMargin * 2, gridA, gridB);
    }
    y += target.rows * kPictureScale + kMargin * 2;
  }
  if (!any) label("NO GLYPH OR STARTUP GRAPHIC DIFFERS");
  return y + kMargin;
}

}  // namespace

QImage ComparisonPicture(const SetComparison& report, const OsSetBytes& a, const OsSetBytes& b) {
  const int height = LayOut(nullptr, report, a, b);
  QImage image(kSheetWidth, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  LayOut(&painter, report, a, b);
  return image;
}

}  // namespace zentavour
