#include "gui/app/application_state.h"

#include "gui/common/resources.h"

namespace zentavour {

ApplicationState::ApplicationState(Prompts& prompts, FileOpener opener)
    : prompts_(prompts), opener_(std::move(opener)) {
  EnsureResources();
}

}  // namespace zentavour
