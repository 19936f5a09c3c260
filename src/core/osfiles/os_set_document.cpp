#include "core/osfiles/os_set_document.h"

#include <algorithm>

namespace zentavour {
namespace {

// Runs of changed bytes closer than this are kept as one, so a glyph table edited here and there
// is a few runs, not hundreds.
constexpr std::size_t kJoinGap = 16;

void AddChanges(int image, const Bytes& before, const Bytes& after,
                std::vector<OsSetDocument::ByteChange>& changes) {
  const std::size_t size = std::min(before.size(), after.size());
  std::size_t i = 0;
  while (i < size) {
    if (before[i] == after[i]) {
      ++i;
      continue;
    }
    const std::size_t first = i;
    std::size_t last = i;  // the last differing byte of the run
    for (std::size_t j = i + 1; j < size && j <= last + kJoinGap; ++j) {
      if (before[j] != after[j]) last = j;
    }
    const auto from = static_cast<std::ptrdiff_t>(first);
    const auto to = static_cast<std::ptrdiff_t>(last + 1);
    changes.push_back({image, first, Bytes(before.begin() + from, before.begin() + to),
                       Bytes(after.begin() + from, after.begin() + to)});
    i = last + 1;
  }
}

}  // namespace

OsSetDocument::OsSetDocument(OsFileSet loaded) : set_(std::move(loaded)) {
  if (!set_.isOpen()) return;
  layoutMarker_ = SysinfoLayoutMarker(set_.model, set_.SysinfoImage);
  openedSysinfo_ = set_.SysinfoImage;
  openedExt_ = set_.ExtImage;
  openedExt2_ = set_.Ext2Image;
  savedExt_ = set_.ExtImage;
  savedExt2_ = set_.Ext2Image;
  checksumsAsOpened_ = checksums();
}

SetChecksumStatus OsSetDocument::checksums() const {
  if (!isOpen()) return {};
  return ChecksumStatusOf(set_.model, set_.SysinfoImage, set_.ExtImage, set_.Ext2Image);
}

Status OsSetDocument::apply(std::string name, const std::function<Status(OsFileSet&)>& edit) {
  if (!isOpen()) return FileError("No OS files are open.");
  OsFileSet scratch;
  scratch.model = set_.model;
  scratch.ExtImage = set_.ExtImage;
  scratch.Ext2Image = set_.Ext2Image;
  if (Status done = edit(scratch); !done) return done;
  if (scratch.ExtImage.size() != set_.ExtImage.size() ||
      scratch.Ext2Image.size() != set_.Ext2Image.size()) {
    return FileError("An edit changed the size of an OS image; it was not applied.");
  }
  Edit step{std::move(name), {}};
  AddChanges(0, set_.ExtImage, scratch.ExtImage, step.changes);
  AddChanges(1, set_.Ext2Image, scratch.Ext2Image, step.changes);
  if (step.changes.empty()) return {};

  // A new edit ends the steps that were undone.
  history_.resize(position_);
  set_.ExtImage = std::move(scratch.ExtImage);
  set_.Ext2Image = std::move(scratch.Ext2Image);
  history_.push_back(std::move(step));
  ++position_;
  imagesChanged();
  return {};
}

void OsSetDocument::imagesChanged() {
  (void)DecodeGmBanks(set_);  // the sizes are the loaded ones, so the banks are inside
  modified_ = set_.ExtImage != savedExt_ || set_.Ext2Image != savedExt2_;
}

void OsSetDocument::placeBytes(const Edit& edit, bool after) {
  for (const ByteChange& change : edit.changes) {
    Bytes& image = change.image == 0 ? set_.ExtImage : set_.Ext2Image;
    const Bytes& bytes = after ? change.after : change.before;
    std::copy(bytes.begin(), bytes.end(),
              image.begin() + static_cast<std::ptrdiff_t>(change.offset));
  }
  imagesChanged();
}

std::string OsSetDocument::undoName() const {
  return canUndo() ? history_[position_ - 1].name : std::string();
}

std::string OsSetDocument::redoName() const {
  return canRedo() ? history_[position_].name : std::string();
}

bool OsSetDocument::undo() {
  if (!canUndo()) return false;
  --position_;
  placeBytes(history_[position_], false);
  return true;
}

bool OsSetDocument::redo() {
  if (!canRedo()) return false;
  placeBytes(history_[position_], true);
  ++position_;
  return true;
}

Status OsSetDocument::save(const OsSetSaveOptions& options) {
  if (!isOpen()) return FileError("Error Writing OS Files\n\nNo OS file set is open.");
  if (options.beforeWrite) {
    if (Status ready = options.beforeWrite(*this); !ready) return ready;
  }
  if (Status written = WriteBackOsFiles(set_, options.reader); !written) return written;
  savedExt_ = set_.ExtImage;
  savedExt2_ = set_.Ext2Image;
  modified_ = false;
  return {};
}

Result<OsSetInspection> InspectOsFiles(WorkstationModel model, const std::string& sysinfoPath,
                                       const std::string& extPath, const std::string& ext2Path,
                                       const FileOpener& opener) {
  const WorkstationModelInfo& info = ModelInfo(model);
  // A refusal keeps the file and the system's reason in its detail.
  const auto refused = [](const char* text, const Failure& why) {
    Failure failure = FileError(text);
    failure.detail = why.detail;
    return failure;
  };
  Result<FileHandlePtr> sysinfoOpened = opener(sysinfoPath);
  if (!sysinfoOpened) return refused("Error Opening SYSINFO File", sysinfoOpened.failure());
  FileHandlePtr sysinfoFile = std::move(*sysinfoOpened);
  OsSetInspection inspection;
  inspection.sysinfoSize = sysinfoFile->Size();
  Result<Bytes> read = ReadSysinfoFile(*sysinfoFile);
  const Bytes sysinfo = read ? std::move(*read) : Bytes();
  inspection.layoutMarker = SysinfoLayoutMarker(model, sysinfo);
  inspection.sysinfoMinimum = MinimumSysinfoSize(model, inspection.layoutMarker);

  std::vector<Bytes> images;
  const std::string* paths[] = {&extPath, &ext2Path};
  for (int i = 0; i < (info.hasSecondExt() ? 2 : 1); ++i) {
    Result<FileHandlePtr> opened = opener(*paths[i]);
    if (!opened) {
      return refused(i == 0 ? "Error Opening EXT File" : "Error Opening EXT2 File",
                     opened.failure());
    }
    FileHandlePtr file = std::move(*opened);
    const std::int64_t size = file->Size();
    inspection.extSizes.push_back(size);
    Bytes image;
    if (size > 0 && size <= kLargestInspectedFile) {
      image.resize(static_cast<std::size_t>(size));
      if (!file->ReadAt(0, image)) image.clear();
    }
    images.push_back(std::move(image));
  }
  inspection.checksums = ChecksumStatusOf(model, sysinfo, images[0],
                                          images.size() > 1 ? ByteView(images[1]) : ByteView());
  return inspection;
}

std::string FontEditName(FontSlot slot) {
  return "Edit " + std::string(FontSlotName(slot)) + " Font";
}

std::string StartupGraphicEditName(std::string_view label) {
  return "Edit Startup Graphic " + std::string(label);
}

std::string GmTransferEditName(std::string_view bankLetter, int gmBank) {
  return "Transfer Bank " + std::string(bankLetter) + " to GM Bank " + std::to_string(gmBank);
}

}  // namespace zentavour
