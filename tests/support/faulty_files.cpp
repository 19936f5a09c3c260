#include "support/faulty_files.h"

#include <stdexcept>

namespace zentavour::testing {

FileOpener FaultyOpener(std::shared_ptr<FaultPlan> plan) {
  return [plan](const std::string& path) -> Result<FileHandlePtr> {
    ++plan->opens;
    return OpenLockedFileWithFaults(path, [plan, path]() -> std::optional<SaveFaults> {
      const bool matches = plan->onlyPathContaining.empty() ||
                           path.find(plan->onlyPathContaining) != std::string::npos;
      if (!matches || (!plan->failWrites && !plan->failAt)) return std::nullopt;
      SaveFaults faults;
      faults.failAt = plan->failAt ? plan->failAt : SaveStep::WriteTemporary;
      faults.interrupt = plan->interrupt;
      faults.bytesBeforeFailure = plan->bytesBeforeFailure;
      return faults;
    });
  };
}

OsFileSet OpenSampleSet(const SampleSetPaths& paths, WorkstationModel model,
                        const FileOpener& opener) {
  LoadOkOutcome loaded = LoadOsFiles(model, paths.sysinfo, paths.ext, paths.ext2, opener);
  if (!loaded.set) {
    throw std::runtime_error(loaded.messages.empty() ? "not opened" : loaded.messages[0].text);
  }
  return std::move(*loaded.set);
}

}  // namespace zentavour::testing
