#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "core/common/bytes.h"
#include "core/osfiles/workstation_model.h"
#include "core/samples/sample_os_files.h"

namespace zentavour::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The paths of a sample OS file set written to disk.
struct SampleSetPaths {
  std::string sysinfo, ext, ext2;  // ext2 empty unless Orvane Salone
};

// Writes the sample set of the model into dir under the model's exact file names.
SampleSetPaths WriteSampleSet(const std::filesystem::path& dir, WorkstationModel model,
                              SaloneLayout layout = SaloneLayout::II);

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, ByteView bytes);

// The first and one-past-last offsets where two buffers differ (over the shorter); {0, 0} if none.
std::pair<std::size_t, std::size_t> ChangedRange(ByteView before, ByteView after);

}  // namespace zentavour::testing
