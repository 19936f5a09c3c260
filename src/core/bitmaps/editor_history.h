#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

#include "core/bitmaps/pixel_grid.h"

namespace zentavour {

// One state of a pixel editor: the picture and the width shown.
struct EditorSnapshot {
  PixelGrid grid;
  int width = 0;

  friend bool operator==(const EditorSnapshot&, const EditorSnapshot&) = default;
};

// Undo and redo for one pixel editor, as whole snapshots (a grid is 36 000 bytes, so the depth
// is bounded). The editor records the state before each step; a new step drops the redo states.
class EditorHistory {
 public:
  static constexpr std::size_t kMaxSteps = 100;

  // Remembers the state before a step.
  void Record(const EditorSnapshot& before);
  // The state to go back to, or nothing; current is kept for Redo.
  std::optional<EditorSnapshot> Undo(const EditorSnapshot& current);
  // The state to go forward to, or nothing; current is kept for Undo.
  std::optional<EditorSnapshot> Redo(const EditorSnapshot& current);

  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  std::size_t undoSteps() const { return undo_.size(); }

 private:
  using Stack = std::deque<std::unique_ptr<EditorSnapshot>>;
  static void Push(Stack& stack, const EditorSnapshot& snapshot);

  Stack undo_, redo_;
};

}  // namespace zentavour
