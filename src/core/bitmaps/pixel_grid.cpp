#include "core/bitmaps/pixel_grid.h"

#include <algorithm>

namespace zentavour {
namespace {

void RotateRowLeft(PixelGrid& grid, int row, int columns) {
  const std::uint8_t first = grid.at(row, 0);
  for (int k = 0; k + 1 < columns; ++k) grid.set(row, k, grid.at(row, k + 1));
  grid.set(row, columns - 1, first);
}

void RotateRowRight(PixelGrid& grid, int row, int columns) {
  const std::uint8_t last = grid.at(row, columns - 1);
  for (int k = columns - 1; k > 0; --k) grid.set(row, k, grid.at(row, k - 1));
  grid.set(row, 0, last);
}

void RotateColumnUp(PixelGrid& grid, int column, int rows) {
  const std::uint8_t first = grid.at(0, column);
  for (int r = 0; r + 1 < rows; ++r) grid.set(r, column, grid.at(r + 1, column));
  grid.set(rows - 1, column, first);
}

void RotateColumnDown(PixelGrid& grid, int column, int rows) {
  const std::uint8_t last = grid.at(rows - 1, column);
  for (int r = rows - 1; r > 0; --r) grid.set(r, column, grid.at(r - 1, column));
  grid.set(0, column, last);
}

}  // namespace

void ApplyGridOperation(PixelGrid& grid, GridOperation operation, int rows, int columns) {
  rows = std::clamp(rows, 0, PixelGrid::kRows);
  columns = std::clamp(columns, 0, PixelGrid::kColumns);
  if (rows == 0 || columns == 0) return;

  switch (operation) {
    case GridOperation::FillAll:
    case GridOperation::UnfillAll:
    case GridOperation::Invert:
      for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < columns; ++k) {
          const std::uint8_t value = operation == GridOperation::FillAll     ? 1
                                     : operation == GridOperation::UnfillAll ? 0
                                                                             : !grid.at(r, k);
          grid.set(r, k, value);
        }
      }
      break;
    case GridOperation::FlipHorizontal:
      for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < columns / 2; ++k) {
          const std::uint8_t left = grid.at(r, k);
          grid.set(r, k, grid.at(r, columns - 1 - k));
          grid.set(r, columns - 1 - k, left);
        }
      }
      break;
    case GridOperation::FlipVertical:
      for (int r = 0; r < rows / 2; ++r) {
        for (int k = 0; k < columns; ++k) {
          const std::uint8_t top = grid.at(r, k);
          grid.set(r, k, grid.at(rows - 1 - r, k));
          grid.set(rows - 1 - r, k, top);
        }
      }
      break;
    case GridOperation::ShiftLeft:
      for (int r = 0; r < rows; ++r) RotateRowLeft(grid, r, columns);
      break;
    case GridOperation::ShiftRight:
      for (int r = 0; r < rows; ++r) RotateRowRight(grid, r, columns);
      break;
    case GridOperation::ShiftUp:
      for (int k = 0; k < columns; ++k) RotateColumnUp(grid, k, rows);
      break;
    case GridOperation::ShiftDown:
      for (int k = 0; k < columns; ++k) RotateColumnDown(grid, k, rows);
      break;
  }
}

}  // namespace zentavour
