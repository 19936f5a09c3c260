#pragma once

#include <cstdint>
#include <span>

#include "core/bitmaps/pixel_grid.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {

// Where a startup graphic lies in the EXT image: rows of bytesPerRow bytes from offset, no
// width byte, every bit shown (bytesPerRow x 8 pixels wide).
struct GraphicTarget {
  std::uint32_t offset = 0;
  int bytesPerRow = 0;
  int rows = 0;

  static GraphicTarget From(const StartupGraphicEntry& entry) {
    return GraphicTarget{entry.offset, entry.bytesPerRow, entry.rows};
  }
  friend bool operator==(const GraphicTarget&, const GraphicTarget&) = default;
};

// Whether the graphic fits both the image and the grid. An empty target (0 rows or 0 bytes per
// row) always fits and packs nothing.
bool GraphicFits(const GraphicTarget& target, std::size_t imageSize);

// Clears the grid and fills rows x bytesPerRow x 8 cells from the image. Fails, leaving the grid
// as it was, unless the graphic fits.
[[nodiscard]] Status UnpackGraphic(ByteView extImage, const GraphicTarget& target, PixelGrid& grid);

// Writes exactly rows x bytesPerRow bytes at the target's offset from the grid; nothing else of
// the image changes. Fails, writing nothing, unless the graphic fits.
[[nodiscard]] Status PackGraphic(const PixelGrid& grid, std::span<std::uint8_t> extImage,
                                 const GraphicTarget& target);

}  // namespace zentavour
