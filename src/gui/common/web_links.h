#pragma once

#include <QUrl>

#include "core/common/web_addresses.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// The addresses themselves live in the core, shared with the CLI.

QUrl HomePageUrl();
// The maker's download page for a model's OS.
QUrl DownloadsUrl(WorkstationModel model);

}  // namespace zentavour
