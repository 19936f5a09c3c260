#include "gui/app/application_state.h"

#include "gui/common/resources.h"

namespace zentavour {

ApplicationState::ApplicationState(Prompts& prompts, FileOpener opener)
    : prompts_(prompts), opener_(std::move(opener)) {
  EnsureResources();
}

namespace {

// SYSINFO is only held open, not kept as an image; it is small, so it is read whole here.
Bytes ReadSysinfo(FileHandle* file) {
  constexpr std::int64_t kLargestSysinfo = 1024 * 1024;
  if (!file) return {};
  const std::int64_t size = file->Size();
  if (size <= 0 || size > kLargestSysinfo) return {};
  Bytes bytes(static_cast<std::size_t>(size));
  if (!file->ReadAt(0, bytes)) return {};
  return bytes;
}

}  // namespace

void ApplicationState::setOsFiles(OsFileSet set) {
  osFiles_ = std::move(set);
  loadedExt_ = osFiles_.ExtImage;
  loadedExt2_ = osFiles_.Ext2Image;
  checksumsAsOpened_ =
      osFiles_.isOpen()
          ? ChecksumStatusOf(osFiles_.model, ReadSysinfo(osFiles_.sysinfoFile.get()),
                             osFiles_.ExtImage, osFiles_.Ext2Image)
          : SetChecksumStatus{};
  // Taken whether or not copies are kept now: the setting may be turned on before the save.
  originals_ = osFiles_.isOpen() ? OriginalsOf(osFiles_) : std::vector<OriginalFile>{};
  setModified(false);
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
  std::string kept;
  if (!keptDataFolder_.empty()) {
    if (!originals_) return originals_.failure();
    const Result<std::string> copy = KeepOriginals(keptDataFolder_, osFiles_.model, *originals_);
    if (!copy) return copy.failure();
    kept = *copy;
  }
  if (Status written = WriteBackOsFiles(osFiles_); !written) return written;
  setOsFiles(OsFileSet());
  if (!kept.empty()) emit originalsKept(QString::fromStdString(kept));
  return {};
}

void ApplicationState::closeOsFilesWithoutSaving() {
  if (osFiles_.isOpen()) setOsFiles(OsFileSet());
}

Status ApplicationState::editOsFiles(const std::function<Status(OsFileSet&)>& edit) {
  Status status = edit(osFiles_);
  setModified(osFiles_.isOpen() &&
              (osFiles_.ExtImage != loadedExt_ || osFiles_.Ext2Image != loadedExt2_));
  return status;
}

void ApplicationState::setModified(bool modified) {
  if (modified == osFilesModified_) return;
  osFilesModified_ = modified;
  emit osFilesModifiedChanged(modified);
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
