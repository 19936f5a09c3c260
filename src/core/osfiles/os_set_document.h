#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/checksum_status.h"
#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_image_layout.h"

namespace zentavour {

class OsSetDocument;

// What a caller of save may add to it.
struct OsSetSaveOptions {
  WriteBackReader reader = WriteBackReader::Window;
  // Runs before any byte is written; a failure it returns stops the save there, with nothing
  // written and the history as it was.
  std::function<Status(const OsSetDocument&)> beforeWrite;
};

// The open OS file set as one document: the loaded files and their bytes, the layout, the
// checksums, and a history of named edits that can be undone and redone. Every change to the
// images goes through apply(); a save renews the checksums, writes the files and marks the saved
// point. A default document is the closed one.
class OsSetDocument {
 public:
  // One run of bytes an edit changed, in the EXT image (image 0) or the second one (image 1).
  struct ByteChange {
    int image = 0;
    std::size_t offset = 0;
    Bytes before, after;
  };
  // A named edit as the history keeps it: only the bytes it changed.
  struct Edit {
    std::string name;
    std::vector<ByteChange> changes;
  };

  OsSetDocument() = default;
  // Takes over a set the Load OS Files steps loaded (closed when it is not open).
  explicit OsSetDocument(OsFileSet loaded);

  OsSetDocument(OsSetDocument&&) = default;
  OsSetDocument& operator=(OsSetDocument&&) = default;

  bool isOpen() const { return set_.isOpen(); }
  WorkstationModel model() const { return set_.model; }
  // The set as it is now: images with every applied edit, GM banks decoded from them.
  const OsFileSet& set() const { return set_; }
  ByteView sysinfo() const { return set_.SysinfoImage; }
  // The Orvane Salone's SYSINFO layout marker (0 for other models).
  std::uint8_t layoutMarker() const { return layoutMarker_; }

  // Each file's bytes as they were when the set was opened, before any edit or save.
  ByteView openedSysinfo() const { return openedSysinfo_; }
  ByteView openedExt() const { return openedExt_; }
  ByteView openedExt2() const { return openedExt2_; }

  // The checksums as the files stood when the set was opened, and as the bytes are now.
  const SetChecksumStatus& checksumsAsOpened() const { return checksumsAsOpened_; }
  SetChecksumStatus checksums() const;

  // Applies a named edit. The edit works on a copy of the set's images (with no files); when it
  // succeeds, the bytes it changed become the set's and one step of the history. A refused edit
  // changes nothing; one that changes no byte adds no step. Refused on a closed set.
  [[nodiscard]] Status apply(std::string name, const std::function<Status(OsFileSet&)>& edit);

  bool canUndo() const { return position_ > 0; }
  bool canRedo() const { return position_ < history_.size(); }
  // The names of the steps undo and redo would take ("" when there is none).
  std::string undoName() const;
  std::string redoName() const;
  // Take back or redo one step; false when there is none.
  bool undo();
  bool redo();
  // The steps recorded, and how many of them are applied now.
  const std::vector<Edit>& history() const { return history_; }
  std::size_t historyPosition() const { return position_; }

  // True while the images differ from the files as last saved (or opened). Bytes decide, not the
  // place in the history: undoing back to the saved point clears it, and so does an edit that
  // puts back what the files hold.
  bool modified() const { return modified_; }

  // Writes the set back (renewed checksums) and marks the saved point. A failed save changes
  // neither the bytes in memory nor the history.
  [[nodiscard]] Status save(const OsSetSaveOptions& options = {});

 private:
  void placeBytes(const Edit& edit, bool after);
  // After the images changed: the banks and the modified mark follow them.
  void imagesChanged();

  OsFileSet set_;
  std::uint8_t layoutMarker_ = 0;
  Bytes openedSysinfo_, openedExt_, openedExt2_;
  SetChecksumStatus checksumsAsOpened_;
  // The images as the files hold them since the last save (or the opening).
  Bytes savedExt_, savedExt2_;
  bool modified_ = false;
  std::vector<Edit> history_;
  std::size_t position_ = 0;
};

// A set's files read as they are, for a report that shows a wrong size rather than refusing it.
struct OsSetInspection {
  std::int64_t sysinfoSize = 0;
  std::uint32_t sysinfoMinimum = 0;  // for the layout this SYSINFO file names
  std::uint8_t layoutMarker = 0;
  std::vector<std::int64_t> extSizes;  // the EXT file, then the second one of the Orvane Salone
  SetChecksumStatus checksums;
};

// EXT files larger than this are not summed: no model's comes near it.
inline constexpr std::int64_t kLargestInspectedFile = 64 * 1024 * 1024;

// Opens (with opener, as the program opens them) and reads the set's files, SYSINFO as loading
// reads it. Refused with the Load OS Files dialog's message when a file cannot be opened.
[[nodiscard]] Result<OsSetInspection> InspectOsFiles(WorkstationModel model,
                                                     const std::string& sysinfoPath,
                                                     const std::string& extPath,
                                                     const std::string& ext2Path,
                                                     const FileOpener& opener);

// The user's name of a font slot's edit: "Edit Medium Font".
std::string FontEditName(FontSlot slot);
// The user's name of a startup picture's edit, by the label the editor lists it under:
// "Edit Startup Graphic ORVANE".
std::string StartupGraphicEditName(std::string_view label);
// "Transfer Bank A to GM Bank 1".
std::string GmTransferEditName(std::string_view bankLetter, int gmBank);

}  // namespace zentavour
