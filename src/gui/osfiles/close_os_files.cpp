#include "gui/osfiles/close_os_files.h"

#include "core/osfiles/os_file_set.h"
#include "gui/app/application_state.h"
#include "gui/common/prompts.h"

namespace zentavour {

CloseOsFilesResult RunCloseOsFiles(ApplicationState& state, QWidget* owner) {
  OsFileSet& set = state.osFiles();
  if (!set.isOpen()) return CloseOsFilesResult::Closed;
  Prompts& prompts = state.prompts();
  if (prompts.question(owner, QStringLiteral("Close OS Files"),
                       QStringLiteral("Save Changes to OS Files?"))) {
    if (const Status written = WriteBackOsFiles(set); !written) {
      prompts.showFailure(owner, written.failure());
      return CloseOsFilesResult::KeptOpen;
    }
  }
  CloseOsFileSet(set);
  state.notifyOsFilesChanged();
  return CloseOsFilesResult::Closed;
}

}  // namespace zentavour
