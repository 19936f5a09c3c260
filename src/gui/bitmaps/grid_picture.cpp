#include "gui/bitmaps/grid_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zentavour {

void GridPicture::Rebuild(const PixelGrid& grid, const EditorGeometry& geometry, qreal pixelRatio) {
  geometry_ = geometry;
  pixelRatio_ = pixelRatio > 0 ? pixelRatio : 1.0;
  // One logical pixel of outline is as many whole device pixels as it covers, never fewer than
  // one, so the grid lines stay sharp at every ratio.
  outline_ = std::max(1, static_cast<int>(std::lround(pixelRatio_)));
  const int columns = geometry.shownColumns();
  const int rows = geometry.rows;
  const int pitch = geometry.pitch();
  if (columns <= 0 || rows <= 0) {
    image_ = QImage();
    return;
  }
  const QSize size(Device(pitch * columns) + outline_, Device(pitch * rows) + outline_);
  if (image_.size() != size) image_ = QImage(size, QImage::Format_RGB32);
  image_.setDevicePixelRatio(pixelRatio_);
  // Everything outline first, then each cell row's insides: the same pixels as outlining every
  // cell. The inside rows of a cell row are all alike, so the first is drawn and copied down.
  image_.fill(kOutline);
  const auto bytes = static_cast<std::size_t>(image_.width()) * sizeof(QRgb);
  for (int r = 0; r < rows; ++r) {
    const int top = Device(pitch * r) + outline_;
    const int bottom = Device(pitch * (r + 1));
    if (top >= bottom) continue;
    auto* first = reinterpret_cast<QRgb*>(image_.scanLine(top));
    for (int c = 0; c < columns; ++c) {
      std::fill(first + Device(pitch * c) + outline_, first + Device(pitch * (c + 1)),
                grid.at(r, c) ? kInk : kBackground);
    }
    for (int y = top + 1; y < bottom; ++y) std::memcpy(image_.scanLine(y), first, bytes);
  }
}

void GridPicture::UpdateCell(const PixelGrid& grid, CellPosition cell) {
  if (image_.isNull() || cell.row < 0 || cell.row >= geometry_.rows || cell.column < 0 ||
      cell.column >= geometry_.shownColumns())
    return;
  FillInside(cell, grid.at(cell.row, cell.column) ? kInk : kBackground);
}

int GridPicture::Device(int logical) const {
  return static_cast<int>(std::lround(logical * pixelRatio_));
}

void GridPicture::FillInside(CellPosition cell, QRgb colour) {
  const int pitch = geometry_.pitch();
  const int left = Device(pitch * cell.column) + outline_;
  const int right = Device(pitch * (cell.column + 1));
  const int top = Device(pitch * cell.row) + outline_;
  const int bottom = Device(pitch * (cell.row + 1));
  for (int y = top; y < bottom; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(line + left, line + right, colour);
  }
}

QRect GridPicture::rect() const {
  const QSizeF logical = image_.deviceIndependentSize();
  return QRect(QPoint(EditorGeometry::kOriginX, EditorGeometry::kOriginY),
               QSize(static_cast<int>(std::ceil(logical.width())),
                     static_cast<int>(std::ceil(logical.height()))));
}

QRect GridPicture::sourceRect(const QRect& clientRect) const {
  const QRect local = (clientRect & rect()).translated(-rect().topLeft());
  if (local.isEmpty()) return {};
  const int left = Device(local.left());
  const int top = Device(local.top());
  const int right = std::min(image_.width(), Device(local.left() + local.width()));
  const int bottom = std::min(image_.height(), Device(local.top() + local.height()));
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace zentavour

namespace zentavour {

void GridPicture::Paint(QPainter& painter, const QRect& clientRect) const {
  const QRect target = clientRect & rect();
  if (target.isEmpty() || image_.isNull()) return;
  const QRect source = sourceRect(target);
  const int ratio = static_cast<int>(std::lround(pixelRatio_));
  const int pitch = geometry_.pitch();
  // A few cell rows, or a ratio that is not whole: one copy, drawn at a point so that the
  // picture's own ratio sets its size (a plain blit, no scaling).
  if (ratio < 2 || ratio != pixelRatio_ || source.height() < 4 * Device(pitch)) {
    painter.drawImage(QPointF(target.topLeft()), image_, QRectF(source));
    return;
  }
  painter.save();
  // Device pixels of the picture from here on: the whole ratio cancels exactly.
  painter.translate(rect().topLeft());
  painter.scale(1.0 / ratio, 1.0 / ratio);
  painter.setClipRect(source);
  const auto band = [&](int top, int bottom) {
    return QRect(source.left(), top, source.width(), bottom - top) & source;
  };
  for (int r = 0; r <= geometry_.rows; ++r) {
    const int top = Device(pitch * r);
    if (top >= source.bottom() + 1) break;
    const int insideTop = top + outline_;
    const int bottom = r < geometry_.rows ? Device(pitch * (r + 1)) : insideTop;
    if (bottom <= source.top()) continue;
    if (const QRect line = band(top, insideTop); !line.isEmpty())
      painter.fillRect(line, QColor::fromRgb(kOutline));
    if (const QRect inside = band(insideTop, bottom); !inside.isEmpty()) {
      // The first inside row of this cell row, without a copy, tiled down the band.
      const QImage row(image_.constScanLine(insideTop), image_.width(), 1, image_.bytesPerLine(),
                       image_.format());
      painter.setBrushOrigin(0, insideTop);
      painter.fillRect(inside, QBrush(row));
    }
  }
  painter.restore();
}

}  // namespace zentavour
