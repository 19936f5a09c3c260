#include "gui/app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include "core/osfiles/os_file_set.h"
#include "gui/app/about_dialog.h"
#include "gui/common/application_state.h"
#include "gui/common/prompts.h"
#include "gui/common/resources.h"
#include "gui/common/web_links.h"
#include "gui/bitmaps/bitmap_editors.h"
#include "gui/osfiles/close_os_files.h"
#include "gui/osfiles/load_os_files_dialog.h"
#include "gui/osfiles/os_data_panel.h"
#include "gui/pcg/pcg_windows.h"

namespace zentavour {
namespace {

QString CommandName(MenuCommand command) {
  return QStringLiteral("command%1").arg(static_cast<int>(command));
}

// Runs the event loop until the window is on the screen, for at most a second.
void WaitUntilExposed(QWidget* window) {
  QWindow* handle = window->windowHandle();
  if (!handle) return;
  QEventLoop loop;
  QTimer poll;
  QElapsedTimer waited;
  waited.start();
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (handle->isExposed() || waited.elapsed() > 1000) loop.quit();
  });
  poll.start(5);
  if (!handle->isExposed()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  // What arrived with the exposure (the window's final place among it) is handled too.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

MainWindow::MainWindow(ApplicationState& state, QWidget* parent)
    : QMainWindow(parent), state_(state) {
  EnsureResources();
  // "[*]" is where the platform shows the modified mark while the images differ from the files.
  setWindowTitle(
      QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())) +
      QStringLiteral("[*]"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/zentavour.svg")));

  area_ = new QMdiArea(this);
  area_->setObjectName(QStringLiteral("clientArea"));
  area_->setBackground(palette().window());
  area_->setFrameShape(QFrame::NoFrame);
  setCentralWidget(area_);

  buildMenu();
  pcg_ = new PcgWindows(state_, this);
  connect(action(MenuCommand::OpenPcg), &QAction::triggered, pcg_, &PcgWindows::openPcg);
  bitmaps_ = new BitmapEditors(state_, this);
  connect(&state_, &ApplicationState::osFilesChanged, this, &MainWindow::showOsFilesState);
  connect(&state_, &ApplicationState::osFilesModifiedChanged, this,
          &QWidget::setWindowModified);
  connect(&state_, &ApplicationState::osFilesEdited, this,
          [this] { showOsFilesState(state_.osFiles().model); });
  showOsFilesState(state_.osFiles().model);
  resize(800, 560);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addCommand(QMenu* menu, MenuCommand command, const QString& text,
                                bool enabled) {
  QAction* action = menu->addAction(text);
  action->setObjectName(CommandName(command));
  action->setEnabled(enabled);
  return action;
}

void MainWindow::buildMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("fileMenu"));
  // New PCG and Close PCG have no handler; they stay greyed for the whole run.
  addCommand(file, MenuCommand::NewPcg, QStringLiteral("&New PCG"), false);
  // Open PCG is the PCG windows' command; it is connected once they exist.
  addCommand(file, MenuCommand::OpenPcg, QStringLiteral("Open &PCG"), true);
  addCommand(file, MenuCommand::ClosePcg, QStringLiteral("&Close PCG"), false);
  file->addSeparator();
  QAction* openOs =
      addCommand(file, MenuCommand::OpenOsFiles, QStringLiteral("Open &OS Files"), true);
  QAction* closeOs =
      addCommand(file, MenuCommand::CloseOsFiles, QStringLiteral("Close O&S Files"), false);
  file->addSeparator();
  QAction* exit = addCommand(file, MenuCommand::Exit, QStringLiteral("E&xit"), true);

  // The set's history: an addition of ours, after File.
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("editMenu"));
  undo_ = edit->addAction(QString());
  undo_->setObjectName(QStringLiteral("undoEdit"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_ = edit->addAction(QString());
  redo_->setObjectName(QStringLiteral("redoEdit"));
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                       QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(undo_, &QAction::triggered, this, [this] { stepHistory(true); });
  connect(redo_, &QAction::triggered, this, [this] { stepHistory(false); });
  showHistory();

  QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
  settings->setObjectName(QStringLiteral("settingsMenu"));
  addCommand(settings, MenuCommand::MidiSetup, QStringLiteral("&MIDI Setup"), false);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("helpMenu"));
  QAction* about =
      addCommand(help, MenuCommand::AboutZentavour, QStringLiteral("&About Zentavour"), true);
  help->addSeparator();
  QAction* helpPages =
      addCommand(help, MenuCommand::ZentavourHelp, QStringLiteral("Zentavour &Help"), true);

  QMenu* web = menuBar()->addMenu(QStringLiteral("&Web"));
  web->setObjectName(QStringLiteral("webMenu"));
  QAction* home =
      addCommand(web, MenuCommand::HomePage, QStringLiteral("Zentavour &Homepage"), true);
  web->addSeparator();
  // accessKey: where the model's name gets its underlined letter, unique within the menu.
  struct Downloads {
    MenuCommand command;
    WorkstationModel model;
    qsizetype accessKey;
  };
  for (const Downloads& item :
       {Downloads{MenuCommand::OrvaneDownloads, WorkstationModel::Orvane, 0},
        Downloads{MenuCommand::OrvaneMiDownloads, WorkstationModel::OrvaneMi, 7},
        Downloads{MenuCommand::OrvaneSaloneDownloads, WorkstationModel::OrvaneSalone, 7},
        Downloads{MenuCommand::OssikDownloads, WorkstationModel::Ossik, 3}}) {
    const std::string_view name = ModelInfo(item.model).name;
    QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    text.insert(item.accessKey, QLatin1Char('&'));
    QAction* action = addCommand(web, item.command, text + QStringLiteral(" Downloads"), true);
    connect(action, &QAction::triggered, this,
            [this, model = item.model] { state_.prompts().openUrl(DownloadsUrl(model)); });
  }

  // The usual keys where a desktop program has them.
  openOs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  closeOs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  helpPages->setShortcut(QKeySequence(Qt::Key_F1));
  connect(openOs, &QAction::triggered, this, &MainWindow::openOsFiles);
  connect(closeOs, &QAction::triggered, this, &MainWindow::closeOsFiles);
  connect(exit, &QAction::triggered, this, &MainWindow::close);
  connect(about, &QAction::triggered, this, &MainWindow::showAbout);
  connect(helpPages, &QAction::triggered, this, [this] { state_.prompts().showHelp(this); });
  connect(home, &QAction::triggered, this, [this] { state_.prompts().openUrl(HomePageUrl()); });
}

QAction* MainWindow::action(MenuCommand command) const {
  return menuBar()->findChild<QAction*>(CommandName(command));
}

void MainWindow::startUp() {
  show();
  // The About box is centred over the window where the user sees it, so it waits until the
  // window manager has put the window on the screen.
  WaitUntilExposed(this);
  showAbout();
  createOsDataPanel();
}

void MainWindow::createOsDataPanel() {
  if (panel_) return;
  panel_ = new OsDataPanel;
  connect(panel_, &OsDataPanel::openRequested, this, &MainWindow::openOsFiles);
  connect(panel_, &OsDataPanel::closeRequested, this, &MainWindow::closeOsFiles);
  connect(panel_, &OsDataPanel::viewGmBanksRequested, pcg_, &PcgWindows::showGmBanks);
  connect(panel_, &OsDataPanel::editFontRequested, this,
          [this](FontSlot slot) { bitmaps_->editFont(slot, this); });
  connect(panel_, &OsDataPanel::editStartupGraphicsRequested, this,
          [this] { bitmaps_->editStartupGraphics(this); });
  showOsFilesState(state_.osFiles().model);

  // A child window with its own caption, fixed at the top left; it lives as long as the main
  // window, so it offers no close, minimise or maximise.
  panelWindow_ =
      area_->addSubWindow(panel_, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  panelWindow_->setObjectName(QStringLiteral("osDataWindow"));
  panelWindow_->setWindowTitle(panel_->windowTitle());
  panelWindow_->setOption(QMdiSubWindow::RubberBandResize);
  panelWindow_->adjustSize();
  panelWindow_->setFixedSize(panelWindow_->size());
  panelWindow_->move(0, 0);
  panelWindow_->show();
}

void MainWindow::showHistory() {
  const OsSetDocument& document = state_.osDocument();
  const auto text = [](const QString& verb, const std::string& name) {
    return name.empty() ? verb : verb + QLatin1Char(' ') + QString::fromStdString(name);
  };
  undo_->setText(text(QStringLiteral("&Undo"), document.undoName()));
  undo_->setEnabled(document.canUndo());
  redo_->setText(text(QStringLiteral("&Redo"), document.redoName()));
  redo_->setEnabled(document.canRedo());
}

void MainWindow::stepHistory(bool back) {
  // An editor of the set that is open now works on the bytes as they are; they stay put.
  if (QApplication::activeModalWidget()) return;
  if (back) {
    state_.undoOsEdit();
  } else {
    state_.redoOsEdit();
  }
}

void MainWindow::showOsFilesState(WorkstationModel openModel) {
  showHistory();
  const bool open = openModel != WorkstationModel::None;
  action(MenuCommand::OpenOsFiles)->setEnabled(!open);
  action(MenuCommand::CloseOsFiles)->setEnabled(open);
  if (panel_) {
    panel_->showState(openModel);
    panel_->showChecksums(openModel, state_.checksumsAsOpened());
  }
}

void MainWindow::showAbout() {
  AboutDialog about(this);
  about.exec();
}

void MainWindow::openOsFiles() {
  if (state_.osFiles().isOpen()) return;
  LoadOsFilesDialog dialog(state_, this);
  dialog.exec();
}

bool MainWindow::closeOsFiles() {
  return RunCloseOsFiles(state_, this) == CloseOsFilesResult::Closed;
}

bool MainWindow::runExitPath() {
  if (state_.osFiles().isOpen() && !closeOsFiles()) {
    // The save failed and the message has been shown. Quitting now would throw the edits away,
    // so that takes the user's word; otherwise the program stays as it is.
    if (!state_.prompts().question(
            this, QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())),
            QStringLiteral("The OS files could not be saved, and your changes are still open "
                           "in Zentavour.\n\nExit anyway and lose the changes?"))) {
      return false;
    }
    state_.closeOsFilesWithoutSaving();
  }
  state_.closePcgFile();  // the PCG windows end the browser with it
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!runExitPath()) {
    event->ignore();
    return;
  }
  event->accept();
  emit exited();
}

}  // namespace zentavour
