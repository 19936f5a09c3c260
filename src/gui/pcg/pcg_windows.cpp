#include "gui/pcg/pcg_windows.h"

#include "core/pcg/pcg_index.h"
#include "gui/common/application_state.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "gui/pcg/gm_banks_dialog.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "gui/pcg/program_edit_dialog.h"

namespace zentavour {

PcgWindows::PcgWindows(ApplicationState& state, QWidget* owner)
    : QObject(owner), state_(state), owner_(owner) {
  // However the file closes (the browser, the exit path), the browser ends with it.
  connect(&state_, &ApplicationState::pcgFileChanged, this, [this](bool open) {
    if (!open) endBrowser();
  });
}

PcgWindows::~PcgWindows() {
  // The windows go with the main window; the file stays the application state's.
  endBrowser();
  delete programEdit_;
  delete gmBanks_;
}

bool PcgWindows::pcgOpen() const {
  return state_.pcgIndex().isOpen();
}

PcgFileDialog* PcgWindows::browser() const {
  return browser_;
}

ProgramEditDialog* PcgWindows::programEdit() const {
  return programEdit_;
}

GmBanksDialog* PcgWindows::gmBanks() const {
  return gmBanks_;
}

void PcgWindows::openPcg() {
  Prompts& prompts = state_.prompts();
  if (pcgOpen()) {  // "Sorry" comes before any chooser
    prompts.showFailure(owner_, PcgAlreadyOpenFailure());
    return;
  }
  const std::optional<QString> path = prompts.openFile(owner_, PcgFileChooser(), {});
  if (path) openPcgPath(*path);
}

void PcgWindows::openPcgPath(const QString& path) {
  Prompts& prompts = state_.prompts();
  if (pcgOpen()) {
    prompts.showFailure(owner_, PcgAlreadyOpenFailure());
    return;
  }
  if (const Status opened = state_.openPcgFile(CorePath(path)); !opened) {
    prompts.showFailure(owner_, opened.failure());
    return;
  }

  // What could be read is shown; the user hears what could not.
  for (const Failure& warning : PcgDamageWarnings(state_.pcgIndex())) {
    prompts.showFailure(owner_, warning);
  }
  showBrowser();
}

void PcgWindows::showBrowser() {
  browser_ = new PcgFileDialog(state_, owner_);
  browser_->setAttribute(Qt::WA_DeleteOnClose);
  connect(browser_, &PcgFileDialog::programActivated, this, &PcgWindows::openProgramEdit);
  // Closing the browser (close box, Escape) is closing the file.
  connect(browser_, &QDialog::finished, this, [this] {
    if (browser_) browser_->deleteLater();
    browser_ = nullptr;
    state_.closePcgFile();
  });
  browser_->show();
}

void PcgWindows::endBrowser() {
  if (PcgFileDialog* browser = browser_) {
    browser_ = nullptr;
    browser->disconnect(this);
    browser->close();
    delete browser;
  }
}

void PcgWindows::openProgramEdit(int bank, int program) {
  if (programEdit_) return;  // one at a time
  // A copy: the view keeps its values after the file closes.
  const std::optional<ProgramSlot> slot = ProgramForEdit(state_.pcgIndex(), bank, program);
  if (!slot) return;
  programEdit_ = new ProgramEditDialog(*slot, owner_);
  programEdit_->setAttribute(Qt::WA_DeleteOnClose);
  connect(programEdit_, &QDialog::finished, programEdit_, &QObject::deleteLater);
  programEdit_->show();
}

void PcgWindows::showGmBanks() {
  if (gmBanks_ || !state_.osFiles().isOpen()) return;
  gmBanks_ = new GmBanksDialog(state_, owner_);
  gmBanks_->setAttribute(Qt::WA_DeleteOnClose);
  connect(gmBanks_, &QDialog::finished, gmBanks_, &QObject::deleteLater);
  gmBanks_->show();
}

}  // namespace zentavour
