#pragma once

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>

#include "core/osfiles/workstation_model.h"
#include "gui/app/menu_command.h"
#include "gui/osfiles/os_data_panel.h"

class QMdiArea;

namespace zentavour {

class ApplicationState;
class BitmapEditors;
class PcgWindows;

// The one top-level window: the menu, and the OS Data panel inside it. It runs the OS file
// dialogs, and on Exit or close makes sure no edit of the OS files is lost without asking.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(ApplicationState& state, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The start-up order: show the window, the About box modally, then the panel.
  void startUp();
  // Creates the OS Data panel once; later calls do nothing.
  void createOsDataPanel();

  QAction* action(MenuCommand command) const;
  // Null until createOsDataPanel().
  OsDataPanel* osDataPanel() const { return panel_; }
  QMdiSubWindow* osDataPanelWindow() const { return panelWindow_; }
  // The PCG file's windows: browser, Program Edit, GM Program Banks.
  PcgWindows* pcgWindows() const { return pcg_; }
  // The font and startup picture editors of the OS file set.
  BitmapEditors* bitmapEditors() const { return bitmaps_; }
  // The Edit menu's Undo and Redo.
  QAction* undoAction() const { return undo_; }
  QAction* redoAction() const { return redo_; }

 public slots:
  void showAbout();
  void openOsFiles();
  // Asks "Save Changes to OS Files?" and acts on the answer. Returns false when the set stays
  // open because writing it failed.
  bool closeOsFiles();

 signals:
  // The exit path has run to its end; the entry ends the program.
  void exited();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  QAction* addCommand(QMenu* menu, MenuCommand command, const QString& text, bool enabled);
  void showOsFilesState(WorkstationModel openModel);
  // The Edit menu's texts and states follow the set's history.
  void showHistory();
  // Undo (back) or Redo, refused while a modal editor of the set is open.
  void stepHistory(bool back);
  // The exit path; false when the user chose to keep the program open.
  bool runExitPath();

  ApplicationState& state_;
  QMdiArea* area_;
  QPointer<OsDataPanel> panel_;
  QPointer<QMdiSubWindow> panelWindow_;
  PcgWindows* pcg_;
  BitmapEditors* bitmaps_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
};

}  // namespace zentavour
