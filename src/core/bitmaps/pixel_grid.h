#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zentavour {

// The pixel editors' work area: 125 rows of 288 cells, each 0 (background, white) or 1 (ink,
// black). Big enough for the largest startup graphic (288 x 101) and any glyph (19 rows, up to
// 255 columns of which 288 fit). Every editor window owns its own grid.
class PixelGrid {
 public:
  static constexpr int kRows = 125;
  static constexpr int kColumns = 288;

  // Cells outside the grid read as 0 and ignore writes, so callers clip nothing themselves.
  std::uint8_t at(int row, int column) const {
    return inside(row, column) ? cells_[index(row, column)] : 0;
  }
  void set(int row, int column, std::uint8_t value) {
    if (inside(row, column)) cells_[index(row, column)] = value ? 1 : 0;
  }
  void Clear() { cells_.fill(0); }

  static bool inside(int row, int column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns;
  }

  friend bool operator==(const PixelGrid&, const PixelGrid&) = default;

 private:
  static std::size_t index(int row, int column) {
    return static_cast<std::size_t>(row) * kColumns + static_cast<std::size_t>(column);
  }

  std::array<std::uint8_t, static_cast<std::size_t>(kRows) * kColumns> cells_{};
};

// The editors' buttons that work on the whole picture. Each works on rows 0 to rows - 1 and
// columns 0 to columns - 1 (the bytes per row x 8 columns, not the glyph's shown width); the
// area is clipped to the grid.
enum class GridOperation {
  FillAll,
  UnfillAll,
  Invert,
  FlipHorizontal,
  FlipVertical,
  ShiftLeft,   // rotates: column 0 comes back in at the right
  ShiftRight,  // rotates: the last column comes back in at the left
  ShiftUp,     // rotates: row 0 comes back in at the bottom
  ShiftDown,   // rotates: the last row comes back in at the top
};

void ApplyGridOperation(PixelGrid& grid, GridOperation operation, int rows, int columns);

}  // namespace zentavour
