#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace zentavour {

class ApplicationState;
class GmBanksDialog;
class PcgFileDialog;
class ProgramEditDialog;
struct PcgIndex;

// The windows of the PCG library and the one open PCG file behind them: "Open PCG", the PCG
// File browser, Program Edit and the GM Program Banks viewer. Each window exists at most once;
// the browser lives exactly as long as the file is open.
class PcgWindows : public QObject {
  Q_OBJECT

 public:
  // owner: the main window, which owns the modeless windows and the messages.
  PcgWindows(ApplicationState& state, PcgIndex& index, QWidget* owner);
  ~PcgWindows() override;

  // The menu command: "Sorry" while a file is open, otherwise the chooser, then openPcg.
  void openPcgCommand();
  // Says "Sorry" and returns true while a PCG file is open: asked before a second one is chosen.
  bool refuseWhileOpen();
  // Opens and indexes path and shows the browser, or says why not.
  void openPcg(const QString& path);
  // Ends the browser and releases the file (the exit path, or the browser closing).
  void closePcg();
  // The OS Data panel's "View GM Banks": one viewer at a time.
  void showGmBanks();

  bool pcgOpen() const;
  // Null while the window does not exist.
  PcgFileDialog* browser() const;
  ProgramEditDialog* programEdit() const;
  GmBanksDialog* gmBanks() const;

 private:
  void openProgramEdit(int bank, int program);

  ApplicationState& state_;
  PcgIndex& index_;
  QWidget* owner_;
  QPointer<PcgFileDialog> browser_;
  QPointer<ProgramEditDialog> programEdit_;
  QPointer<GmBanksDialog> gmBanks_;
};

}  // namespace zentavour
