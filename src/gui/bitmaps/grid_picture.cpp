#include "gui/bitmaps/grid_picture.h"

namespace zentavour {

void GridPicture::Rebuild(const PixelGrid& grid, const EditorGeometry& geometry) {
  geometry_ = geometry;
  const int columns = geometry.shownColumns();
  const int rows = geometry.rows;
  const int pitch = geometry.pitch();
  if (columns <= 0 || rows <= 0) {
    image_ = QImage();
    return;
  }
  const QSize size(pitch * columns + 1, pitch * rows + 1);
  if (image_.size() != size) image_ = QImage(size, QImage::Format_RGB32);
  // Everything outline first, then each inside: the same pixels as outlining every cell.
  image_.fill(kOutline);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      FillInside(CellPosition{r, c}, grid.at(r, c) ? kInk : kBackground);
    }
  }
}

void GridPicture::UpdateCell(const PixelGrid& grid, CellPosition cell) {
  if (image_.isNull() || cell.row < 0 || cell.row >= geometry_.rows || cell.column < 0 ||
      cell.column >= geometry_.shownColumns())
    return;
  FillInside(cell, grid.at(cell.row, cell.column) ? kInk : kBackground);
}

void GridPicture::FillInside(CellPosition cell, QRgb colour) {
  const int pitch = geometry_.pitch();
  const int left = pitch * cell.column + 1;
  const int top = pitch * cell.row + 1;
  for (int y = top; y < top + pitch - 1; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y)) + left;
    for (int x = 0; x < pitch - 1; ++x) line[x] = colour;
  }
}

QRect GridPicture::rect() const {
  return QRect(QPoint(EditorGeometry::kOriginX, EditorGeometry::kOriginY), image_.size());
}

}  // namespace zentavour
