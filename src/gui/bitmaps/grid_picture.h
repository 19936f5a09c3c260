#pragma once

#include <QImage>
#include <QRect>

#include "core/bitmaps/editor_geometry.h"
#include "core/bitmaps/pixel_grid.h"

namespace zentavour {

// The shown cells of a pixel editor, drawn once into an image that the window copies from. A
// painted cell changes a few pixels of the image instead of the window drawing every outlined
// cell again, so a full repaint is one copy and a stroke repaints only the cells it changes.
// Cells are exactly where the editor's geometry puts them: outlined squares at the pitch, the
// outline light grey and shared with the neighbours, the inside black for ink, white otherwise.
class GridPicture {
 public:
  static constexpr QRgb kOutline = 0xFFCBCBCB;  // RGB 203, 203, 203
  static constexpr QRgb kInk = 0xFF000000;
  static constexpr QRgb kBackground = 0xFFFFFFFF;

  // Draws every shown cell again (after an operation, an undo or a width change).
  void Rebuild(const PixelGrid& grid, const EditorGeometry& geometry);
  // Draws one cell again; cells that are not shown are ignored.
  void UpdateCell(const PixelGrid& grid, CellPosition cell);

  const QImage& image() const { return image_; }
  // Where the image goes in the window's client area.
  QRect rect() const;

 private:
  void FillInside(CellPosition cell, QRgb colour);

  EditorGeometry geometry_;
  QImage image_;
};

}  // namespace zentavour
