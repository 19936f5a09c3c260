#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "gui/app/command_line.h"

class QAction;
class QMenu;
class QWidget;

namespace zentavour {

class AppSettings;
class ApplicationState;
class MainWindow;

// What makes the program behave as an installed desktop program: it opens files named on its
// command line, dropped on the main window or picked from File > Recent; it keeps the choosers'
// folders, the Load OS Files model, the places of the modeless windows and the Edit Font preview
// text between runs; and it has the first save of a set keep the original files in the data
// folder. It adds its menu items to the main window and watches the window for drops; it must
// end before the window does.
class DesktopIntegration : public QObject {
  Q_OBJECT

 public:
  // dataFolder: the program's data folder, where kept originals go.
  DesktopIntegration(MainWindow& window, ApplicationState& state, AppSettings& settings,
                     QString dataFolder);
  ~DesktopIntegration() override;

  // Opens each target as the program's commands do: a PCG file as Open PCG, an OS set in Load
  // OS Files filled in (the user presses OK), a refusal as its message.
  void open(const QList<OpenTarget>& targets);

  QMenu* recentMenu() const { return recent_; }
  QAction* showKeptOriginalsAction() const { return showKept_; }
  QAction* keepOriginalsAction() const { return keepOriginals_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openOne(const OpenTarget& target);
  void openRecent(const OpenTarget& target);
  void remember(const OpenTarget& target);
  void rebuildRecentMenu();
  void applyKeepOriginals();
  void showKeptOriginals();
  // The modeless windows' places and the preview text, as each is shown and hidden.
  void windowShown(QWidget* window);
  void windowHidden(QWidget* window);

  MainWindow& window_;
  ApplicationState& state_;
  AppSettings& settings_;
  QString dataFolder_;
  QMenu* recent_ = nullptr;
  QAction* showKept_ = nullptr;
  QAction* keepOriginals_ = nullptr;
};

// A window's place moved onto the visible screens when too little of its top is on any of them
// (a screen unplugged since): centred on the first screen, no larger than it.
QRect KeptOnScreens(const QRect& place, const QList<QRect>& screens);

}  // namespace zentavour
