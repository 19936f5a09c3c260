#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zentavour {

// The workstation model code of an OS file set; None while no set is open.
enum class WorkstationModel : int { None = 0, Orvane = 1, OrvaneMi = 2, Ossik = 3, OrvaneSalone = 4 };

// Everything the program knows about one model's OS file set that is not a location in it.
struct WorkstationModelInfo {
  WorkstationModel model;
  std::string_view radioLabel;      // "Orvane v2.51"
  std::string_view name;            // "Orvane", as in the menu and chooser labels
  std::string_view sysinfoName;     // exact file names of the set
  std::string_view extName;
  std::string_view ext2Name;        // empty unless the set has a second EXT file
  std::uint32_t extImageSize;       // bytes of each EXT file, checksum header included
  std::string_view hint;            // the Load OS Files hint
  std::string_view sysinfoFilterLabel;
  std::string_view extFilterLabel;
  std::string_view ext2FilterLabel;  // empty unless the set has a second EXT file
  std::string_view downloadsProduct;  // the A_PROD_NO value of the maker's download page

  bool hasSecondExt() const { return !ext2Name.empty(); }
};

// Models 1 to 4, in code order.
const std::array<WorkstationModelInfo, 4>& WorkstationModels();

// The model's info; model must be 1 to 4.
const WorkstationModelInfo& ModelInfo(WorkstationModel model);

// Model from its numeric code, or nothing for codes outside 1 to 4.
std::optional<WorkstationModel> ModelFromCode(int code);

inline int ModelCode(WorkstationModel model) { return static_cast<int>(model); }

}  // namespace zentavour
