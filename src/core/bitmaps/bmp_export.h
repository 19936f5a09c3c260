#pragma once

#include "core/bitmaps/pixel_grid.h"
#include "core/common/bytes.h"

namespace zentavour {

// A one-bit BMP of the grid's top-left rows x columns: ink black, background white. Its colour
// table says index 0 is black, so paint programs show it as the editor does, and the bitmap
// import (which takes every 0 bit as black) reads it back to the same cells. Row padding is
// white. columns and rows are clipped to the grid.
Bytes ExportMonochromeBmp(const PixelGrid& grid, int columns, int rows);

}  // namespace zentavour
