#include "gui/common/dialog_units.h"

#include <QFontMetrics>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace zentavour {
namespace {

// Rounded as the platform the layouts were drawn on rounds: units times base, divided.
int Scale(int units, int base, int divisor) {
  const long long product = static_cast<long long>(units) * base;
  return static_cast<int>((product + (product >= 0 ? divisor / 2 : -divisor / 2)) / divisor);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseWidth_ = std::max(1, (letters / 26 + 1) / 2);
  baseHeight_ = std::max(1, metrics.height());
}

DialogUnits::DialogUnits(const QWidget* window) : DialogUnits(window->font()) {}

int DialogUnits::x(int units) const {
  return Scale(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const {
  return Scale(units, baseHeight_, 8);
}

void PlaceInClientArea(QWidget* window, const QWidget* owner, QPoint units) {
  if (!owner) return;
  // A main window's client area is what lies below its menu.
  const auto* main = qobject_cast<const QMainWindow*>(owner);
  const QWidget* area = main && main->centralWidget() ? main->centralWidget() : owner;
  const DialogUnits dialogUnits(window);
  window->move(area->mapToGlobal(QPoint(0, 0)) + dialogUnits.point(units.x(), units.y()));
}

void NarrowToText(QPushButton* button) {
  const QFontMetrics metrics = button->fontMetrics();
  button->setMinimumWidth(metrics.horizontalAdvance(button->text()) +
                          2 * metrics.averageCharWidth() + 8);
}

int TitleWidth(const QWidget* window) {
  // Window managers draw the caption in a bold face of about the dialog font's size; the icon
  // and up to three caption buttons take about a square of the caption's height each.
  QFont caption = window->font();
  caption.setBold(true);
  const int text = QFontMetrics(caption).horizontalAdvance(window->windowTitle());
  const int bar = std::max(window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window),
                           QFontMetrics(caption).height() + 8);
  return text + 4 * bar + 16;
}

}  // namespace zentavour
