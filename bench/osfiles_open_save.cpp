// Opening an OS file set and saving it (what "Yes" on closing does), per model, against the
// floor of any crash-safe save of the same files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "core/osfiles/os_file_set.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

using testing::TempDir;

void OpenAndSave(benchmark::State& state) {
  const auto model = static_cast<WorkstationModel>(state.range(0));
  TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), model);
  for (auto _ : state) {
    LoadOkOutcome loaded = LoadOsFiles(model, paths.sysinfo, paths.ext, paths.ext2, TryOpenLockedFile);
    if (!loaded.set) {
      state.SkipWithError("load failed");
      break;
    }
    if (!WriteBackOsFiles(*loaded.set).ok()) state.SkipWithError("save failed");
    CloseOsFileSet(*loaded.set);
  }
  state.SetLabel(std::string(ModelInfo(model).name));
}

// Writes a new file beside path, flushes it, renames it over path, flushes the folder and reads
// the file back: what any save that survives a crash must do, straight on the system calls.
bool SaveAtTheFloor(const std::string& path, const std::string& folder, const Bytes& bytes) {
  const std::string temp = path + ".new";
  const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const auto size = static_cast<ssize_t>(bytes.size());
  bool ok = ::write(fd, bytes.data(), bytes.size()) == size && ::fsync(fd) == 0 &&
            ::rename(temp.c_str(), path.c_str()) == 0;
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ok = ok && dir >= 0 && ::fsync(dir) == 0;
  if (dir >= 0) ::close(dir);
  Bytes back(bytes.size());
  ok = ok && ::pread(fd, back.data(), back.size(), 0) == size && back == bytes;
  ::close(fd);
  return ok;
}

// The floor: every file of the set saved that way, with the bytes already in memory.
void SafeSaveFloor(benchmark::State& state) {
  const auto model = static_cast<WorkstationModel>(state.range(0));
  TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), model);
  std::vector<std::pair<std::string, Bytes>> files;
  for (const std::string* path : {&paths.ext, &paths.ext2, &paths.sysinfo}) {
    if (!path->empty()) files.emplace_back(*path, testing::ReadFileBytes(*path));
  }
  const std::string folder = Utf8FromPath(dir.path());
  for (auto _ : state) {
    for (const auto& [path, bytes] : files) {
      if (!SaveAtTheFloor(path, folder, bytes)) state.SkipWithError("io failed");
    }
  }
  state.SetLabel(std::string(ModelInfo(model).name));
}

// Both in turn on the same files, each timed on its own: the disk's flush times drift by several
// times over minutes on a shared machine, which the two separate benchmarks each see differently.
// Reports each one's mean wall time and their ratio.
void OpenAndSaveAgainstFloor(benchmark::State& state) {
  const auto model = static_cast<WorkstationModel>(state.range(0));
  TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), model);
  std::vector<std::pair<std::string, Bytes>> files;
  for (const std::string* path : {&paths.ext, &paths.ext2, &paths.sysinfo}) {
    if (!path->empty()) files.emplace_back(*path, testing::ReadFileBytes(*path));
  }
  const std::string folder = Utf8FromPath(dir.path());
  using Clock = std::chrono::steady_clock;
  Clock::duration program{}, floor{};
  for (auto _ : state) {
    const auto start = Clock::now();
    for (const auto& [path, bytes] : files) {
      if (!SaveAtTheFloor(path, folder, bytes)) state.SkipWithError("io failed");
    }
    const auto between = Clock::now();
    LoadOkOutcome loaded =
        LoadOsFiles(model, paths.sysinfo, paths.ext, paths.ext2, TryOpenLockedFile);
    if (!loaded.set || !WriteBackOsFiles(*loaded.set).ok()) {
      state.SkipWithError("open or save failed");
    }
    if (loaded.set) CloseOsFileSet(*loaded.set);
    floor += between - start;
    program += Clock::now() - between;
  }
  const auto ms = [&](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count() / double(state.iterations());
  };
  state.counters["floor_ms"] = ms(floor);
  state.counters["program_ms"] = ms(program);
  state.counters["ratio"] = ms(program) / ms(floor);
  state.SetLabel(std::string(ModelInfo(model).name));
}

BENCHMARK(OpenAndSave)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(SafeSaveFloor)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenAndSaveAgainstFloor)
    ->DenseRange(1, 4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(5);

}  // namespace
}  // namespace zentavour

BENCHMARK_MAIN();
