#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

#include "core/common/failure.h"
#include "core/common/file_handle.h"
#include "core/osfiles/checksum_status.h"
#include "core/osfiles/kept_originals.h"
#include "core/osfiles/os_file_set.h"
#include "core/pcg/pcg_index.h"

namespace zentavour {

class Prompts;

// The program's one set of working data, created by the entry and handed to the windows that
// need it. It alone opens, replaces and closes the OS file set and the PCG file, and says so
// through its signals; windows read through the const views and ask it for changes.
class ApplicationState : public QObject {
  Q_OBJECT

 public:
  explicit ApplicationState(Prompts& prompts, FileOpener opener = OpenLockedFile);

  Prompts& prompts() const { return prompts_; }

  // How the OS and PCG files are opened; tests put a double here.
  const FileOpener& fileOpener() const { return opener_; }
  void setFileOpener(FileOpener opener) { opener_ = std::move(opener); }

  // --- The OS file set ---

  // The open set; its model is None while no set is open.
  const OsFileSet& osFiles() const { return osFiles_; }
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
  // returned and leaves the set open with every edit.
  [[nodiscard]] Status saveAndCloseOsFiles();
  // Answered No, or the edits given up: closes without writing a byte.
  void closeOsFilesWithoutSaving();
  // Applies an edit to the open set's images or GM banks (an editor's result, a GM transfer).
  // The edit changes contents only; the set stays the open one, so no signal is sent. The core
  // operations refuse a closed set themselves.
  [[nodiscard]] Status editOsFiles(const std::function<Status(OsFileSet&)>& edit);
  // True while the open set's images differ from the files they were loaded from.
  bool osFilesModified() const { return osFilesModified_; }
  // Each EXT file's checksums as the files stood when the set was opened (empty while closed).
  const SetChecksumStatus& checksumsAsOpened() const { return checksumsAsOpened_; }

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
  // A save kept the original files in folder, then closed the set.
  void originalsKept(const QString& folder);

 private:
  void setOsFiles(OsFileSet set);
  void setModified(bool modified);

  Prompts& prompts_;
  FileOpener opener_;
  OsFileSet osFiles_;
  std::uint64_t osFilesGeneration_ = 0;
  // The images as loaded, to tell whether edits left them different.
  Bytes loadedExt_, loadedExt2_;
  bool osFilesModified_ = false;
  SetChecksumStatus checksumsAsOpened_;
  std::string keptDataFolder_;
  // The set's files as opened, or why they could not be read (the save then stops).
  Result<std::vector<OriginalFile>> originals_ = std::vector<OriginalFile>{};
  OsFileChoice osFileChoice_;
  PcgIndex pcgIndex_;
};

}  // namespace zentavour
