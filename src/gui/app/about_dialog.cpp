#include "gui/app/about_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "gui/common/resources.h"
#include "zentavour_version.h"

namespace zentavour {
namespace {

constexpr QSize kTitlePictureSize(580, 141);

QPixmap TitlePicture(qreal pixelRatio) {
  QPixmap pixmap(kTitlePictureSize * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/pictures/title.svg"));
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kTitlePictureSize)));
  return pixmap;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  EnsureResources();
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About Zentavour"));
  setModal(true);
  // The box keeps its texts; the version shows when the pointer rests anywhere on it.
  setToolTip(QStringLiteral("Zentavour %1").arg(QLatin1String(kVersion)));

  // Without a caption the box draws its own frame, so it does not melt into the main window.
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Raised);
  frame->setLineWidth(2);

  auto* picture = new QLabel(frame);
  picture->setObjectName(QStringLiteral("titlePicture"));
  picture->setPixmap(TitlePicture(devicePixelRatioF()));
  picture->setFixedSize(kTitlePictureSize);
  picture->setFrameShape(QFrame::NoFrame);

  auto centred = [frame](const QString& text, const char* name) {
    auto* label = new QLabel(text, frame);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    return label;
  };
  QLabel* responsibility = centred(
      QStringLiteral(
          "The author of this program takes no responsibility for any results caused by its use."),
      "responsibilityText");
  QLabel* affiliation = centred(QStringLiteral("Zentavour is in no way affiliated with Vesk Corp."),
                                "affiliationText");
  auto* risk = new QLabel(QStringLiteral("  USE THIS PROGRAM AT YOUR OWN RISK"), frame);
  risk->setObjectName(QStringLiteral("riskText"));
  QFont riskFont = risk->font();
  riskFont.setBold(true);
  risk->setFont(riskFont);

  ok_ = new QPushButton(QStringLiteral("OK"), frame);
  ok_->setObjectName(QStringLiteral("control4"));
  ok_->setDefault(true);
  ok_->setMinimumWidth(88);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(20, 16, 20, 14);
  inner->setSpacing(8);
  inner->addWidget(picture, 0, Qt::AlignHCenter);
  inner->addSpacing(6);
  inner->addWidget(responsibility);
  inner->addWidget(affiliation);
  inner->addSpacing(4);
  inner->addWidget(risk, 0, Qt::AlignHCenter);
  inner->addSpacing(6);
  inner->addWidget(ok_, 0, Qt::AlignHCenter);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
  // Close to the box's 406 x 190 dialog units.
  setFixedSize(QSize(680, 330).expandedTo(outer->sizeHint()));
  ok_->setFocus();
}

}  // namespace zentavour
