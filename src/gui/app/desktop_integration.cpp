#include "gui/app/desktop_integration.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileOpenEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "core/osfiles/kept_originals.h"
#include "gui/app/main_window.h"
#include "gui/app/recent_files.h"
#include "gui/bitmaps/edit_font_dialog.h"
#include "gui/common/app_settings.h"
#include "gui/common/application_state.h"
#include "gui/common/file_chooser.h"
#include "gui/common/help_window.h"
#include "gui/common/prompts.h"
#include "gui/common/text.h"
#include "gui/pcg/gm_banks_dialog.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "gui/pcg/pcg_windows.h"

namespace zentavour {
namespace {

// The modeless windows whose places are kept, by the key they are kept under.
QString PlaceKey(QWidget* window) {
  if (qobject_cast<PcgFileDialog*>(window)) return QStringLiteral("pcgFile");
  if (qobject_cast<GmBanksDialog*>(window)) return QStringLiteral("gmBanks");
  if (qobject_cast<HelpWindow*>(window)) return QStringLiteral("help");
  return {};
}

constexpr const char* kPlaceRestored = "zentavourPlaceRestored";

QStringList LocalPaths(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile());
  }
  return paths;
}

}  // namespace

QRect KeptOnScreens(const QRect& place, const QList<QRect>& screens) {
  if (screens.isEmpty()) return place;
  // The top strip, where the title bar is grabbed, must be reachable.
  const QRect top(place.topLeft(), QSize(place.width(), std::min(place.height(), 32)));
  for (const QRect& screen : screens) {
    const QRect seen = screen.intersected(top);
    if (seen.width() >= std::min(top.width(), 100) && seen.height() >= top.height() / 2) {
      return place;
    }
  }
  const QRect& first = screens.front();
  QRect moved(QPoint(), place.size().boundedTo(first.size()));
  moved.moveCenter(first.center());
  return moved;
}

DesktopIntegration::DesktopIntegration(MainWindow& window, ApplicationState& state,
                                       AppSettings& settings, QString dataFolder)
    : window_(window), state_(state), settings_(settings), dataFolder_(std::move(dataFolder)) {
  // File > Recent and Show Kept Originals go above Exit and its separator.
  QMenu* file = window.menuBar()->findChild<QMenu*>(QStringLiteral("fileMenu"));
  QAction* exit = window.action(MenuCommand::Exit);
  QAction* before = exit;
  const QList<QAction*> items = file->actions();
  const qsizetype exitAt = items.indexOf(exit);
  if (exitAt > 0 && items[exitAt - 1]->isSeparator()) before = items[exitAt - 1];
  recent_ = new QMenu(QStringLiteral("&Recent"), file);
  recent_->setObjectName(QStringLiteral("recentMenu"));
  file->insertMenu(before, recent_);
  showKept_ = new QAction(QStringLiteral("Show &Kept Originals"), file);
  showKept_->setObjectName(QStringLiteral("showKeptOriginals"));
  file->insertAction(before, showKept_);
  file->insertSeparator(before);
  connect(showKept_, &QAction::triggered, this, &DesktopIntegration::showKeptOriginals);

  QMenu* settingsMenu = window.menuBar()->findChild<QMenu*>(QStringLiteral("settingsMenu"));
  keepOriginals_ = settingsMenu->addAction(QStringLiteral("&Keep Originals Before Saving"));
  keepOriginals_->setObjectName(QStringLiteral("keepOriginals"));
  keepOriginals_->setCheckable(true);
  keepOriginals_->setChecked(settings_.keepOriginals());
  connect(keepOriginals_, &QAction::toggled, this, [this](bool keep) {
    settings_.setKeepOriginals(keep);
    settings_.save();
    applyKeepOriginals();
  });
  applyKeepOriginals();

  if (const WorkstationModel model = settings_.lastModel(); model != WorkstationModel::None) {
    state_.osFileChoice().rememberedModel = model;
  }
  connect(&state_, &ApplicationState::pcgFileChanged, this, [this](bool open) {
    if (!open) return;
    OpenTarget target;
    target.kind = OpenTarget::Kind::Pcg;
    target.pcgPath = QFileInfo(QString::fromStdString(state_.pcgIndex().path)).absoluteFilePath();
    remember(target);
  });
  connect(&state_, &ApplicationState::osFilesChanged, this, [this](WorkstationModel model) {
    if (model == WorkstationModel::None) return;
    const OsFileSet& set = state_.osFiles();
    const auto full = [](const std::string& path) {
      return path.empty() ? QString() : QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    };
    OpenTarget target;
    target.kind = OpenTarget::Kind::OsSet;
    target.model = model;
    target.sysinfo = full(set.sysinfoPath);
    target.ext = full(set.extPath);
    target.ext2 = full(set.ext2Path);
    settings_.setLastModel(model);
    remember(target);
  });
  connect(&state_, &ApplicationState::originalsKept, this, [this](const QString& folder) {
    if (OsDataPanel* panel = window_.osDataPanel()) {
      panel->checksumLine()->setText(QStringLiteral("Original files kept"));
      panel->checksumLine()->setToolTip(Str(KeptOriginalsNote(folder.toStdString())));
      panel->checksumLine()->setStyleSheet({});
    }
  });

  rebuildRecentMenu();
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
  qApp->installEventFilter(this);
}

DesktopIntegration::~DesktopIntegration() {
  qApp->removeEventFilter(this);
  // Windows still up as the program ends (the help) are hidden only after this.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) windowHidden(window);
  }
  settings_.setLastModel(state_.osFileChoice().rememberedModel);
  settings_.save();
}

void DesktopIntegration::applyKeepOriginals() {
  state_.setKeptOriginalsDataFolder(keepOriginals_->isChecked() ? dataFolder_.toStdString()
                                                                : std::string());
}

void DesktopIntegration::open(const QList<OpenTarget>& targets) {
  for (const OpenTarget& target : targets) openOne(target);
}

void DesktopIntegration::openOne(const OpenTarget& target) {
  Prompts& prompts = state_.prompts();
  switch (target.kind) {
    case OpenTarget::Kind::Refused:
      prompts.showFailure(&window_, target.refusal);
      return;
    case OpenTarget::Kind::Pcg:
      window_.pcgWindows()->openPcgPath(target.pcgPath);
      return;
    case OpenTarget::Kind::OsSet:
      break;
  }
  if (state_.osFiles().isOpen()) {
    prompts.message(&window_, QStringLiteral("Sorry"),
                    QStringLiteral("An OS file set is already open. Close it before opening "
                                   "another."),
                    Severity::Warning);
    return;
  }
  // Load OS Files opens on the model with the set's files chosen, as if browsed to.
  OsFileChoice& choice = state_.osFileChoice();
  CancelLoadOsFiles(choice);
  SelectLoadModel(choice, target.model);
  if (!target.sysinfo.isEmpty())
    ChooseOsFile(choice, OsFileRole::Sysinfo, CorePath(target.sysinfo));
  if (!target.ext.isEmpty()) ChooseOsFile(choice, OsFileRole::Ext, CorePath(target.ext));
  if (!target.ext2.isEmpty()) ChooseOsFile(choice, OsFileRole::Ext2, CorePath(target.ext2));
  choice.model = WorkstationModel::None;
  window_.openOsFiles();
}

void DesktopIntegration::openRecent(const OpenTarget& target) {
  const QString path = RecentPath(target);
  if (!QFileInfo::exists(path)) {
    state_.prompts().message(
        &window_, QStringLiteral("Error"),
        QStringLiteral("%1 is no longer there, so it leaves the Recent list.")
            .arg(QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"')),
        Severity::Error);
    settings_.setRecent(RemoveRecent(settings_.recent(), target));
    settings_.save();
    rebuildRecentMenu();
    return;
  }
  openOne(target);
}

void DesktopIntegration::remember(const OpenTarget& target) {
  settings_.setRecent(AddRecent(settings_.recent(), target));
  settings_.save();
  rebuildRecentMenu();
}

void DesktopIntegration::rebuildRecentMenu() {
  recent_->clear();
  for (const QString& entry : settings_.recent()) {
    const std::optional<OpenTarget> target = DecodeRecent(entry);
    if (!target) continue;
    QAction* item = recent_->addAction(RecentLabel(*target));
    item->setToolTip(QDir::toNativeSeparators(RecentPath(*target)));
    connect(item, &QAction::triggered, this, [this, t = *target] { openRecent(t); });
  }
  recent_->setEnabled(!recent_->isEmpty());
}

void DesktopIntegration::showKeptOriginals() {
  const QString folder = Str(KeptOriginalsFolder(dataFolder_.toStdString()));
  if (!QFileInfo(folder).isDir()) {
    state_.prompts().message(&window_, QStringLiteral("Kept Originals"),
                             QStringLiteral("No original OS files have been kept yet. They are "
                                            "kept in %1 when a set is first saved.")
                                 .arg(QDir::toNativeSeparators(folder)),
                             Severity::Information);
    return;
  }
  state_.prompts().openUrl(QUrl::fromLocalFile(folder));
}

bool DesktopIntegration::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_) {
    if (event->type() == QEvent::DragEnter) {
      auto* drag = static_cast<QDragEnterEvent*>(event);
      if (!LocalPaths(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QStringList paths = LocalPaths(drop->mimeData());
      if (paths.isEmpty()) return true;
      drop->acceptProposedAction();
      open(ClassifyPaths(paths));
      return true;
    }
  }
  // macOS hands a file opened from the Finder to the running program as an event, not argv.
  if (event->type() == QEvent::FileOpen && watched == qApp) {
    open(ClassifyPaths({static_cast<QFileOpenEvent*>(event)->file()}));
    return true;
  }
  if (watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && widget->isWindow()) windowShown(widget);
    if (event->type() == QEvent::Hide && widget->isWindow()) windowHidden(widget);
  }
  return QObject::eventFilter(watched, event);
}

void DesktopIntegration::windowShown(QWidget* window) {
  if (auto* editFont = qobject_cast<EditFontDialog*>(window)) {
    editFont->setPreviewText(settings_.previewText(editFont->previewText()));
    return;
  }
  const QString key = PlaceKey(window);
  if (key.isEmpty() || window->property(kPlaceRestored).toBool()) return;
  window->setProperty(kPlaceRestored, true);
  const QByteArray place = settings_.windowPlace(key);
  if (place.isEmpty() || !window->restoreGeometry(place)) return;
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back(screen->availableGeometry());
  const QRect kept = KeptOnScreens(window->geometry(), screens);
  if (kept != window->geometry()) window->setGeometry(kept);
}

void DesktopIntegration::windowHidden(QWidget* window) {
  if (auto* editFont = qobject_cast<EditFontDialog*>(window)) {
    settings_.setPreviewText(editFont->previewText());
    return;
  }
  const QString key = PlaceKey(window);
  if (!key.isEmpty()) settings_.setWindowPlace(key, window->saveGeometry());
}

}  // namespace zentavour
