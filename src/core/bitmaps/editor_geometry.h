#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace zentavour {

enum class EditorKind { Character, Graphic };

struct CellPosition {
  int row = 0;
  int column = 0;
  friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// A rectangle in client pixels; right and bottom are exclusive.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
  int width = 0, height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The editors' push buttons, by command number.
enum class EditorCommand : int {
  FillAll = 1269,
  UnfillAll = 1270,
  Invert = 1271,
  LoadBitmap = 1272,
  FlipHorizontal = 1273,
  FlipVertical = 1274,
  ShiftLeft = 1275,
  ShiftRight = 1276,
  ShiftUp = 1277,
  ShiftDown = 1278,
  Ok = 1279,
  Cancel = 1280,
};

struct EditorButton {
  EditorCommand command;
  std::string_view caption;
  PixelRect rect;
  bool isDefault = false;
};

// Where everything of a pixel editor window lies, in client pixels. The mouse rules are written
// in these coordinates, so the windows draw exactly here.
//   width        W, the columns shown (the glyph's width; B x 8 for a graphic)
//   rows         R
//   bytesPerRow  B, fixed while the window is open; the buttons work on B x 8 columns
struct EditorGeometry {
  static constexpr int kOriginX = 25;
  static constexpr int kOriginY = 19;
  static constexpr int kCharacterPitch = 9;
  static constexpr int kGraphicPitch = 4;
  // The width marker can be dragged over the first 31 cell columns: widths 0 to 30.
  static constexpr int kMaxDraggedWidth = 30;

  EditorKind kind = EditorKind::Character;
  int width = 0;
  int rows = 0;
  int bytesPerRow = 1;

  // B follows from the width at the moment the window opens.
  static EditorGeometry ForCharacter(int width, int rows);
  static EditorGeometry ForGraphic(int bytesPerRow, int rows);

  int pitch() const { return kind == EditorKind::Character ? kCharacterPitch : kGraphicPitch; }
  // The columns drawn: W for a glyph, B x 8 for a graphic.
  int shownColumns() const { return kind == EditorKind::Character ? width : bytesPerRow * 8; }
  // The columns the buttons work on (and a graphic packs): B x 8.
  int operationColumns() const { return bytesPerRow * 8; }

  // The cell under a mouse position, if any. Positions are taken as unsigned 16-bit values, so a
  // captured pointer left of or above the window is off the grid; the outline pixel at the grid's
  // left and top edge is off the grid too.
  std::optional<CellPosition> HitTest(int x, int y) const;
  // Whether a press at (x, y) grabs the width marker (character editor only).
  bool OnWidthMarker(int x, int y) const;
  // The width that dragging the marker to (x, y) asks for, or nothing when the pointer is
  // outside the band of cell columns 0 to 30 and the glyph's rows.
  std::optional<int> DraggedWidth(int x, int y) const;

  // A cell as drawn: outlined square 10 x 10 (glyph) or 5 x 5 (graphic); neighbours share their
  // outline.
  PixelRect CellRect(CellPosition cell) const;
  // The area to repaint after one cell changed.
  PixelRect CellUpdateRect(CellPosition cell) const;
  // The red width marker (character editor only): right of the last shown column, at the
  // height of the middle row.
  PixelRect WidthMarkerRect() const;
  PixelSize WindowSize() const;
  std::vector<EditorButton> Buttons() const;
};

}  // namespace zentavour
