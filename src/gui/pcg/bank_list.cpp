#include "gui/pcg/bank_list.h"

#include <QKeyEvent>
#include <algorithm>

namespace zentavour {
namespace {

// Six columns of 22 rows: all 128 names at once, no scrolling, in a window that fits a small
// screen.
constexpr int kColumns = 6;
constexpr int kRows = (BankList::kBankSize + kColumns - 1) / kColumns;

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
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QSize BankList::cellSize() const {
  // Room for a long 16-character name and a little air between the columns.
  const QFontMetrics metrics = fontMetrics();
  const int name = std::max(metrics.averageCharWidth() * 16,
                            metrics.horizontalAdvance(QStringLiteral("Woodwind Ensembl")));
  return QSize(name + 12, metrics.height() + 2);
}

QSize BankList::sizeHint() const {
  const QSize cell = cellSize();
  const int frame = 2 * frameWidth();
  return QSize(cell.width() * kColumns + frame + 8, cell.height() * kRows + frame + 8);
}

QSize BankList::minimumSizeHint() const {
  // Never smaller than all 128 names need: the list does not scroll.
  return sizeHint();
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
