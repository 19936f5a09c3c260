#include "gui/common/application_state.h"

#include "core/osfiles/kept_originals.h"
#include "gui/common/resources.h"

namespace zentavour {

ApplicationState::ApplicationState(Prompts& prompts, FileOpener opener)
    : prompts_(prompts), opener_(std::move(opener)) {
  EnsureResources();
}

void ApplicationState::setOsFiles(OsSetDocument document) {
  osDocument_ = std::move(document);
  if (osFilesModified_) {
    osFilesModified_ = false;
    emit osFilesModifiedChanged(false);
  }
  ++osFilesGeneration_;
  emit osFilesChanged(osDocument_.model());
}

bool ApplicationState::openOsFiles(OsFileSet loaded) {
  if (osDocument_.isOpen() || !loaded.isOpen()) return false;
  setOsFiles(OsSetDocument(std::move(loaded)));
  return true;
}

Status ApplicationState::saveAndCloseOsFiles(const OsSetSaveOptions& options) {
  if (!osDocument_.isOpen()) return {};
  OsSetSaveOptions keeping = options;
  std::string kept;
  if (!keptDataFolder_.empty()) {
    // The original is kept last, once every other check before the write has passed.
    keeping.beforeWrite =
        [first = options.beforeWrite,
         keep = KeepOriginalsBeforeWrite(keptDataFolder_, kept)](const OsSetDocument& document) {
          if (first) {
            if (Status ready = first(document); !ready) return ready;
          }
          return keep(document);
        };
  }
  if (Status written = osDocument_.save(keeping); !written) return written;
  setOsFiles(OsSetDocument());
  if (!kept.empty()) emit originalsKept(QString::fromStdString(kept));
  return {};
}

void ApplicationState::closeOsFilesWithoutSaving() {
  if (osDocument_.isOpen()) setOsFiles(OsSetDocument());
}

Status ApplicationState::applyOsEdit(std::string name,
                                     const std::function<Status(OsFileSet&)>& edit) {
  const std::size_t steps = osDocument_.historyPosition();
  Status status = osDocument_.apply(std::move(name), edit);
  if (osDocument_.historyPosition() != steps) afterEdit();
  return status;
}

bool ApplicationState::undoOsEdit() {
  if (!osDocument_.undo()) return false;
  afterEdit();
  return true;
}

bool ApplicationState::redoOsEdit() {
  if (!osDocument_.redo()) return false;
  afterEdit();
  return true;
}

void ApplicationState::afterEdit() {
  if (osDocument_.modified() != osFilesModified_) {
    osFilesModified_ = osDocument_.modified();
    emit osFilesModifiedChanged(osFilesModified_);
  }
  emit osFilesEdited();
}

Status ApplicationState::openPcgFile(const std::string& path) {
  if (pcgIndex_.isOpen()) return PcgAlreadyOpenFailure();
  Result<PcgIndex> opened = OpenPcgFile(path, opener_);
  if (!opened) return opened.failure();
  pcgIndex_ = std::move(*opened);
  emit pcgFileChanged(true);
  return {};
}

void ApplicationState::closePcgFile() {
  if (!pcgIndex_.isOpen()) return;
  ClosePcgFile(pcgIndex_);
  emit pcgFileChanged(false);
}

}  // namespace zentavour
