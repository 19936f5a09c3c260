#pragma once

#include <QObject>

#include "core/common/file_handle.h"
#include "core/osfiles/os_file_set.h"
#include "core/pcg/pcg_index.h"

namespace zentavour {

class Prompts;

// The program's one set of working data, created by the entry and handed to the windows that
// need it. Windows that show the state listen to its signals instead of being told by whoever
// changed it.
class ApplicationState : public QObject {
  Q_OBJECT

 public:
  explicit ApplicationState(Prompts& prompts, FileOpener opener = OpenLockedFile);

  Prompts& prompts() const { return prompts_; }
  OsFileSet& osFiles() { return osFiles_; }
  const OsFileSet& osFiles() const { return osFiles_; }
  // The one PCG file the program has open (or none).
  PcgIndex& pcgIndex() { return pcgIndex_; }
  const PcgIndex& pcgIndex() const { return pcgIndex_; }

  // How the OS files are opened; tests put a double here.
  const FileOpener& fileOpener() const { return opener_; }
  void setFileOpener(FileOpener opener) { opener_ = std::move(opener); }

  // The model of the open OS file set, None while no set is open (the model field also
  // follows the Load OS Files dialog's radio buttons, which the windows must not show).
  WorkstationModel openOsModel() const {
    return osFiles_.isOpen() ? osFiles_.model : WorkstationModel::None;
  }

  // Called by whoever opened or closed the OS file set.
  void notifyOsFilesChanged() { emit osFilesChanged(openOsModel()); }

 signals:
  void osFilesChanged(zentavour::WorkstationModel openModel);

 private:
  Prompts& prompts_;
  FileOpener opener_;
  OsFileSet osFiles_;
  PcgIndex pcgIndex_;
};

}  // namespace zentavour
