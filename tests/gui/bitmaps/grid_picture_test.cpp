#include "gui/bitmaps/grid_picture.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace zentavour::testing {
namespace {

// Painted at a whole ratio, band by band, the picture lands pixel for pixel as the copy of its
// image would, in the whole window and in a part of it; nothing outside the part is touched.
TEST(GridPicture, PaintsItsImagePixelForPixelAtEveryWholeRatio) {
  PixelGrid grid;
  for (int r = 0; r < 101; ++r)
    for (int c = 0; c < 288; ++c) grid.set(r, c, (r * 7 + c * 3) % 5 == 0);
  const EditorGeometry geometry = EditorGeometry::ForGraphic(36, 101);
  for (qreal ratio : {1.0, 2.0, 3.0}) {
    GridPicture picture;
    picture.Rebuild(grid, geometry, ratio);
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
      const QPoint at = whole.topLeft() * ratio;
      int wrong = 0;
      for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
          const QPoint inPicture = QPoint(x, y) - at;
          const QRgb expected =
              source.contains(inPicture) ? picture.image().pixel(inPicture) : QColor(Qt::red).rgb();
          wrong += window.pixel(x, y) != expected;
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

}  // namespace
}  // namespace zentavour::testing
