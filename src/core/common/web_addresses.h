#pragma once

namespace zentavour {

// Every web address the program knows lives here; the windows and the CLI both use them.
inline constexpr char kHomePageAddress[] = "https://zentavour.example/";
inline constexpr char kDownloadsPageAddress[] =
    "https://downloads.vesk.example/service/downloads.asp";

}  // namespace zentavour
