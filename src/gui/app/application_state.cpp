#include "gui/app/application_state.h"

#include "gui/common/resources.h"

namespace zentavour {

ApplicationState::ApplicationState(Prompts& prompts, FileOpener opener)
    : prompts_(prompts), opener_(std::move(opener)) {
  EnsureResources();
}

void ApplicationState::setOsFiles(OsFileSet set) {
  osFiles_ = std::move(set);
  ++osFilesGeneration_;
  emit osFilesChanged(osFiles_.model);
}

bool ApplicationState::openOsFiles(OsFileSet loaded) {
  if (osFiles_.isOpen() || !loaded.isOpen()) return false;
  setOsFiles(std::move(loaded));
  return true;
}

Status ApplicationState::saveAndCloseOsFiles() {
  if (!osFiles_.isOpen()) return {};
  if (Status written = WriteBackOsFiles(osFiles_); !written) return written;
  setOsFiles(OsFileSet());
  return {};
}

void ApplicationState::closeOsFilesWithoutSaving() {
  if (osFiles_.isOpen()) setOsFiles(OsFileSet());
}

Status ApplicationState::editOsFiles(const std::function<Status(OsFileSet&)>& edit) {
  return edit(osFiles_);
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
