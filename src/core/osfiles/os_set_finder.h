#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/osfiles/workstation_model.h"

namespace zentavour {

// A model's OS file set found among the files of a folder: the names as they are on disk
// (files copied from the instrument's media may be in lower case), empty where one is missing.
struct FoundOsSet {
  WorkstationModel model = WorkstationModel::None;
  std::string sysinfoName, extName, ext2Name;
};

// Finds the set among the names of a folder's files. With oneFile (a name among them), the set is
// that file's model; otherwise the model with the most of its files there, the lower model code
// on a tie. Nothing when no file of any model is there (or oneFile belongs to none).
[[nodiscard]] std::optional<FoundOsSet> FindOsSet(std::span<const std::string> names,
                                                  std::string_view oneFile = {});

}  // namespace zentavour
