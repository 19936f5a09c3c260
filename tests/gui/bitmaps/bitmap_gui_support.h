#pragma once

#include <QPoint>
#include <QWidget>

class QListWidget;

#include "core/bitmaps/editor_geometry.h"
#include "core/common/bytes.h"
#include "gui/gui_test_support.h"

namespace zentavour::testing {

// Mouse events straight to a widget, with the buttons held during the event; positions may lie
// outside the widget, as they do while the mouse is captured.
void Press(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::MouseButtons held = {});
void MoveTo(QWidget* widget, QPoint at, Qt::MouseButtons held);
void Release(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::MouseButtons held = {});

// Double-clicks a list item, as the user opens a character or a picture.
void ActivateItem(QListWidget* list, int row);

// The middle of a cell in client pixels.
QPoint CellCentre(const EditorGeometry& geometry, int row, int column);

// Makes the window the active one, so its shortcuts and focus changes work headless.
void Activate(QWidget* window);

}  // namespace zentavour::testing
