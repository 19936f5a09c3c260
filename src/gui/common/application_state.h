#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

#include "core/common/failure.h"
#include "core/common/file_handle.h"
#include "core/osfiles/checksum_status.h"
#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_set_document.h"
#include "core/pcg/pcg_index.h"

namespace zentavour {

class Prompts;

// The program's one set of working data, created by the entry and handed to the windows that
// need it. It alone opens, replaces and closes the OS file set and the PCG file, and says so
// through its signals; windows read through the const views and ask it for changes.
class ApplicationState : public QObject {
  Q_OBJECT

 public:
  explicit ApplicationState(Prompts& prompts, FileOpener opener = TryOpenLockedFile);

  Prompts& prompts() const { return prompts_; }

  // How the OS and PCG files are opened; tests put a double here.
  const FileOpener& fileOpener() const { return opener_; }
  void setFileOpener(FileOpener opener) { opener_ = std::move(opener); }

  // --- The OS file set ---

  // The open set as a document: its bytes, checksums and history of edits.
  const OsSetDocument& osDocument() const { return osDocument_; }
  // The open set; its model is None while no set is open.
  const OsFileSet& osFiles() const { return osDocument_.set(); }
  // Counts opens and closes of the set, so a window working on one set can tell that the set
  // open now is another (or none).
  std::uint64_t osFilesGeneration() const { return osFilesGeneration_; }

  // What the Load OS Files dialog has chosen so far: the dialog's own state, kept for the run
  // so that it opens again on the same model and files. It holds no loaded set.
  OsFileChoice& osFileChoice() { return osFileChoice_; }

  // Makes a set loaded by the Load OS Files dialog the open one. Refused (returning false, the
  // loaded set dropped) while a set is open: that one must be saved or given up first.
  bool openOsFiles(OsFileSet loaded);
  // "Close OS Files" answered Yes: writes the images back, then closes. A failed write is
  // returned and leaves the set open with every edit and its history.
  [[nodiscard]] Status saveAndCloseOsFiles(const OsSetSaveOptions& options = {});
  // Answered No, or the edits given up: closes without writing a byte; the history goes too.
  void closeOsFilesWithoutSaving();
  // Applies a named edit to the open set (an editor's OK, a GM transfer); see
  // OsSetDocument::apply. Refused while no set is open.
  [[nodiscard]] Status applyOsEdit(std::string name, const std::function<Status(OsFileSet&)>& edit);
  // Takes back or redoes one edit of the open set; false when there is none.
  bool undoOsEdit();
  bool redoOsEdit();
  // True while the open set stands elsewhere in its history than where its files are.
  bool osFilesModified() const { return osDocument_.modified(); }
  // Each EXT file's checksums as the files stood when the set was opened (empty while closed).
  const SetChecksumStatus& checksumsAsOpened() const { return osDocument_.checksumsAsOpened(); }

  // Where a save first keeps the set's files as they were opened (the program's data folder);
  // empty keeps no copy.
  void setKeptOriginalsDataFolder(std::string folder) { keptDataFolder_ = std::move(folder); }

  // --- The PCG file ---

  // The one PCG file the program has open (or none).
  const PcgIndex& pcgIndex() const { return pcgIndex_; }
  // Opens and indexes the file, or says why not ("Sorry" while a file is open).
  [[nodiscard]] Status openPcgFile(const std::string& path);
  // Releases the file; nothing happens when none is open.
  void closePcgFile();

 signals:
  // The OS file set was opened or closed; openModel is None when none is open now.
  void osFilesChanged(zentavour::WorkstationModel openModel);
  // The PCG file was opened or closed.
  void pcgFileChanged(bool open);
  // The open set's images came to differ from its files, or agree with them again.
  void osFilesModifiedChanged(bool modified);
  // An edit was applied, undone or redone: the set's bytes, GM banks and history changed.
  void osFilesEdited();
  // A save kept the original files in folder, then closed the set.
  void originalsKept(const QString& folder);

 private:
  void setOsFiles(OsSetDocument document);
  // After the document changed: says whether it is modified now and that it was edited.
  void afterEdit();

  Prompts& prompts_;
  FileOpener opener_;
  OsSetDocument osDocument_;
  std::string keptDataFolder_;
  std::uint64_t osFilesGeneration_ = 0;
  bool osFilesModified_ = false;
  OsFileChoice osFileChoice_;
  PcgIndex pcgIndex_;
};

}  // namespace zentavour
