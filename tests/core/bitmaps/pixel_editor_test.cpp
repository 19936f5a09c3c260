#include "core/bitmaps/pixel_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/bitmaps/editor_geometry.h"

namespace zentavour {
namespace {

// Pictures as text: '#' ink, '.' background, row 0 first.
PixelGrid Draw(const std::vector<std::string>& rows) {
  PixelGrid grid;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) grid.set(r, c, rows[r][c] == '#');
  return grid;
}

// Every operation on 3 rows x 8 columns; the 9th column and 4th row lie outside the area and
// must not move.
TEST(GridOperationTest, EachOperationOnAnOddAreaWrapsAndStaysInside) {
  const PixelGrid start = Draw({"##.....#.", "..#......", "...#....#", "#########"});
  const std::pair<GridOperation, std::vector<std::string>> cases[] = {
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
  for (const auto& [operation, expected] : cases) {
    PixelGrid grid = start;
    ApplyGridOperation(grid, operation, 3, 8);
    EXPECT_EQ(grid, Draw(expected)) << static_cast<int>(operation);
  }
  // A wrap within one row, no rows or no columns change nothing; oversized areas are clipped to
  // the grid rather than written past it.
  PixelGrid grid = start;
  ApplyGridOperation(grid, GridOperation::ShiftUp, 1, 8);
  ApplyGridOperation(grid, GridOperation::FillAll, 0, 8);
  ApplyGridOperation(grid, GridOperation::Invert, 2, 0);
  EXPECT_EQ(grid, start);
  ApplyGridOperation(grid, GridOperation::FillAll, 1000, 1000);
  EXPECT_EQ(grid.at(PixelGrid::kRows - 1, PixelGrid::kColumns - 1), 1);
}

// The client position of the middle of a cell.
int CellX(const EditorGeometry& g, int column) { return 25 + g.pitch() * column + g.pitch() / 2; }
int CellY(const EditorGeometry& g, int row) { return 19 + g.pitch() * row + g.pitch() / 2; }

GlyphRecord Glyph(std::uint8_t width) {
  GlyphRecord record;
  record.bytes[0] = width;
  return record;
}

TEST(EditorGeometryTest, HitTestWidthMarkerAndButtonsKeepTheirEdges) {
  const auto glyph = EditorGeometry::ForCharacter(6, 8);  // 6 x 8 cells of pitch 9
  const auto graphic = EditorGeometry::ForGraphic(2, 3);  // 16 x 3 cells of pitch 4
  const std::tuple<const EditorGeometry&, int, int, std::optional<CellPosition>> cells[] = {
      {glyph, 25, 20, std::nullopt},  // the outline left of column 0
      {glyph, 26, 19, std::nullopt},
      {glyph, 26, 20, CellPosition{0, 0}},
      {glyph, 78, 90, CellPosition{7, 5}},  // X = 53, Y = 71: last cell
      {glyph, 79, 40, std::nullopt},        // X = 54 = 9 x W
      {glyph, 40, 91, std::nullopt},        // Y = 72 = 9 x R
      {glyph, -5, 40, std::nullopt},        // captured pointer left of the window
      {graphic, 25 + 63, 19 + 11, CellPosition{2, 15}},
      {graphic, 25 + 64, 20, std::nullopt},
      {graphic, 30, 19 + 12, std::nullopt},
  };
  for (const auto& [g, x, y, cell] : cells) EXPECT_EQ(g.HitTest(x, y), cell) << x << "," << y;

  // The marker sits right of the last shown column at the middle row, rounded down for odd
  // rows; presses on its far edges still grab it. A graphic has none.
  const std::pair<EditorGeometry, PixelRect> markers[] = {
      {glyph, {80, 56, 91, 67}},
      {EditorGeometry::ForCharacter(6, 7), {80, 47, 91, 58}},
      {EditorGeometry::ForCharacter(2, 19), {44, 101, 55, 112}},
  };
  for (const auto& [g, m] : markers) {
    SCOPED_TRACE(g.rows);
    EXPECT_EQ(g.WidthMarkerRect(), m);
    for (const auto& [x, y, on] : {std::tuple{m.left, m.top, true}, {m.right, m.bottom, true},
                                   {m.left - 1, m.top, false}, {m.right + 1, m.bottom, false},
                                   {m.left, m.top - 1, false}, {m.right, m.bottom + 1, false}})
      EXPECT_EQ(g.OnWidthMarker(x, y), on) << x << "," << y;
  }
  EXPECT_FALSE(EditorGeometry::ForGraphic(2, 16).OnWidthMarker(25 + 9 * 16 + 1, 19 + 9 * 8 + 1));

  // Wide graphics get OK and Cancel below the grid and a window fitted to it.
  const auto ok = [](const EditorGeometry& g) { return g.Buttons().front().rect; };
  EXPECT_EQ(ok(EditorGeometry::ForGraphic(18, 10)), (PixelRect{520, 19, 595, 44}));
  EXPECT_EQ(EditorGeometry::ForGraphic(18, 10).WindowSize(), (PixelSize{620, 199}));
  EXPECT_EQ(ok(EditorGeometry::ForGraphic(19, 10)), (PixelRect{558, 89, 633, 114}));
  EXPECT_EQ(EditorGeometry::ForGraphic(36, 101).WindowSize(), (PixelSize{1211, 563}));
}

TEST(EditorMouseTest, MarkerDragsTheWidthWithinItsLimitsAndOkPacksTheNewRowLength) {
  PixelEditor editor = PixelEditor::ForGlyph(Glyph(6), 8);
  EXPECT_TRUE(editor.LeftDown(85, 60).changedCells.empty());
  EXPECT_TRUE(editor.mouse().draggingWidth());
  const std::tuple<int, int, int, bool> steps[] = {
      {25 + 9 * 12 + 4, 40, 12, true},
      {25 + 9 * 12 + 8, 40, 12, false},     // same column: no repaint
      {25 + 9 * 3, 19 + 9 * 8, 12, false},  // below the glyph's rows
      {25 + 279, 40, 12, false},            // right of column 30
      {25 + 278, 40, 30, true},
      {25 + 1, 40, 0, true},  // the first column: width 0
      {25, 40, 0, false},
      {25 + 9 * 12 + 1, 40, 12, true},
  };
  for (const auto& [x, y, width, changed] : steps) {
    const MouseEffect moved = editor.Move(x, y);
    EXPECT_EQ(editor.geometry().width, width) << x << "," << y;
    EXPECT_EQ(moved.widthChanged, changed) << x << "," << y;
    EXPECT_TRUE(moved.changedCells.empty());
  }
  EXPECT_TRUE(editor.LeftUp().releaseMouse);
  EXPECT_EQ(editor.geometry().bytesPerRow, 1);  // fixed while the window is open
  EXPECT_FALSE(editor.Move(25 + 9 * 5, 40).widthChanged);

  // Widened to 12: the buttons still work on the first 8 columns (B stays 1), and OK packs
  // 2 bytes per row with columns 8 to 11 as painted.
  editor.LeftDown(CellX(editor.geometry(), 10), CellY(editor.geometry(), 1));
  editor.LeftUp();
  editor.Apply(GridOperation::FillAll);
  editor.Apply(GridOperation::FlipHorizontal);
  GlyphRecord out, expected = Glyph(12);
  editor.PackInto(out);
  for (int r = 0; r < 8; ++r) expected.bytes[1 + 2 * r] = 0xFF;
  expected.bytes[4] = 0x20;
  EXPECT_EQ(out, expected);
}

TEST(PixelEditorTest, StrokesReportRealChangesAndEachStrokeButtonAndDragIsOneUndoStep) {
  PixelEditor editor = PixelEditor::ForGlyph(Glyph(8), 8);
  const auto& g = editor.geometry();
  const PixelGrid blank = editor.grid();
  // One stroke paints three cells; the right button joins in (a cell under both is painted,
  // then erased) and keeps erasing after the left release.
  EXPECT_EQ(editor.LeftDown(CellX(g, 0), CellY(g, 0)).changedCells,
            (std::vector<CellPosition>{{0, 0}}));
  EXPECT_TRUE(editor.Move(CellX(g, 0), CellY(g, 0)).changedCells.empty());  // already ink
  editor.Move(CellX(g, 1), CellY(g, 0));
  editor.Move(CellX(g, 2), CellY(g, 0));
  EXPECT_FALSE(editor.Undo());  // refused while a button is held
  editor.RightDown(CellX(g, 1), CellY(g, 0));
  editor.LeftUp();
  editor.Move(CellX(g, 2), CellY(g, 0));
  editor.RightUp();
  PixelGrid stroked;
  stroked.set(0, 0, 1);
  EXPECT_EQ(editor.grid(), stroked);
  // A right press on a background cell and a left press off the grid change nothing: no step.
  EXPECT_TRUE(editor.RightDown(CellX(g, 5), CellY(g, 5)).changedCells.empty());
  editor.RightUp();
  EXPECT_TRUE(editor.LeftDown(5, 5).changedCells.empty());
  editor.LeftUp();
  // Two buttons, then one width drag over two columns.
  EXPECT_TRUE(editor.Apply(GridOperation::ShiftDown));
  EXPECT_TRUE(editor.Apply(GridOperation::UnfillAll));
  editor.LeftDown(98, 56);  // the marker of W = 8, R = 8
  editor.Move(25 + 9 * 3 + 1, 30);
  editor.Move(25 + 9 * 4 + 1, 30);
  editor.LeftUp();
  ASSERT_EQ(editor.geometry().width, 4);

  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.geometry().width, 8);
  ASSERT_TRUE(editor.Undo() && editor.Undo());  // the Unfill All and the Shift Down
  EXPECT_EQ(editor.grid(), stroked);
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.grid(), blank);
  EXPECT_FALSE(editor.canUndo());
  ASSERT_TRUE(editor.Redo());
  EXPECT_EQ(editor.grid(), stroked);
  editor.Apply(GridOperation::Invert);  // a new step drops what could be redone
  EXPECT_FALSE(editor.canRedo());
}

// Two editors packing their own pictures are driven through the window tests; here the refusals.
TEST(PixelEditorTest, AnEditorForATargetOutsideTheImageIsRefused) {
  Bytes image(64, 0);
  EXPECT_FALSE(PixelEditor::ForGraphic(image, GraphicTarget{60, 8, 1}).ok());
  EXPECT_FALSE(PixelEditor::ForGlyph(Glyph(3), 4).PackInto(image).ok());
}

}  // namespace
}  // namespace zentavour
