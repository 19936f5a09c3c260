#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace zentavour {

class ApplicationState;
class GmBanksDialog;
class PcgFileDialog;
class ProgramEditDialog;

// The windows of the PCG library: "Open PCG", the PCG File browser, Program Edit and the GM
// Program Banks viewer. The file itself is the application state's. Each window exists at most
// once; the browser lives exactly as long as the file is open.
class PcgWindows : public QObject {
  Q_OBJECT

 public:
  // owner: the main window, which owns the modeless windows and the messages.
  PcgWindows(ApplicationState& state, QWidget* owner);
  ~PcgWindows() override;

  // "Open PCG": "Sorry" while a file is open, otherwise the chooser; the chosen file is opened
  // and shown in the browser, or the user hears why not.
  void openPcg();
  // Opens a PCG file named elsewhere (the command line, a drop, File > Recent) as Open PCG does
  // once the chooser has answered.
  void openPcgPath(const QString& path);
  // The OS Data panel's "View GM Banks": one viewer at a time.
  void showGmBanks();

  bool pcgOpen() const;
  // Null while the window does not exist.
  PcgFileDialog* browser() const;
  ProgramEditDialog* programEdit() const;
  GmBanksDialog* gmBanks() const;

 private:
  void openProgramEdit(int bank, int program);
  void showBrowser();
  void endBrowser();

  ApplicationState& state_;
  QWidget* owner_;
  QPointer<PcgFileDialog> browser_;
  QPointer<ProgramEditDialog> programEdit_;
  QPointer<GmBanksDialog> gmBanks_;
};

}  // namespace zentavour
