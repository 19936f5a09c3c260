#pragma once

class QWidget;

namespace zentavour {

class ApplicationState;

enum class CloseOsFilesResult {
  Closed,    // the set is closed, written or not as the user chose
  KeptOpen,  // writing failed; the set stays open with every edit
};

// "Close OS Files": asks "Save Changes to OS Files?" (Yes or No only). Yes writes the images
// back with renewed checksums, then closes; a failed write is reported and the set stays open.
// No closes without writing a byte.
CloseOsFilesResult RunCloseOsFiles(ApplicationState& state, QWidget* owner);

}  // namespace zentavour
