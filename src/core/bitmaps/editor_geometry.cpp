#include "core/bitmaps/editor_geometry.h"

#include <cstdint>

#include "core/bitmaps/glyph_record.h"

namespace zentavour {
namespace {

constexpr int kMarkerSize = 12;  // the marker's hot area: 1 to 12 pixels from its corner

int AsUnsigned16(int value) {
  return static_cast<std::uint16_t>(value);
}

PixelRect At(int x, int y, int w, int h) {
  return PixelRect{x, y, x + w, y + h};
}

// A graphic whose grid is wide enough pushes OK and Cancel below the grid.
bool WideGraphic(int bytesPerRow) {
  return bytesPerRow * 32 - 50 >= 530;
}

}  // namespace

EditorGeometry EditorGeometry::ForCharacter(int width, int rows) {
  return EditorGeometry{EditorKind::Character, width, rows, GlyphBytesPerRow(width)};
}

EditorGeometry EditorGeometry::ForGraphic(int bytesPerRow, int rows) {
  return EditorGeometry{EditorKind::Graphic, bytesPerRow * 8, rows, bytesPerRow};
}

std::optional<CellPosition> EditorGeometry::HitTest(int x, int y) const {
  const int p = pitch();
  const int gx = AsUnsigned16(x) - kOriginX;
  const int gy = AsUnsigned16(y) - kOriginY;
  if (gx > 0 && gx < p * shownColumns() && gy > 0 && gy < p * rows)
    return CellPosition{gy / p, gx / p};
  return std::nullopt;
}

bool EditorGeometry::OnWidthMarker(int x, int y) const {
  if (kind != EditorKind::Character) return false;
  const int dx = AsUnsigned16(x) - kCharacterPitch * width - kOriginX;
  const int dy = AsUnsigned16(y) - kCharacterPitch * (rows / 2) - kOriginY;
  return dx >= 1 && dx <= kMarkerSize && dy >= 1 && dy <= kMarkerSize;
}

std::optional<int> EditorGeometry::DraggedWidth(int x, int y) const {
  if (kind != EditorKind::Character) return std::nullopt;
  const int gx = AsUnsigned16(x) - kOriginX;
  const int gy = AsUnsigned16(y) - kOriginY;
  if (gx > 0 && gx < kCharacterPitch * (kMaxDraggedWidth + 1) && gy > 0 &&
      gy < kCharacterPitch * rows)
    return gx / kCharacterPitch;
  return std::nullopt;
}

PixelRect EditorGeometry::CellRect(CellPosition cell) const {
  const int p = pitch();
  return At(kOriginX + p * cell.column, kOriginY + p * cell.row, p + 1, p + 1);
}

PixelRect EditorGeometry::CellUpdateRect(CellPosition cell) const {
  // The character editor invalidates the cell less its right and bottom outline, which its
  // neighbours share; the graphic editor redraws the whole outlined cell.
  const PixelRect whole = CellRect(cell);
  if (kind == EditorKind::Graphic) return whole;
  return PixelRect{whole.left, whole.top, whole.right - 1, whole.bottom - 1};
}

PixelRect EditorGeometry::WidthMarkerRect() const {
  const int x = kCharacterPitch * width + kOriginX + 1;
  const int y = kCharacterPitch * (rows / 2) + kOriginY + 1;
  return At(x, y, 11, 11);
}

PixelSize EditorGeometry::WindowSize() const {
  if (kind == EditorKind::Character) return PixelSize{525, 10 * rows + 125};
  const int w = WideGraphic(bytesPerRow) ? bytesPerRow * 32 + 59 : 620;
  return PixelSize{w, 4 * rows + 159};
}

std::vector<EditorButton> EditorGeometry::Buttons() const {
  using C = EditorCommand;
  const int r = rows;
  if (kind == EditorKind::Character) {
    return {
        {C::Ok, "OK", At(425, 19, 75, 25), true},
        {C::Cancel, "Cancel", At(425, 54, 75, 25)},
        {C::FillAll, "Fill All", At(140, 9 * r + 44, 75, 20)},
        {C::UnfillAll, "Unfill All", At(140, 9 * r + 69, 75, 20)},
        {C::Invert, "Invert", At(220, 9 * r + 56, 75, 20)},
        {C::FlipHorizontal, "Flip Horizontal", At(25, 9 * r + 44, 110, 20)},
        {C::FlipVertical, "Flip Vertical", At(25, 9 * r + 69, 110, 20)},
        {C::ShiftLeft, "Shift Left", At(335, 9 * r + 56, 75, 20)},
        {C::ShiftRight, "Shift Right", At(425, 9 * r + 56, 75, 20)},
        {C::ShiftUp, "Shift Up", At(385, 9 * r + 31, 75, 20)},
        {C::ShiftDown, "Shift Down", At(385, 9 * r + 81, 75, 20)},
    };
  }
  const bool wide = WideGraphic(bytesPerRow);
  const int x0 = wide ? bytesPerRow * 32 - 50 : 520;
  const int y0 = wide ? 4 * r + 49 : 19;
  return {
      {C::Ok, "OK", At(x0, y0, 75, 25), true},
      {C::Cancel, "Cancel", At(x0, y0 + 35, 75, 25)},
      {C::FillAll, "Fill All", At(235, 4 * r + 54, 75, 20)},
      {C::UnfillAll, "Unfill All", At(235, 4 * r + 79, 75, 20)},
      {C::Invert, "Invert", At(315, 4 * r + 66, 75, 20)},
      {C::FlipHorizontal, "Flip Horizontal", At(120, 4 * r + 54, 110, 20)},
      {C::FlipVertical, "Flip Vertical", At(120, 4 * r + 79, 110, 20)},
      {C::ShiftLeft, "Shift Left", At(440, 4 * r + 66, 75, 20)},
      {C::ShiftRight, "Shift Right", At(520, 4 * r + 66, 75, 20)},
      {C::ShiftUp, "Shift Up", At(480, 4 * r + 41, 75, 20)},
      {C::ShiftDown, "Shift Down", At(480, 4 * r + 91, 75, 20)},
      {C::LoadBitmap, "Load Bitmap", At(25, 4 * r + 54, 90, 45)},
  };
}

}  // namespace zentavour
