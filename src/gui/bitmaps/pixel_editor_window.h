#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "core/bitmaps/pixel_editor.h"
#include "gui/bitmaps/grid_picture.h"

class QPushButton;

namespace zentavour {

class Prompts;

// "Character Edit" and "Startup Graphic Edit Menu": a top-level window of square cells in which
// the user redraws one glyph or one startup picture with the mouse and the buttons. The window
// owns its editor (grid, geometry, undo history); the picture it came from is untouched until
// OK or the close box hands the editor to `commit`. Cancel hands nothing over.
class PixelEditorWindow : public QWidget {
  Q_OBJECT

 public:
  using Commit = std::function<void(const PixelEditor& editor)>;

  PixelEditorWindow(PixelEditor editor, Commit commit, Prompts& prompts);

  const PixelEditor& editor() const { return editor_; }
  QPushButton* button(EditorCommand command) const;
  // Counts the one-cell repaints asked for since the last full one, for tests of the painting.
  int cellUpdates() const { return cellUpdates_; }

  // The picture of the grid that the window copies from.
  const GridPicture& picture() const { return picture_; }

  // Closes without handing anything over: the picture's home has gone away.
  void abandon();

 public slots:
  void undo();
  void redo();
  // Copy puts the shown cells on the clipboard as a picture; Paste takes a picture from it as
  // "Load Bitmap" takes a PNG file, in one undo step.
  void copyPicture();
  void pastePicture();

 signals:
  // The window is going away, whether its edit was kept or not.
  void finished();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void run(EditorCommand command);
  void loadBitmap();
  void showEffect(const MouseEffect& effect);
  void repaintAll();
  void finish(bool keep);

  PixelEditor editor_;
  Commit commit_;
  Prompts& prompts_;
  GridPicture picture_;
  std::map<EditorCommand, QPushButton*> buttons_;
  bool finished_ = false;
  int cellUpdates_ = 0;
};

}  // namespace zentavour
