#pragma once

namespace zentavour {

// The main menu's command ids. Each QAction carries its id in its objectName ("command40001"),
// so later windows and the tests find the items without depending on their texts.
enum class MenuCommand : int {
  NewPcg = 40016,
  OpenPcg = 40007,
  ClosePcg = 40015,
  OpenOsFiles = 40001,
  CloseOsFiles = 40011,
  Exit = 40002,
  MidiSetup = 40014,
  AboutZentavour = 40006,
  ZentavourHelp = 40012,
  HomePage = 40021,
  OrvaneDownloads = 40022,
  OrvaneMiDownloads = 40019,
  OrvaneSaloneDownloads = 40024,
  OssikDownloads = 40020,
};

}  // namespace zentavour
