#include "gui/pcg/pcg_windows.h"

#include "core/pcg/pcg_index.h"
#include "gui/app/application_state.h"
#include "gui/common/file_chooser.h"
#include "gui/common/prompts.h"
#include "gui/pcg/gm_banks_dialog.h"
#include "gui/pcg/pcg_file_dialog.h"
#include "gui/pcg/program_edit_dialog.h"

namespace zentavour {
namespace {

const QString kWarning = QStringLiteral("Warning");

}  // namespace

PcgWindows::PcgWindows(ApplicationState& state, PcgIndex& index, QWidget* owner)
    : QObject(owner), state_(state), index_(index), owner_(owner) {}

PcgWindows::~PcgWindows() {
  // The browser reads the index; it must not outlive the file it shows.
  closePcg();
  delete programEdit_;
  delete gmBanks_;
}

bool PcgWindows::pcgOpen() const {
  return index_.isOpen();
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

bool PcgWindows::refuseWhileOpen() {
  if (!pcgOpen()) return false;
  const Failure sorry = PcgAlreadyOpenFailure();
  state_.prompts().showFailure(owner_, sorry);
  return true;
}

void PcgWindows::openPcgCommand() {
  if (refuseWhileOpen()) return;
  if (const std::optional<QString> path = state_.prompts().openFile(owner_, PcgFileChooser(), {})) {
    openPcg(*path);
  }
}

void PcgWindows::openPcg(const QString& path) {
  if (refuseWhileOpen()) return;
  Prompts& prompts = state_.prompts();
  ResetPcgIndex(index_);
  Result<PcgIndex> opened = OpenPcgFile(path.toStdString(), state_.fileOpener());
  if (!opened) {
    prompts.showFailure(owner_, opened.failure());
    return;
  }
  index_ = std::move(*opened);

  // What could be read is shown; the user hears what could not.
  if (index_.truncated) {
    prompts.message(owner_, kWarning,
                    QStringLiteral("This PCG file ends before its last chunk does. The banks it "
                                   "holds whole are shown; the rest of the file cannot be read."));
  }
  if (index_.ignoredBankChunks > 0) {
    prompts.message(owner_, kWarning,
                    QStringLiteral("This PCG file holds banks beyond the five banks A to E of "
                                   "a kind. Only banks A to E are shown."));
  }

  browser_ = new PcgFileDialog(state_, index_, owner_);
  browser_->setAttribute(Qt::WA_DeleteOnClose);
  connect(browser_, &PcgFileDialog::programActivated, this, &PcgWindows::openProgramEdit);
  // Closing the browser (close box, Escape) is closing the file.
  connect(browser_, &QDialog::finished, this, [this] {
    if (browser_) browser_->deleteLater();
    browser_ = nullptr;
    ClosePcgFile(index_);
  });
  browser_->show();
}

void PcgWindows::closePcg() {
  if (PcgFileDialog* browser = browser_) {
    browser_ = nullptr;
    browser->disconnect(this);
    browser->close();
    delete browser;
  }
  ClosePcgFile(index_);
}

void PcgWindows::openProgramEdit(int bank, int program) {
  if (programEdit_) return;  // one at a time
  // A copy: the view keeps its values after the file closes.
  const std::optional<ProgramSlot> slot = ProgramForEdit(index_, bank, program);
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
