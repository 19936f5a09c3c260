#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "core/common/bytes.h"
#include "core/common/file_handle.h"
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
  // The UTF-8 path of name (UTF-8 too) in the folder.
  std::string file(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
  }

 private:
  std::filesystem::path path_;
};

// A folder named in Latin, Greek and Chinese letters inside dir, as users name theirs.
std::filesystem::path MakeNonLatinFolder(const std::filesystem::path& dir);

// The paths of a sample OS file set written to disk.
struct SampleSetPaths {
  std::string sysinfo, ext, ext2;  // ext2 empty unless Orvane Salone
};

// Writes the sample set of the model into dir under the model's exact file names.
SampleSetPaths WriteSampleSet(const std::filesystem::path& dir, WorkstationModel model,
                              SaloneLayout layout = SaloneLayout::II);

// Gives a file permissions that a new file would not get (mode 0640 on Unix; the hidden
// attribute on Windows, whose files carry no modes), and tells whether it has them.
void SetUnusualPermissions(const std::string& path);
bool HasUnusualPermissions(const std::string& path);

// The whole of a file (a test failure when it cannot be read) and writing one in place.
Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, ByteView bytes);

// The first and one-past-last offsets where two buffers differ (over the shorter); {0, 0} if none.
std::pair<std::size_t, std::size_t> ChangedRange(ByteView before, ByteView after);

}  // namespace zentavour::testing
