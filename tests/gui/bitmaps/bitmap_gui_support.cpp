#include "gui/bitmaps/bitmap_gui_support.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

namespace zentavour::testing {
namespace {

void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

void Press(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  Send(widget, QEvent::MouseButtonPress, at, button, held | button);
}

void MoveTo(QWidget* widget, QPoint at, Qt::MouseButtons held) {
  Send(widget, QEvent::MouseMove, at, Qt::NoButton, held);
}

void Release(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  Send(widget, QEvent::MouseButtonRelease, at, button, held);
}

void ActivateItem(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  ASSERT_NE(item, nullptr);
  list->doItemsLayout();  // items are laid out lazily after the dialog shows
  list->scrollToItem(item);
  ASSERT_FALSE(list->visualItemRect(item).isEmpty());
  // Press, release, then the second press that the platform reports as a double-click.
  const QPoint at = list->visualItemRect(item).center();
  Press(list->viewport(), at, Qt::LeftButton);
  Release(list->viewport(), at, Qt::LeftButton);
  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at),
                    list->viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(list->viewport(), &twice);
  Release(list->viewport(), at, Qt::LeftButton);
}

QPoint CellCentre(const EditorGeometry& geometry, int row, int column) {
  const PixelRect cell = geometry.CellRect(CellPosition{row, column});
  return QPoint((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

void Activate(QWidget* window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  EXPECT_TRUE(QTest::qWaitForWindowActive(window, 1000));
}

}  // namespace zentavour::testing
