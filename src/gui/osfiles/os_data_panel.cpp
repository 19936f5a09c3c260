#include "gui/osfiles/os_data_panel.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/dialog_units.h"
#include "gui/common/resources.h"
#include "core/osfiles/workstation_model.h"
#include "gui/common/text.h"

namespace zentavour {
namespace {

constexpr int kStatusIconSize = 32;

QString SumText(const std::optional<std::uint16_t>& sum) {
  return sum ? QStringLiteral("%1").arg(*sum, 4, 16, QLatin1Char('0')).toUpper()
             : QStringLiteral("none");
}

}  // namespace

OsDataPanel::OsDataPanel(QWidget* parent) : QWidget(parent) {
  EnsureResources();
  setObjectName(QStringLiteral("OSData"));
  setWindowTitle(QStringLiteral("OS Data"));

  QPushButton* open = addButton(PanelControl::Open, QStringLiteral("Open"));
  QPushButton* close = addButton(PanelControl::Close, QStringLiteral("Close"));
  statusIcon_ = new QLabel(this);
  statusIcon_->setObjectName(ControlName(PanelControl::StatusIcon));
  statusIcon_->setFixedSize(kStatusIconSize, kStatusIconSize);
  statusIcon_->setAlignment(Qt::AlignCenter);

  QPushButton* gmBanks = addButton(PanelControl::ViewGmBanks, QStringLiteral("View GM Banks"));
  QPushButton* large = addButton(PanelControl::EditLargeFont, QStringLiteral("Edit Large Font"));
  QPushButton* medium = addButton(PanelControl::EditMediumFont, QStringLiteral("Edit Medium Font"));
  QPushButton* small = addButton(PanelControl::EditSmallFont, QStringLiteral("Edit Small Font"));
  QPushButton* bold = addButton(PanelControl::EditBoldFont, QStringLiteral("Edit Bold Font"));
  QPushButton* graphics =
      addButton(PanelControl::EditStartupGraphics, QStringLiteral("Edit Startup Graphics"));

  connect(open, &QPushButton::clicked, this, &OsDataPanel::openRequested);
  connect(close, &QPushButton::clicked, this, &OsDataPanel::closeRequested);
  connect(gmBanks, &QPushButton::clicked, this, &OsDataPanel::viewGmBanksRequested);
  connect(large, &QPushButton::clicked, this, [this] { emit editFontRequested(FontSlot::Large); });
  connect(medium, &QPushButton::clicked, this,
          [this] { emit editFontRequested(FontSlot::Medium); });
  connect(small, &QPushButton::clicked, this, [this] { emit editFontRequested(FontSlot::Small); });
  connect(bold, &QPushButton::clicked, this, [this] { emit editFontRequested(FontSlot::Bold); });
  connect(graphics, &QPushButton::clicked, this, &OsDataPanel::editStartupGraphicsRequested);

  auto* top = new QGridLayout;
  top->setHorizontalSpacing(6);
  top->addWidget(open, 0, 0);
  top->addWidget(statusIcon_, 0, 1, Qt::AlignCenter);
  top->addWidget(close, 0, 2);
  top->setColumnStretch(0, 1);
  top->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(6);
  layout->addLayout(top);
  layout->addSpacing(6);
  for (QPushButton* editor : {gmBanks, large, medium, small, bold, graphics}) {
    layout->addWidget(editor);
  }
  checksumLine_ = new QLabel(this);
  checksumLine_->setObjectName(QStringLiteral("checksumLine"));
  checksumLine_->setAlignment(Qt::AlignCenter);
  // The panel is fixed in size, so the line keeps its room while no set is open.
  checksumLine_->setMinimumHeight(checksumLine_->fontMetrics().height());
  layout->addWidget(checksumLine_);
  layout->addStretch(1);

  showState(WorkstationModel::None);
}

QPushButton* OsDataPanel::addButton(PanelControl control, const QString& text) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(ControlName(control));
  NarrowToText(button);  // Open and Close share the panel's narrow first row with the icon
  // Enter presses the button that has the focus, as in a dialog.
  button->setAutoDefault(true);
  return button;
}

QPushButton* OsDataPanel::button(PanelControl control) const {
  return findChild<QPushButton*>(ControlName(control), Qt::FindDirectChildrenOnly);
}

QSize OsDataPanel::sizeHint() const {
  // The panel's 111 x 158 dialog units, unless its buttons cannot fit.
  return DialogUnits(this).size(111, 158).expandedTo(minimumSizeHint());
}

void OsDataPanel::showState(WorkstationModel openModel) {
  const bool open = openModel != WorkstationModel::None;
  // A font button is offered exactly where the model has an editable font in that slot.
  const auto hasFont = [&](FontSlot slot) {
    return open && FontSlotTable(openModel, slot).has_value();
  };
  button(PanelControl::Open)->setEnabled(!open);
  button(PanelControl::Close)->setEnabled(open);
  button(PanelControl::ViewGmBanks)->setEnabled(open);
  button(PanelControl::EditLargeFont)->setEnabled(hasFont(FontSlot::Large));
  button(PanelControl::EditMediumFont)->setEnabled(hasFont(FontSlot::Medium));
  button(PanelControl::EditSmallFont)->setEnabled(hasFont(FontSlot::Small));
  button(PanelControl::EditBoldFont)->setEnabled(hasFont(FontSlot::Bold));
  button(PanelControl::EditStartupGraphics)->setEnabled(open);

  showsOpenSet_ = open;
  const QString icon =
      open ? QStringLiteral(":/icons/set_open.svg") : QStringLiteral(":/icons/no_set.svg");
  statusIcon_->setPixmap(QIcon(icon).pixmap(kStatusIconSize, kStatusIconSize));
  statusIcon_->setToolTip(open ? QStringLiteral("An OS file set is open")
                               : QStringLiteral("No OS file set is open"));
}

void OsDataPanel::showChecksums(WorkstationModel openModel, const SetChecksumStatus& status) {
  if (openModel == WorkstationModel::None || status.ext.empty()) {
    checksumLine_->clear();
    checksumLine_->setToolTip({});
    checksumLine_->setStyleSheet({});
    return;
  }
  const WorkstationModelInfo& info = ModelInfo(openModel);
  QStringList details;
  for (std::size_t i = 0; i < status.ext.size(); ++i) {
    const ExtChecksumStatus& ext = status.ext[i];
    const std::string_view name = i == 0 ? info.extName : info.ext2Name;
    details << QStringLiteral("%1: stored %2, SYSINFO copy %3, computed %4 - %5")
                   .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                        SumText(ext.stored), SumText(ext.sysinfoCopy), SumText(ext.computed),
                        ext.ok() ? QStringLiteral("agree") : QStringLiteral("DISAGREE"));
  }
  checksumLine_->setToolTip(details.join(QLatin1Char('\n')));
  if (status.ok()) {
    checksumLine_->setText(QStringLiteral("Checksums agree"));
    checksumLine_->setStyleSheet({});
  } else {
    checksumLine_->setText(QStringLiteral("Checksums disagree"));
    checksumLine_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  }
}

}  // namespace zentavour
