#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "core/bitmaps/editor_geometry.h"
#include "core/bitmaps/pixel_grid.h"

namespace zentavour {

// The shown cells of a pixel editor, drawn once into an image that the window copies from. A
// painted cell changes a few pixels of the image instead of the window drawing every outlined
// cell again, so a full repaint is one copy and a stroke repaints only the cells it changes.
// Cells are exactly where the editor's geometry puts them: outlined squares at the pitch, the
// outline light grey and shared with the neighbours, the inside black for ink, white otherwise.
//
// The image is made at the device pixel ratio of the screen it is shown on, so the window
// copies it pixel for pixel: every cell edge lands on a whole device pixel, and nothing is
// scaled while painting.
class GridPicture {
 public:
  static constexpr QRgb kOutline = 0xFFCBCBCB;  // RGB 203, 203, 203
  static constexpr QRgb kInk = 0xFF000000;
  static constexpr QRgb kBackground = 0xFFFFFFFF;

  // Draws every shown cell again (after an operation, an undo, a width change or a move to a
  // screen of another pixel ratio).
  void Rebuild(const PixelGrid& grid, const EditorGeometry& geometry, qreal pixelRatio = 1.0);
  // Draws one cell again; cells that are not shown are ignored.
  void UpdateCell(const PixelGrid& grid, CellPosition cell);

  // In device pixels, with the ratio it was made at.
  const QImage& image() const { return image_; }
  qreal pixelRatio() const { return pixelRatio_; }
  // Where the image goes in the window's client area, in the window's own (logical) pixels.
  QRect rect() const;
  // The device pixels of the image behind a part of the window's client area.
  QRect sourceRect(const QRect& clientRect) const;
  // Paints the part of the picture inside clientRect (client coordinates) with the painter of
  // the window. A small part is one copy of its pixels. A large part at a whole pixel ratio of 2
  // or more is painted band by band: each cell row's outline is one fill, and its inside rows,
  // which are all alike, repeat the first of them, so the copy reads one row per cell row
  // instead of every device row of the picture.
  void Paint(QPainter& painter, const QRect& clientRect) const;

 private:
  void FillInside(CellPosition cell, QRgb colour);
  // The device pixel where a logical grid line at offset lies.
  int Device(int logical) const;

  EditorGeometry geometry_;
  qreal pixelRatio_ = 1.0;
  int outline_ = 1;  // device pixels of one logical outline
  QImage image_;
};

}  // namespace zentavour
