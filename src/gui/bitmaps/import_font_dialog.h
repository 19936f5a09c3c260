#pragma once

#include <QDialog>
#include <QFont>
#include <array>
#include <functional>

#include "core/bitmaps/glyph_work_set.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zentavour {

class Prompts;

// What the PC font import remembers for the rest of the run: the font last chosen (the
// toolkit's default font until one is) and the vertical adjustment.
struct FontImportSettings {
  QFont description;
  int adjustment = 0;
};

// "Import Font": renders the characters 33 to 127 in a PC font, shows them doubled, and at every
// pass hands them to replaceFont, which replaces the whole font being edited with them. The
// vertical adjustment picks the cell row that becomes each glyph's top row; a typed value counts
// when the box loses the focus.
class ImportFontDialog : public QDialog {
  Q_OBJECT

 public:
  using ReplaceFont = std::function<void(const GlyphWorkSet& glyphs)>;

  ImportFontDialog(ReplaceFont replaceFont, FontImportSettings& settings, int rows,
                   Prompts& prompts, QWidget* parent);

  QPushButton* okButton() const { return ok_; }
  QPushButton* selectFontButton() const { return selectFont_; }
  QPushButton* plusButton() const { return plus_; }
  QPushButton* minusButton() const { return minus_; }
  QPushButton* refreshButton() const { return refresh_; }
  QLineEdit* adjustmentBox() const { return adjustment_; }
  QLabel* preview(int index) const { return previews_[static_cast<std::size_t>(index)]; }
  // Import passes run since the dialog opened.
  int passes() const { return passes_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void selectFont();
  void step(int delta);
  void showAdjustment();
  void runPass();

  ReplaceFont replaceFont_;
  FontImportSettings& settings_;
  int rows_;
  Prompts& prompts_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* selectFont_;
  QLineEdit* adjustment_;
  QPushButton* plus_;
  QPushButton* minus_;
  QPushButton* refresh_;
  std::array<QLabel*, kGlyphCount> previews_{};
  int passes_ = 0;
};

}  // namespace zentavour
