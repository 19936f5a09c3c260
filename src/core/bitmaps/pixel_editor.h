#pragma once

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "core/bitmaps/bmp_import.h"
#include "core/bitmaps/editor_geometry.h"
#include "core/bitmaps/editor_history.h"
#include "core/bitmaps/editor_mouse.h"
#include "core/bitmaps/glyph_record.h"
#include "core/bitmaps/graphic_packing.h"
#include "core/bitmaps/pixel_grid.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"

namespace zentavour {

// Everything one open pixel editor window works on: its own grid and geometry, the mouse rules
// and the undo history. Nothing is shared between editors, so two open editors never see or
// pack each other's picture. The glyph or graphic itself is untouched until Pack*.
//
// Undo steps: one mouse stroke (first press to last release, painting and erasing together, or
// one width-marker drag) when it changed something, each grid operation that changed something,
// each loaded bitmap.
class PixelEditor {
 public:
  // A character editor on a copy of the glyph, for a font slot of `rows` rows.
  static PixelEditor ForGlyph(const GlyphRecord& record, int rows);
  // A graphic editor on the graphic at target. Fails when it does not lie inside the image.
  [[nodiscard]] static Result<PixelEditor> ForGraphic(ByteView extImage,
                                                      const GraphicTarget& target);

  const PixelGrid& grid() const { return *grid_; }
  const EditorGeometry& geometry() const { return geometry_; }
  const EditorMouse& mouse() const { return mouse_; }
  // The graphic editor's destination; nothing for a character editor.
  const std::optional<GraphicTarget>& target() const { return target_; }

  MouseEffect LeftDown(int x, int y);
  MouseEffect RightDown(int x, int y);
  MouseEffect Move(int x, int y);
  MouseEffect LeftUp();
  MouseEffect RightUp();

  // A button: on rows 0 to R - 1 and columns 0 to B x 8 - 1. Returns whether a cell changed.
  bool Apply(GridOperation operation);
  // Puts a read bitmap into the grid (graphic editor's "Load Bitmap").
  void LoadBitmap(const BmpImport& picture);

  // Refused (false) while a mouse button is held.
  bool Undo();
  bool Redo();
  bool canUndo() const { return !mouse_.active() && history_.canUndo(); }
  bool canRedo() const { return !mouse_.active() && history_.canRedo(); }

  // Character editor's OK: the grid with the current width, bytes per row taken from it now.
  void PackInto(GlyphRecord& record) const;
  // Graphic editor's OK: exactly the target's bytes of the image change.
  [[nodiscard]] Status PackInto(std::span<std::uint8_t> extImage) const;

 private:
  PixelEditor() = default;
  EditorSnapshot Snapshot() const { return EditorSnapshot{*grid_, geometry_.width}; }
  void Restore(const EditorSnapshot& snapshot);
  void BeginStroke();
  // Notes what a mouse event changed in the stroke in progress.
  MouseEffect Track(MouseEffect effect);
  void EndStrokeIfDone();

  std::unique_ptr<PixelGrid> grid_ = std::make_unique<PixelGrid>();
  EditorGeometry geometry_;
  std::optional<GraphicTarget> target_;
  EditorMouse mouse_;
  EditorHistory history_;
  // The stroke in progress: the width it started from and each cell it changed, in order, with
  // the value the cell had before. A press copies nothing; the state before the stroke is
  // rebuilt from these when the stroke ends.
  struct Stroke {
    int width = 0;
    std::vector<std::pair<CellPosition, std::uint8_t>> before;
  };
  std::optional<Stroke> stroke_;
};

}  // namespace zentavour
