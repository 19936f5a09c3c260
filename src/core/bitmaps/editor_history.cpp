#include "core/bitmaps/editor_history.h"

namespace zentavour {

void EditorHistory::Push(Stack& stack, const EditorSnapshot& snapshot) {
  stack.push_back(std::make_unique<EditorSnapshot>(snapshot));
  if (stack.size() > kMaxSteps) stack.pop_front();
}

void EditorHistory::Record(const EditorSnapshot& before) {
  Push(undo_, before);
  redo_.clear();
}

std::optional<EditorSnapshot> EditorHistory::Undo(const EditorSnapshot& current) {
  if (undo_.empty()) return std::nullopt;
  EditorSnapshot previous = *undo_.back();
  undo_.pop_back();
  Push(redo_, current);
  return previous;
}

std::optional<EditorSnapshot> EditorHistory::Redo(const EditorSnapshot& current) {
  if (redo_.empty()) return std::nullopt;
  EditorSnapshot next = *redo_.back();
  redo_.pop_back();
  Push(undo_, current);
  return next;
}

}  // namespace zentavour
