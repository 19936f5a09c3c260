#pragma once

#include <QDialog>

class QPushButton;

namespace zentavour {

// A question that ends only through "Yes" (the default) or "No": no close box, and Escape does
// nothing, so the user always makes the choice.
class QuestionDialog : public QDialog {
  Q_OBJECT

 public:
  QuestionDialog(QWidget* parent, const QString& caption, const QString& text);

  QPushButton* yesButton() const { return yes_; }
  QPushButton* noButton() const { return no_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* yes_;
  QPushButton* no_;
};

}  // namespace zentavour
