#include "gui/bitmaps/grid_picture.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace zentavour::testing {
namespace {

// The picture holds every cell outlined and filled at the ratio; painted at a whole ratio, band
// by band, it lands pixel for pixel as the copy of its image would, in the whole window and in a
// part of it, and nothing outside the part is touched.
TEST(GridPicture, HoldsEveryCellAndPaintsItPixelForPixelAtEveryWholeRatio) {
  PixelGrid grid;
  for (int r = 0; r < 101; ++r)
    for (int c = 0; c < 288; ++c) grid.set(r, c, (r * 7 + c * 3) % 5 == 0);
  const EditorGeometry geometry = EditorGeometry::ForGraphic(36, 101);
  for (qreal ratio : {1.0, 2.0, 3.0}) {
    GridPicture picture;
    picture.Rebuild(grid, geometry, ratio);
    // Each cell: its outline at its top left corner, its colour in its middle and bottom right.
    const int pitch = geometry.pitch() * static_cast<int>(ratio);
    int wrongCells = 0;
    for (int r = 0; r < 101; ++r) {
      for (int c = 0; c < 288; ++c) {
        const QRgb inside = grid.at(r, c) ? GridPicture::kInk : GridPicture::kBackground;
        wrongCells +=
            picture.image().pixel(c * pitch, r * pitch) != GridPicture::kOutline ||
            picture.image().pixel(c * pitch + pitch / 2, r * pitch + pitch / 2) != inside ||
            picture.image().pixel(c * pitch + pitch - 1, r * pitch + pitch - 1) != inside;
      }
    }
    EXPECT_EQ(wrongCells, 0);
    const QRect whole = picture.rect();
    for (const QRect& part : {whole, QRect(whole.left() + 30, whole.top() + 41, 200, 150)}) {
      SCOPED_TRACE(ratio);
      const QPoint corner = (whole.bottomRight() + QPoint(2, 2)) * ratio;
      QImage window(corner.x(), corner.y(), QImage::Format_RGB32);
      window.setDevicePixelRatio(ratio);
      window.fill(Qt::red);
      QPainter painter(&window);
      picture.Paint(painter, part);
      painter.end();
      const QRect source = picture.sourceRect(part);
      const QRect painted(whole.topLeft() * ratio + source.topLeft(), source.size());
      window.setDevicePixelRatio(1);
      EXPECT_TRUE(window.copy(painted) == picture.image().copy(source));
      // Nothing else: with the painted part red again, the window is all red.
      QPainter erase(&window);
      erase.fillRect(painted, Qt::red);
      erase.end();
      QImage red(window.size(), window.format());
      red.fill(Qt::red);
      EXPECT_TRUE(window == red);
    }
  }
}

}  // namespace
}  // namespace zentavour::testing
