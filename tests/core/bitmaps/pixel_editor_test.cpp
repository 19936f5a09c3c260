#include "core/bitmaps/pixel_editor.h"

#include <gtest/gtest.h>

#include "core/bitmaps/editor_geometry.h"

namespace zentavour {
namespace {

// The client position of the middle of a cell.
int CellX(const EditorGeometry& g, int column) {
  return 25 + g.pitch() * column + g.pitch() / 2;
}
int CellY(const EditorGeometry& g, int row) {
  return 19 + g.pitch() * row + g.pitch() / 2;
}

GlyphRecord Glyph(std::uint8_t width) {
  GlyphRecord record;
  record.bytes[0] = width;
  return record;
}

TEST(EditorGeometryTest, HitTestKeepsTheGridsEdgesAndWrapsNegativePositions) {
  const auto glyph = EditorGeometry::ForCharacter(6, 8);  // 6 x 8 cells of pitch 9
  const auto graphic = EditorGeometry::ForGraphic(2, 3);  // 16 x 3 cells of pitch 4
  struct Case {
    const EditorGeometry& geometry;
    int x, y;
    std::optional<CellPosition> cell;
  };
  const Case cases[] = {
      {glyph, 25, 20, std::nullopt},  // the outline left of column 0
      {glyph, 26, 19, std::nullopt},
      {glyph, 26, 20, CellPosition{0, 0}},
      {glyph, 33, 27, CellPosition{0, 0}},
      {glyph, 34, 28, CellPosition{1, 1}},
      {glyph, 78, 90, CellPosition{7, 5}},  // X = 53, Y = 71: last cell
      {glyph, 79, 40, std::nullopt},        // X = 54 = 9 x W
      {glyph, 40, 91, std::nullopt},        // Y = 72 = 9 x R
      {glyph, -5, 40, std::nullopt},        // captured pointer left of the window
      {glyph, 40, -1, std::nullopt},
      {graphic, 26, 20, CellPosition{0, 0}},
      {graphic, 25 + 63, 19 + 11, CellPosition{2, 15}},
      {graphic, 25 + 64, 20, std::nullopt},
      {graphic, 30, 19 + 12, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.geometry.HitTest(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(EditorGeometryTest, WidthMarkerSitsRightOfTheLastShownColumnAtTheMiddleRow) {
  const auto glyph = EditorGeometry::ForCharacter(6, 8);
  EXPECT_EQ(glyph.WidthMarkerRect(), (PixelRect{80, 56, 91, 67}));
  EXPECT_TRUE(glyph.OnWidthMarker(80, 56));
  EXPECT_TRUE(glyph.OnWidthMarker(91, 67));
  EXPECT_FALSE(glyph.OnWidthMarker(79, 60));
  EXPECT_FALSE(glyph.OnWidthMarker(92, 60));
  EXPECT_FALSE(glyph.OnWidthMarker(85, 55));
  EXPECT_FALSE(glyph.OnWidthMarker(85, 68));
  EXPECT_FALSE(EditorGeometry::ForGraphic(2, 16).OnWidthMarker(25 + 9 * 16 + 1, 19 + 9 * 8 + 1));
}

// Wide graphics get OK and Cancel below the grid and a window fitted to it.
TEST(EditorGeometryTest, WideGraphicsMoveOkBelowTheGrid) {
  const auto ok = [](const EditorGeometry& g) { return g.Buttons().front().rect; };
  EXPECT_EQ(ok(EditorGeometry::ForGraphic(18, 10)), (PixelRect{520, 19, 595, 44}));
  EXPECT_EQ(EditorGeometry::ForGraphic(18, 10).WindowSize(), (PixelSize{620, 199}));
  EXPECT_EQ(ok(EditorGeometry::ForGraphic(19, 10)), (PixelRect{558, 89, 633, 114}));
  EXPECT_EQ(EditorGeometry::ForGraphic(36, 101).WindowSize(), (PixelSize{1211, 563}));
}

TEST(EditorMouseTest, MarkerPressDragsTheWidthWithinItsLimitsWithoutPainting) {
  PixelEditor editor = PixelEditor::ForGlyph(Glyph(6), 8);
  const MouseEffect press = editor.LeftDown(85, 60);
  EXPECT_TRUE(press.changedCells.empty());
  EXPECT_TRUE(editor.mouse().draggingWidth());
  EXPECT_FALSE(editor.mouse().painting());

  struct Step {
    int x, y, width;
    bool changed;
  };
  const Step steps[] = {
      {25 + 9 * 12 + 4, 40, 12, true},
      {25 + 9 * 12 + 8, 40, 12, false},     // same column: no repaint
      {25 + 9 * 3, 19 + 9 * 8, 12, false},  // below the glyph's rows
      {25 + 279, 40, 12, false},            // right of column 30
      {25 + 278, 40, 30, true},
      {25 + 1, 40, 0, true},  // the first column: width 0
      {25, 40, 0, false},
  };
  for (const Step& s : steps) {
    const MouseEffect moved = editor.Move(s.x, s.y);
    EXPECT_EQ(editor.geometry().width, s.width) << s.x << "," << s.y;
    EXPECT_EQ(moved.widthChanged, s.changed) << s.x << "," << s.y;
    EXPECT_TRUE(moved.changedCells.empty());
  }
  EXPECT_TRUE(editor.LeftUp().releaseMouse);
  EXPECT_FALSE(editor.mouse().active());
  EXPECT_EQ(editor.geometry().bytesPerRow, 1);  // fixed while the window is open
  EXPECT_FALSE(editor.Move(25 + 9 * 5, 40).widthChanged);
}

TEST(EditorMouseTest, PaintingAndErasingTogetherReportOnlyRealChanges) {
  PixelEditor editor = PixelEditor::ForGlyph(Glyph(8), 4);
  const auto& g = editor.geometry();
  EXPECT_EQ(editor.LeftDown(CellX(g, 1), CellY(g, 0)).changedCells,
            (std::vector<CellPosition>{{0, 1}}));
  EXPECT_TRUE(editor.Move(CellX(g, 1), CellY(g, 0)).changedCells.empty());  // already ink
  editor.Move(CellX(g, 2), CellY(g, 0));
  EXPECT_TRUE(editor.Move(200, 200).changedCells.empty());  // off the grid
  // The right button joins in: a cell under both is painted, then erased.
  editor.RightDown(CellX(g, 1), CellY(g, 0));
  EXPECT_EQ(editor.grid().at(0, 1), 0);
  editor.Move(CellX(g, 3), CellY(g, 1));
  EXPECT_EQ(editor.grid().at(1, 3), 0);
  editor.LeftUp();
  EXPECT_TRUE(editor.mouse().erasing());
  editor.Move(CellX(g, 2), CellY(g, 0));
  EXPECT_EQ(editor.grid().at(0, 2), 0);
  editor.RightUp();
  editor.Move(CellX(g, 2), CellY(g, 0));
  EXPECT_FALSE(editor.mouse().active());
  // A right press on a background cell and a left press off the grid change nothing.
  EXPECT_TRUE(editor.RightDown(CellX(g, 5), CellY(g, 3)).changedCells.empty());
  EXPECT_TRUE(editor.LeftDown(5, 5).changedCells.empty());
}

// Widening a 6-pixel glyph to 12: the buttons still work on its first 8 columns, and OK packs
// 2 bytes per row with columns 8 to 11 as painted.
TEST(PixelEditorTest, WidenedGlyphKeepsButtonAreaAndPacksTheNewRowLength) {
  PixelEditor editor = PixelEditor::ForGlyph(Glyph(6), 2);
  editor.LeftDown(85, 19 + 9 * 1 + 2);  // the marker of R = 2 sits at the height of row 1
  editor.Move(25 + 9 * 12 + 1, 22);
  editor.LeftUp();
  ASSERT_EQ(editor.geometry().width, 12);
  editor.LeftDown(CellX(editor.geometry(), 10), CellY(editor.geometry(), 1));
  editor.LeftUp();
  editor.Apply(GridOperation::FillAll);
  editor.Apply(GridOperation::FlipHorizontal);
  EXPECT_EQ(editor.grid().at(0, 8), 0);
  GlyphRecord out;
  editor.PackInto(out);
  GlyphRecord expected = Glyph(12);
  expected.bytes[1] = 0xFF;
  expected.bytes[2] = 0x00;
  expected.bytes[3] = 0xFF;
  expected.bytes[4] = 0x20;
  EXPECT_EQ(out, expected);
}

TEST(PixelEditorTest, StrokesButtonsWidthAndBitmapsAreOneUndoStepEach) {
  PixelEditor editor = PixelEditor::ForGlyph(Glyph(8), 8);
  const auto& g = editor.geometry();
  const PixelGrid blank = editor.grid();

  // A stroke of three cells with an erase in the middle of it is one step.
  editor.LeftDown(CellX(g, 0), CellY(g, 0));
  editor.Move(CellX(g, 1), CellY(g, 0));
  EXPECT_FALSE(editor.Undo());  // refused while a button is held
  editor.RightDown(CellX(g, 0), CellY(g, 0));
  editor.RightUp();
  editor.Move(CellX(g, 2), CellY(g, 0));
  editor.LeftUp();
  const PixelGrid stroked = editor.grid();
  // A press that changes nothing is no step.
  editor.RightDown(CellX(g, 5), CellY(g, 5));
  editor.RightUp();
  // Two buttons, then one width drag over two columns.
  EXPECT_TRUE(editor.Apply(GridOperation::ShiftDown));
  EXPECT_TRUE(editor.Apply(GridOperation::UnfillAll));
  const PixelGrid cleared = editor.grid();
  editor.LeftDown(98, 56);  // the marker of W = 8, R = 8
  editor.Move(25 + 9 * 3 + 1, 30);
  editor.Move(25 + 9 * 4 + 1, 30);
  editor.LeftUp();
  ASSERT_EQ(editor.geometry().width, 4);

  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.geometry().width, 8);
  EXPECT_EQ(editor.grid(), cleared);
  ASSERT_TRUE(editor.Undo());  // the Unfill All
  ASSERT_TRUE(editor.Undo());  // the Shift Down
  EXPECT_EQ(editor.grid(), stroked);
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.grid(), blank);
  EXPECT_FALSE(editor.canUndo());

  ASSERT_TRUE(editor.Redo());
  EXPECT_EQ(editor.grid(), stroked);
  // A new step drops what could be redone.
  editor.Apply(GridOperation::Invert);
  EXPECT_FALSE(editor.canRedo());

  BmpImport picture;
  picture.rows = 1;
  picture.columns = 2;
  picture.cells = {0, 1};
  const PixelGrid beforeLoad = editor.grid();
  editor.LoadBitmap(picture);
  EXPECT_EQ(editor.grid().at(0, 0), 0);
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.grid(), beforeLoad);
}

TEST(PixelEditorTest, EachGraphicEditorPacksItsOwnPicture) {
  Bytes image(64, 0);
  image[0] = 0xF0;
  image[32] = 0x0F;
  auto first = PixelEditor::ForGraphic(image, GraphicTarget{0, 2, 2});
  auto second = PixelEditor::ForGraphic(image, GraphicTarget{32, 1, 3});
  ASSERT_TRUE(first.ok() && second.ok());
  first->Apply(GridOperation::Invert);
  second->Apply(GridOperation::ShiftUp);
  ASSERT_TRUE(first->PackInto(image).ok());
  ASSERT_TRUE(second->PackInto(image).ok());
  const Bytes expected = [] {
    Bytes e(64, 0);
    e[0] = 0x0F, e[1] = e[2] = e[3] = 0xFF;
    e[34] = 0x0F;
    return e;
  }();
  EXPECT_EQ(image, expected);
  EXPECT_FALSE(PixelEditor::ForGraphic(image, GraphicTarget{60, 8, 1}).ok());
  EXPECT_FALSE(PixelEditor::ForGlyph(Glyph(3), 4).PackInto(image).ok());
}

}  // namespace
}  // namespace zentavour
