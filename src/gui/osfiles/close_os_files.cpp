#include "gui/osfiles/close_os_files.h"

#include "gui/common/application_state.h"
#include "gui/common/prompts.h"

namespace zentavour {

CloseOsFilesResult RunCloseOsFiles(ApplicationState& state, QWidget* owner) {
  if (!state.osFiles().isOpen()) return CloseOsFilesResult::Closed;
  Prompts& prompts = state.prompts();
  if (!prompts.question(owner, QStringLiteral("Close OS Files"),
                        QStringLiteral("Save Changes to OS Files?"))) {
    state.closeOsFilesWithoutSaving();
    return CloseOsFilesResult::Closed;
  }
  if (const Status saved = state.saveAndCloseOsFiles(); !saved) {
    prompts.showFailure(owner, saved.failure());
    return CloseOsFilesResult::KeptOpen;
  }
  return CloseOsFilesResult::Closed;
}

}  // namespace zentavour
