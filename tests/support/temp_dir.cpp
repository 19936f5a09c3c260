#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace zentavour::testing {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("zentavour-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

SampleSetPaths WriteSampleSet(const std::filesystem::path& dir, WorkstationModel model,
                              SaloneLayout layout) {
  const SampleOsFiles files = BuildSampleOsFiles(model, layout);
  const Status written = WriteSampleOsFiles(files, dir.string());
  EXPECT_TRUE(written.ok()) << written.failure().text;
  const WorkstationModelInfo& info = ModelInfo(model);
  SampleSetPaths paths;
  paths.sysinfo = (dir / std::string(info.sysinfoName)).string();
  paths.ext = (dir / std::string(info.extName)).string();
  if (info.hasSecondExt()) paths.ext2 = (dir / std::string(info.ext2Name)).string();
  return paths;
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, ByteView bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::pair<std::size_t, std::size_t> ChangedRange(ByteView before, ByteView after) {
  std::size_t first = 0, last = std::min(before.size(), after.size());
  while (first < last && before[first] == after[first]) ++first;
  if (first == last) return {0, 0};
  while (before[last - 1] == after[last - 1]) --last;
  return {first, last};
}

}  // namespace zentavour::testing
