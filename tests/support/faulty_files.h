#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/common/file_handle.h"
#include "core/osfiles/os_file_set.h"
#include "support/temp_dir.h"

namespace zentavour::testing {

// What saving should suffer; tests change it while files are open.
struct FaultPlan {
  // Saving a file whose path contains this text fails (every file when empty).
  std::string onlyPathContaining;
  // Saving fails at this step (failWrites alone means while writing the new bytes).
  bool failWrites = false;
  std::optional<SaveStep> failAt;
  // Stop dead at the step, as a crash would, instead of failing and cleaning up.
  bool interrupt = false;
  // A failing write still puts this many bytes on disk first, as a full disk would.
  std::size_t bytesBeforeFailure = 0;
  int opens = 0;  // counts every open attempt
};

// Opens real locked files whose saving suffers what the plan says.
FileOpener FaultyOpener(std::shared_ptr<FaultPlan> plan);

// Opens a sample set as the Load OS Files dialog does; a refusal ends the test.
OsFileSet OpenSampleSet(const SampleSetPaths& paths, WorkstationModel model,
                        const FileOpener& opener = TryOpenLockedFile);

}  // namespace zentavour::testing
