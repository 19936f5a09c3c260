#pragma once

#include <QListWidget>
#include <QStringList>

class QPushButton;

namespace zentavour {

// The list of the 128 names of one bank, laid out in rows of as many columns as the width takes,
// scrolling down when the window is too low for all of them. The pointer hovering over an item
// reports it (itemEntered) without selecting it; double-click and Enter activate it
// (itemActivated). Names are shown, never edited.
class BankList : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kBankSize = 128;

  explicit BankList(QWidget* parent = nullptr);

  // Replaces the items with names, item n holding name n (its number is its row).
  void showNames(const QStringList& names);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QSize cellSize() const;
};

// Makes a bank button of the browser or the GM viewer: checkable, the chosen bank shown in the
// selection colours so that it stands out in light and dark palettes, and no wider than its
// text needs when the window is narrow. Call it once the button has its text.
void ShowAsBankButton(QPushButton* button);

// The names of a bank's 128 slots, each up to its first zero byte and at most 16 characters.
template <class Bank>
QStringList BankNames(const Bank& bank) {
  QStringList names;
  names.reserve(static_cast<qsizetype>(bank.size()));
  for (const auto& slot : bank) names << QString::fromLatin1(slot.name());
  return names;
}

}  // namespace zentavour
