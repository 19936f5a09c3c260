#include "gui/common/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitZentavourResources() {
  Q_INIT_RESOURCE(zentavour);
}

namespace zentavour {

void EnsureResources() {
  static const bool registered = [] {
    InitZentavourResources();
    return true;
  }();
  (void)registered;
}

}  // namespace zentavour
