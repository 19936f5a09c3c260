#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>

class QPushButton;
class QWidget;

namespace zentavour {

// The windows' layouts are given in dialog units: a quarter of the dialog font's average
// letter width across, an eighth of its height down. Converting with the font the window
// really uses keeps a window in proportion to its text on every platform and font size.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  // The units of a window's own font.
  explicit DialogUnits(const QWidget* window);

  int x(int units) const;
  int y(int units) const;
  QPoint point(int x, int y) const { return QPoint(this->x(x), this->y(y)); }
  QSize size(int width, int height) const { return QSize(x(width), y(height)); }

 private:
  int baseWidth_;
  int baseHeight_;
};

// Places a top-level window at a point of its owner's client area given in dialog units: the
// window's frame goes there, as for a window the platform places. No owner, no move.
void PlaceInClientArea(QWidget* window, const QWidget* owner, QPoint units);

// Lets a push button be as narrow as its text needs, below the style's usual minimum width, so
// that a window of its intended size holds a row of them.
void NarrowToText(QPushButton* button);

// The width a window needs for its whole title in the caption, beside the caption's icon and
// buttons.
int TitleWidth(const QWidget* window);

}  // namespace zentavour
