#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "core/bitmaps/pixel_editor.h"
#include "gui/bitmaps/grid_picture.h"

class QAction;
class QHelpEvent;
class QMenuBar;
class QPushButton;

namespace zentavour {

class Prompts;

// "Character Edit" and "Startup Graphic Edit Menu": a top-level window of square cells in which
// the user redraws one glyph or one startup picture with the mouse and the buttons. The window
// owns its editor (grid, geometry, undo history); the picture it came from is untouched until
// OK or the close box hands the editor to `commit`. Cancel hands nothing over.
//
// The grid and its buttons live on a canvas of exactly the editor geometry's size, in the
// geometry's own coordinates; the window's File and Edit menus sit above it.
class PixelEditorWindow : public QWidget {
  Q_OBJECT

 public:
  using Commit = std::function<void(const PixelEditor& editor)>;

  PixelEditorWindow(PixelEditor editor, Commit commit, Prompts& prompts);

  const PixelEditor& editor() const { return editor_; }
  QPushButton* button(EditorCommand command) const;
  // The area of the grid, the width marker and the buttons.
  QWidget* canvas() const;
  QMenuBar* menuBar() const { return menuBar_; }
  // Counts the one-cell repaints asked for since the last full one, for tests of the painting.
  int cellUpdates() const { return cellUpdates_; }

  // The picture of the grid that the window copies from.
  const GridPicture& picture() const { return picture_; }

  // Closes without handing anything over: the picture's home has gone away.
  void abandon();

 public slots:
  void undo();
  void redo();
  // Copy puts the stored cells on the clipboard as a picture (for a character every column it
  // stores, so that a character of width 0 still has a picture and the columns past its width
  // come back as they were); Paste takes a picture from it as "Load Bitmap" takes a PNG file,
  // in one undo step.
  void copyPicture();
  void pastePicture();
  // File menu: a picture file in, as "Load Bitmap" takes it; the cells Copy takes out as a
  // one-bit BMP or a PNG, as "graphic export" writes them.
  void importPicture();
  void exportPicture(bool png);

 signals:
  // The window is going away, whether its edit was kept or not.
  void finished();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class Canvas;

  void buildMenus();
  void run(EditorCommand command);
  void paintCanvas(QPaintEvent* event);
  void showGridToolTip(QHelpEvent* event);
  void gridPress(QMouseEvent* event);
  void gridMove(QMouseEvent* event);
  void gridRelease(QMouseEvent* event);
  void showEffect(const MouseEffect& effect);
  void repaintAll();
  void finish(bool keep);
  void updateActions();

  PixelEditor editor_;
  Commit commit_;
  Prompts& prompts_;
  GridPicture picture_;
  Canvas* canvas_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  std::map<EditorCommand, QPushButton*> buttons_;
  bool finished_ = false;
  int cellUpdates_ = 0;
};

}  // namespace zentavour
