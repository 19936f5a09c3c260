#pragma once

#include <memory>
#include <string>

#include "core/common/file_handle.h"

namespace zentavour::testing {

// What the faulty file layer should do; tests change it while files are open.
struct FaultPlan {
  // Writes to a file whose path contains this text fail (every file when empty and failWrites).
  bool failWrites = false;
  std::string onlyPathContaining;
  // Writes that fail still put this many bytes on disk first, as a full disk would.
  std::size_t bytesBeforeFailure = 0;
  int opens = 0;  // counts every open attempt
};

// Opens real locked files whose writes fail as the plan says.
FileOpener FaultyOpener(std::shared_ptr<FaultPlan> plan);

}  // namespace zentavour::testing
