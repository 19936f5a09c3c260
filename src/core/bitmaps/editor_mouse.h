#pragma once

#include <vector>

#include "core/bitmaps/editor_geometry.h"
#include "core/bitmaps/pixel_grid.h"

namespace zentavour {

// What one mouse event did, for the window to show.
struct MouseEffect {
  std::vector<CellPosition> changedCells;  // redraw each of these alone
  bool widthChanged = false;               // the width marker moved: repaint everything
  bool captureMouse = false;               // a button went down: keep the mouse events coming
  bool releaseMouse = false;               // a button came up
};

// The pixel editors' mouse rules. The left button paints (or, pressed on the width marker of a
// character editor, drags the width), the right button erases; both may be held at once. Cells
// that already hold the value being painted are left alone and not reported.
class EditorMouse {
 public:
  MouseEffect LeftDown(int x, int y, PixelGrid& grid, EditorGeometry& geometry);
  MouseEffect RightDown(int x, int y, PixelGrid& grid, const EditorGeometry& geometry);
  MouseEffect Move(int x, int y, PixelGrid& grid, EditorGeometry& geometry);
  MouseEffect LeftUp();
  MouseEffect RightUp();

  bool painting() const { return painting_; }
  bool erasing() const { return erasing_; }
  bool draggingWidth() const { return draggingWidth_; }
  // True while any button holds a mode: one stroke lasts from the first press to the last release.
  bool active() const { return painting_ || erasing_ || draggingWidth_; }

 private:
  bool painting_ = false;
  bool erasing_ = false;
  bool draggingWidth_ = false;
};

}  // namespace zentavour
