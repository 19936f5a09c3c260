#include "core/osfiles/workstation_model.h"

#include <cassert>

namespace zentavour {

const std::array<WorkstationModelInfo, 4>& WorkstationModels() {
  static const std::array<WorkstationModelInfo, 4> models{{
      {WorkstationModel::Orvane, "Orvane v2.51", "Orvane", "SYSINFO.420", "EXT51370.420", "",
       1048578,
       "Please select the files SYSINFO.420 and EXT51370.420 from the disk1 and disk3 "
       "directories, respectively.",
       "SYSINFO File (SYSINFO.420)", "Orvane OS 2.5.1 EXT File (EXT51370.420)", "", "ORVANE"},
      {WorkstationModel::OrvaneMi, "Orvane Mi v1.50", "Orvane Mi", "SYSINFO.260", "EXT00047.260",
       "", 3604482, "Please select the SYSINFO.260 and EXT00047.260 files.",
       "SYSINFO File (SYSINFO.260)", "Orvane Mi OS 1.5.0 EXT File (EXT00047.260)", "",
       "ORVANEMI"},
      {WorkstationModel::Ossik, "Ossik v2", "Ossik", "SYSINFO.850", "EXT02019.850", "", 1216514,
       "Please select the files SYSINFO.850 and EXT02019.850 from the disk1 and disk3 "
       "directories, respectively.",
       "SYSINFO File (SYSINFO.850)", "Ossik OS 2 EXT File (EXT02019.850)", "", "OSSIK"},
      {WorkstationModel::OrvaneSalone, "Orvane Salone", "Orvane Salone", "SYSINFO.030",
       "EXT02085.030", "EXT03085.030", 1228802,
       "Please select the files SYSINFO.030, EXT02085.030, and EXT03085.030 from the disk1, "
       "disk3, and disk4 directories, respectively.  Both Orvane Salone OS v1.06 and v1.06e "
       "are supported.",
       "SYSINFO File (SYSINFO.030)", "Orvane Salone OS 1.0.6 EXT File (EXT02085.030)",
       "Orvane Salone OS 1.0.6 EXT File (EXT03085.030)", "ORVANESALONE"},
  }};
  return models;
}

const WorkstationModelInfo& ModelInfo(WorkstationModel model) {
  const int code = ModelCode(model);
  assert(code >= 1 && code <= 4);
  return WorkstationModels()[static_cast<std::size_t>(code - 1)];
}

std::optional<WorkstationModel> ModelFromCode(int code) {
  if (code < 1 || code > 4) return std::nullopt;
  return static_cast<WorkstationModel>(code);
}

}  // namespace zentavour
