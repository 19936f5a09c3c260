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
  if (!mouse_.active()) strokeStart_ = std::make_unique<EditorSnapshot>(Snapshot());
}

void PixelEditor::EndStrokeIfDone() {
  if (mouse_.active() || !strokeStart_) return;
  if (!(*strokeStart_ == Snapshot())) history_.Record(*strokeStart_);
  strokeStart_.reset();
}

MouseEffect PixelEditor::LeftDown(int x, int y) {
  BeginStroke();
  return mouse_.LeftDown(x, y, *grid_, geometry_);
}

MouseEffect PixelEditor::RightDown(int x, int y) {
  BeginStroke();
  return mouse_.RightDown(x, y, *grid_, geometry_);
}

MouseEffect PixelEditor::Move(int x, int y) {
  return mouse_.Move(x, y, *grid_, geometry_);
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
