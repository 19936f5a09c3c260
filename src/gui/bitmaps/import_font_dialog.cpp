#include "gui/bitmaps/import_font_dialog.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/bitmaps/rendered_glyph.h"
#include "gui/bitmaps/glyph_rendering.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

constexpr int kPreviewColumns = 12;
// Room for the widest preview (48 pixels) and the tallest (two times 19 rows).
constexpr int kPreviewCell = 50;

}  // namespace

ImportFontDialog::ImportFontDialog(ReplaceFont replaceFont, FontImportSettings& settings, int rows,
                                   Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      replaceFont_(std::move(replaceFont)),
      settings_(settings),
      rows_(rows),
      prompts_(prompts) {
  setObjectName(QStringLiteral("IMPORTFONT"));
  setWindowTitle(QStringLiteral("Import Font"));
  setWindowModality(Qt::WindowModal);

  auto makeButton = [this](int id, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(ControlName(id));
    return button;
  };
  ok_ = makeButton(1, QStringLiteral("OK"));
  cancel_ = makeButton(2, QStringLiteral("Cancel"));
  cancel_->setEnabled(false);
  cancel_->setVisible(false);
  selectFont_ = makeButton(1171, QStringLiteral("Select Font"));
  plus_ = makeButton(1267, QStringLiteral("+"));
  minus_ = makeButton(1268, QStringLiteral("-"));
  // The default button does nothing of its own: Enter in the box applies nothing, and clicking
  // it takes the focus from the box, which applies what was typed.
  refresh_ = makeButton(1144, QStringLiteral("Refresh"));
  refresh_->setDefault(true);
  for (QPushButton* small : {plus_, minus_}) small->setFixedWidth(32);

  adjustment_ = new QLineEdit(this);
  adjustment_->setObjectName(QStringLiteral("control1170"));
  adjustment_->setFixedWidth(40);
  adjustment_->installEventFilter(this);
  auto* label = new QLabel(QStringLiteral("Vertical Adjustment"), this);
  label->setBuddy(adjustment_);

  auto* steps = new QVBoxLayout;
  steps->setSpacing(2);
  steps->addWidget(plus_);
  steps->addWidget(minus_);

  auto* top = new QHBoxLayout;
  top->addWidget(selectFont_);
  top->addSpacing(20);
  top->addWidget(label);
  top->addWidget(adjustment_);
  top->addLayout(steps);
  top->addSpacing(16);
  top->addWidget(refresh_);
  top->addStretch(1);
  auto* okColumn = new QVBoxLayout;
  okColumn->addWidget(ok_);
  okColumn->addWidget(cancel_);
  okColumn->addStretch(1);
  top->addLayout(okColumn);

  auto* group = new QGroupBox(QStringLiteral("Preview"), this);
  auto* grid = new QGridLayout(group);
  grid->setSpacing(2);
  for (int k = 0; k < kGlyphCount; ++k) {
    auto* preview = new QLabel(group);
    preview->setObjectName(ControlName(1172 + k));
    preview->setFixedSize(kPreviewCell, kPreviewCell);
    preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(preview, k / kPreviewColumns, k % kPreviewColumns);
    previews_[static_cast<std::size_t>(k)] = preview;
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(group, 1);

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(selectFont_, &QPushButton::clicked, this, &ImportFontDialog::selectFont);
  connect(plus_, &QPushButton::clicked, this, [this] { step(+1); });
  connect(minus_, &QPushButton::clicked, this, [this] { step(-1); });
  setTabOrder(ok_, selectFont_);
  setTabOrder(selectFont_, adjustment_);
  setTabOrder(adjustment_, plus_);
  setTabOrder(plus_, minus_);
  setTabOrder(minus_, refresh_);
  ok_->setFocus();
}

bool ImportFontDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == adjustment_ && event->type() == QEvent::FocusOut && isVisible() &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    settings_.adjustment = ParseVerticalAdjustment(adjustment_->text().toStdString());
    runPass();
  }
  return QDialog::eventFilter(watched, event);
}

void ImportFontDialog::selectFont() {
  // Every choice starts again from the system's font; a cancelled chooser keeps that font.
  settings_.description = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  if (const std::optional<QFont> chosen = prompts_.chooseFont(this, settings_.description)) {
    settings_.description = *chosen;
  }
  settings_.adjustment = LeadingRows(settings_.description);
  runPass();
  showAdjustment();
}

void ImportFontDialog::step(int delta) {
  settings_.adjustment += delta;
  showAdjustment();
  runPass();
}

void ImportFontDialog::showAdjustment() {
  adjustment_->setText(QString::number(settings_.adjustment));
}

void ImportFontDialog::runPass() {
  const FontImportPass pass = RunImportPass(settings_.description, settings_.adjustment, rows_);
  replaceFont_(pass.glyphs);
  for (int k = 0; k < kGlyphCount; ++k) {
    const QImage& image = pass.previews[static_cast<std::size_t>(k)];
    previews_[static_cast<std::size_t>(k)]->setPixmap(image.isNull() ? QPixmap()
                                                                     : QPixmap::fromImage(image));
  }
  ++passes_;
}

}  // namespace zentavour
