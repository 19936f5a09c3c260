#include "gui/pcg/model_logo.h"

#include <QPainter>
#include <QSvgRenderer>

#include "gui/common/resources.h"

namespace zentavour {

QString ModelLogoResource(int pcgModelCode) {
  switch (pcgModelCode) {
    case 2:
      return QStringLiteral(":/pcg/orvane_mi_logo.svg");
    case 3:
    case 5:
      return QStringLiteral(":/pcg/ossik_logo.svg");
    default:
      return QStringLiteral(":/pcg/family_logo.svg");
  }
}

QPixmap ModelLogo(int pcgModelCode, qreal pixelRatio) {
  EnsureResources();
  QPixmap pixmap(kModelLogoSize * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(ModelLogoResource(pcgModelCode));
  if (renderer.isValid()) {
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kModelLogoSize)));
  }
  return pixmap;
}

}  // namespace zentavour
