#include "gui/pcg/bank_list.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

#include "gui/common/dialog_units.h"

namespace zentavour {
namespace {

// Six columns of 22 rows show all 128 names at once; the list takes less when the window is
// smaller, down to two columns of eight rows, and then scrolls.
constexpr int kColumns = 6;
constexpr int kRows = (BankList::kBankSize + kColumns - 1) / kColumns;
constexpr int kMinimumColumns = 2;
constexpr int kMinimumRows = 8;

}  // namespace

BankList::BankList(QWidget* parent) : QListWidget(parent) {
  setViewMode(QListView::ListMode);
  setFlow(QListView::LeftToRight);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setMovement(QListView::Static);
  setUniformItemSizes(true);
  setGridSize(cellSize());
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMouseTracking(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QSize BankList::cellSize() const {
  // Room for a long 16-character name and a little air between the columns.
  const QFontMetrics metrics = fontMetrics();
  const int name = std::max(metrics.averageCharWidth() * 16,
                            metrics.horizontalAdvance(QStringLiteral("Woodwind Ensembl")));
  return QSize(name + 8, metrics.height() + 2);
}

QSize BankList::sizeHint() const {
  const QSize cell = cellSize();
  const int frame = 2 * frameWidth();
  return QSize(cell.width() * kColumns + frame + 8, cell.height() * kRows + frame + 8);
}

QSize BankList::minimumSizeHint() const {
  const QSize cell = cellSize();
  const int frame = 2 * frameWidth();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return QSize(cell.width() * kMinimumColumns + frame + scrollBar + 8,
               cell.height() * kMinimumRows + frame + 8);
}

void ShowAsBankButton(QPushButton* button) {
  button->setCheckable(true);
  button->setStyleSheet(
      QStringLiteral("QPushButton:checked { background-color: palette(highlight);"
                     " color: palette(highlighted-text); border: 1px solid palette(shadow);"
                     " border-radius: 3px; padding: 3px 6px; }"));
  // The style's usual minimum would keep six bank buttons and the logo from fitting the
  // browser's width.
  NarrowToText(button);
}

void BankList::showNames(const QStringList& names) {
  clear();
  // Every item as wide as its cell, so a long name is shown whole rather than elided.
  const QSize itemSize = cellSize() - QSize(4, 0);
  for (int n = 0; n < names.size(); ++n) {
    auto* item = new QListWidgetItem(names[n], this);
    item->setSizeHint(itemSize);
  }
  setCurrentRow(-1);
}

void BankList::keyPressEvent(QKeyEvent* event) {
  // Enter activates the current item and goes no further, so it never reaches the dialog
  // (where it would close the window the user is working in).
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
    emit itemActivated(currentItem());
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

}  // namespace zentavour
