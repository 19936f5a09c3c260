#include "core/bitmaps/editor_mouse.h"

namespace zentavour {
namespace {

void SetCell(int x, int y, std::uint8_t value, PixelGrid& grid, const EditorGeometry& geometry,
             MouseEffect& effect) {
  const auto cell = geometry.HitTest(x, y);
  if (!cell || grid.at(cell->row, cell->column) == value) return;
  grid.set(cell->row, cell->column, value);
  effect.changedCells.push_back(*cell);
}

}  // namespace

MouseEffect EditorMouse::LeftDown(int x, int y, PixelGrid& grid, EditorGeometry& geometry) {
  MouseEffect effect;
  effect.captureMouse = true;
  // The marker lies right of the last shown column, never on the grid, so a press on it neither
  // paints nor starts painting.
  if (geometry.OnWidthMarker(x, y)) {
    draggingWidth_ = true;
    return effect;
  }
  SetCell(x, y, 1, grid, geometry, effect);
  painting_ = true;
  return effect;
}

MouseEffect EditorMouse::RightDown(int x, int y, PixelGrid& grid, const EditorGeometry& geometry) {
  MouseEffect effect;
  effect.captureMouse = true;
  SetCell(x, y, 0, grid, geometry, effect);
  erasing_ = true;
  return effect;
}

MouseEffect EditorMouse::Move(int x, int y, PixelGrid& grid, EditorGeometry& geometry) {
  MouseEffect effect;
  if (painting_) SetCell(x, y, 1, grid, geometry, effect);
  if (erasing_) SetCell(x, y, 0, grid, geometry, effect);
  if (draggingWidth_) {
    const auto width = geometry.DraggedWidth(x, y);
    if (width && *width != geometry.width) {
      geometry.width = *width;
      effect.widthChanged = true;
    }
  }
  return effect;
}

MouseEffect EditorMouse::LeftUp() {
  painting_ = false;
  draggingWidth_ = false;
  MouseEffect effect;
  effect.releaseMouse = true;
  return effect;
}

MouseEffect EditorMouse::RightUp() {
  erasing_ = false;
  MouseEffect effect;
  effect.releaseMouse = true;
  return effect;
}

}  // namespace zentavour
