#pragma once

#include <QUrl>

#include "core/osfiles/workstation_model.h"

namespace zentavour {

// Every web address the program knows lives here.
inline constexpr char kHomePageAddress[] = "https://zentavour.example/";
inline constexpr char kDownloadsPageAddress[] =
    "https://downloads.vesk.example/service/downloads.asp";

QUrl HomePageUrl();
// The maker's download page for a model's OS.
QUrl DownloadsUrl(WorkstationModel model);

}  // namespace zentavour
