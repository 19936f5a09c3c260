#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

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

std::filesystem::path MakeNonLatinFolder(const std::filesystem::path& dir) {
  const std::filesystem::path folder = dir / PathFromUtf8("Müller Ελληνικά 音色");
  std::filesystem::create_directories(folder);
  return folder;
}

SampleSetPaths WriteSampleSet(const std::filesystem::path& dir, WorkstationModel model,
                              SaloneLayout layout) {
  const SampleOsFiles files = BuildSampleOsFiles(model, layout);
  const Status written = WriteSampleOsFiles(files, Utf8FromPath(dir));
  EXPECT_TRUE(written.ok()) << written.failure().text;
  const WorkstationModelInfo& info = ModelInfo(model);
  SampleSetPaths paths;
  const auto in = [&](std::string_view name) { return Utf8FromPath(dir / PathFromUtf8(name)); };
  paths.sysinfo = in(info.sysinfoName);
  paths.ext = in(info.extName);
  if (info.hasSecondExt()) paths.ext2 = in(info.ext2Name);
  return paths;
}

void SetUnusualPermissions(const std::string& path) {
#ifdef _WIN32
  EXPECT_TRUE(SetFileAttributesW(PathFromUtf8(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
  using std::filesystem::perms;
  std::filesystem::permissions(path, perms::owner_read | perms::owner_write | perms::group_read);
#endif
}

bool HasUnusualPermissions(const std::string& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(PathFromUtf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
#else
  using std::filesystem::perms;
  return std::filesystem::status(path).permissions() ==
         (perms::owner_read | perms::owner_write | perms::group_read);
#endif
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) ADD_FAILURE() << "cannot read " << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, ByteView bytes) {
  std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
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
