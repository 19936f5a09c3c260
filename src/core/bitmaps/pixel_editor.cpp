#include "core/bitmaps/pixel_editor.h"

namespace zentavour {

PixelEditor PixelEditor::ForGlyph(const GlyphRecord& record, int rows) {
  PixelEditor editor;
  const int width = UnpackGlyph(record, rows, *editor.grid_);
  editor.geometry_ = EditorGeometry::ForCharacter(width, rows);
  return editor;
}

Result<PixelEditor> PixelEditor::ForGraphic(ByteView extImage, const GraphicTarget& target) {
  PixelEditor editor;
  if (Status unpacked = UnpackGraphic(extImage, target, *editor.grid_); !unpacked)
    return unpacked.failure();
  editor.geometry_ = EditorGeometry::ForGraphic(target.bytesPerRow, target.rows);
  editor.target_ = target;
  return editor;
}

void PixelEditor::BeginStroke() {
  if (!mouse_.active()) stroke_ = Stroke{geometry_.width, {}};
}

MouseEffect PixelEditor::Track(MouseEffect effect) {
  // Every reported cell flipped, so it held the other value before.
  if (stroke_) {
    for (const CellPosition& cell : effect.changedCells)
      stroke_->before.emplace_back(cell, grid_->at(cell.row, cell.column) ? 0 : 1);
  }
  return effect;
}

void PixelEditor::EndStrokeIfDone() {
  if (mouse_.active() || !stroke_) return;
  if (!stroke_->before.empty() || stroke_->width != geometry_.width) {
    EditorSnapshot before = Snapshot();
    for (auto change = stroke_->before.rbegin(); change != stroke_->before.rend(); ++change)
      before.grid.set(change->first.row, change->first.column, change->second);
    before.width = stroke_->width;
    // A stroke that painted and erased the same cells, or dragged the width back, is no step.
    if (before.width != geometry_.width || !(before.grid == *grid_)) history_.Record(before);
  }
  stroke_.reset();
}

MouseEffect PixelEditor::LeftDown(int x, int y) {
  BeginStroke();
  return Track(mouse_.LeftDown(x, y, *grid_, geometry_));
}

MouseEffect PixelEditor::RightDown(int x, int y) {
  BeginStroke();
  return Track(mouse_.RightDown(x, y, *grid_, geometry_));
}

MouseEffect PixelEditor::Move(int x, int y) {
  return Track(mouse_.Move(x, y, *grid_, geometry_));
}

MouseEffect PixelEditor::LeftUp() {
  MouseEffect effect = mouse_.LeftUp();
  EndStrokeIfDone();
  return effect;
}

MouseEffect PixelEditor::RightUp() {
  MouseEffect effect = mouse_.RightUp();
  EndStrokeIfDone();
  return effect;
}

bool PixelEditor::Apply(GridOperation operation) {
  const EditorSnapshot before = Snapshot();
  ApplyGridOperation(*grid_, operation, geometry_.rows, geometry_.operationColumns());
  if (before.grid == *grid_) return false;
  history_.Record(before);
  return true;
}

void PixelEditor::LoadBitmap(const BmpImport& picture) {
  const EditorSnapshot before = Snapshot();
  picture.ApplyTo(*grid_);
  if (!(before.grid == *grid_)) history_.Record(before);
}

void PixelEditor::Restore(const EditorSnapshot& snapshot) {
  *grid_ = snapshot.grid;
  geometry_.width = snapshot.width;
}

bool PixelEditor::Undo() {
  if (mouse_.active()) return false;
  const auto previous = history_.Undo(Snapshot());
  if (previous) Restore(*previous);
  return previous.has_value();
}

bool PixelEditor::Redo() {
  if (mouse_.active()) return false;
  const auto next = history_.Redo(Snapshot());
  if (next) Restore(*next);
  return next.has_value();
}

void PixelEditor::PackInto(GlyphRecord& record) const {
  PackGlyph(record, geometry_.width, geometry_.rows, *grid_);
}

Status PixelEditor::PackInto(std::span<std::uint8_t> extImage) const {
  if (!target_) return Failure{"Error", "This editor holds no startup graphic."};
  return PackGraphic(*grid_, extImage, *target_);
}

}  // namespace zentavour
