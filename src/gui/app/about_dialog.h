#pragma once

#include <QDialog>

class QPushButton;

namespace zentavour {

// The About box: title picture, the disclaimers and OK. Shown once at start-up and from the
// Help menu.
class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);

  QPushButton* okButton() const { return ok_; }

 private:
  QPushButton* ok_;
};

}  // namespace zentavour
