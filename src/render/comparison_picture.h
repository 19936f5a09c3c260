#pragma once

// The picture of what differs between two OS file sets (what "diff --png" writes).
#include <QImage>

#include "core/compare/set_comparison.h"

namespace zentavour {

// The differing glyphs and startup pictures of the report, A left and B right of each pair: ink
// in both black, only in B red, only in A pink; labels in the tiny font.
QImage ComparisonPicture(const SetComparison& report, const OsSetBytes& a, const OsSetBytes& b);

}  // namespace zentavour
