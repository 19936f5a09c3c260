#include "core/bitmaps/pixel_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentavour {
namespace {

// Pictures as text: '#' ink, '.' background, row 0 first.
PixelGrid Draw(const std::vector<std::string>& rows) {
  PixelGrid grid;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) grid.set(r, c, rows[r][c] == '#');
  return grid;
}

std::vector<std::string> Picture(const PixelGrid& grid, int rows, int columns) {
  std::vector<std::string> out;
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = 0; c < columns; ++c) line += grid.at(r, c) ? '#' : '.';
    out.push_back(line);
  }
  return out;
}

// Every operation on 3 rows x 8 columns; the 9th column and 4th row lie outside the area and
// must not move.
TEST(GridOperationTest, EachOperationOnAnOddAreaWrapsAndStaysInside) {
  const std::vector<std::string> start = {
      "##.....#.#",
      "..#......#",
      "...#....##",
      "#########.",
  };
  struct Case {
    GridOperation operation;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {GridOperation::FillAll, {"########.", "########.", "#########", "#########"}},
      {GridOperation::UnfillAll, {".........", ".........", "........#", "#########"}},
      {GridOperation::Invert, {"..#####..", "##.#####.", "###.#####", "#########"}},
      {GridOperation::FlipHorizontal, {"#.....##.", ".....#...", "....#...#", "#########"}},
      {GridOperation::FlipVertical, {"...#.....", "..#......", "##.....##", "#########"}},
      {GridOperation::ShiftLeft, {"#.....##.", ".#.......", "..#.....#", "#########"}},
      {GridOperation::ShiftRight, {"###......", "...#.....", "....#...#", "#########"}},
      {GridOperation::ShiftUp, {"..#......", "...#.....", "##.....##", "#########"}},
      {GridOperation::ShiftDown, {"...#.....", "##.....#.", "..#.....#", "#########"}},
  };
  for (const Case& c : cases) {
    PixelGrid grid = Draw(start);
    ApplyGridOperation(grid, c.operation, 3, 8);
    EXPECT_EQ(Picture(grid, 4, 9), c.expected) << static_cast<int>(c.operation);
  }
}

TEST(GridOperationTest, ShiftsAreUndoneByTheirOppositeAndLoseNothingAtFullSize) {
  PixelGrid grid;
  for (int r = 0; r < PixelGrid::kRows; ++r)
    for (int c = 0; c < PixelGrid::kColumns; ++c) grid.set(r, c, (r * 7 + c * 3) % 5 == 0);
  const PixelGrid original = grid;
  const std::pair<GridOperation, GridOperation> pairs[] = {
      {GridOperation::ShiftLeft, GridOperation::ShiftRight},
      {GridOperation::ShiftUp, GridOperation::ShiftDown},
      {GridOperation::FlipHorizontal, GridOperation::FlipHorizontal},
      {GridOperation::FlipVertical, GridOperation::FlipVertical},
      {GridOperation::Invert, GridOperation::Invert},
  };
  for (const auto& [there, back] : pairs) {
    ApplyGridOperation(grid, there, PixelGrid::kRows, PixelGrid::kColumns);
    EXPECT_NE(grid, original);
    ApplyGridOperation(grid, back, PixelGrid::kRows, PixelGrid::kColumns);
    EXPECT_EQ(grid, original);
  }
}

TEST(GridOperationTest, DegenerateAreas) {
  // One row: a vertical flip or shift changes nothing. No rows or columns: nothing at all.
  const PixelGrid start = Draw({"#..#.##.", "########"});
  for (GridOperation op :
       {GridOperation::FlipVertical, GridOperation::ShiftUp, GridOperation::ShiftDown}) {
    PixelGrid grid = start;
    ApplyGridOperation(grid, op, 1, 8);
    EXPECT_EQ(grid, start);
  }
  for (GridOperation op :
       {GridOperation::FillAll, GridOperation::ShiftLeft, GridOperation::Invert}) {
    PixelGrid grid = start;
    ApplyGridOperation(grid, op, 0, 8);
    ApplyGridOperation(grid, op, 2, 0);
    EXPECT_EQ(grid, start);
  }
  // Oversized areas are clipped to the grid rather than written past it.
  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 1000, 1000);
  EXPECT_EQ(grid.at(PixelGrid::kRows - 1, PixelGrid::kColumns - 1), 1);
}

}  // namespace
}  // namespace zentavour
