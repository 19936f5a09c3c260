#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace zentavour {

inline constexpr QSize kModelLogoSize(180, 60);

// The picture of the instrument a PCG file comes from: the Orvane Mi logo for code 2, the Ossik
// logo for codes 3 and 5, and the family logo for every other code.
QString ModelLogoResource(int pcgModelCode);

// The logo drawn at kModelLogoSize for the screen's pixel ratio.
QPixmap ModelLogo(int pcgModelCode, qreal pixelRatio);

}  // namespace zentavour
