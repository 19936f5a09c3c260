// Opening an OS file set and saving it (what "Yes" on closing does), per model, against merely
// reading and writing the same bytes.
#include <benchmark/benchmark.h>

#include <algorithm>

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
    LoadOkOutcome loaded = LoadOsFiles(model, paths.sysinfo, paths.ext, paths.ext2, OpenLockedFile);
    if (!loaded.set) {
      state.SkipWithError("load failed");
      break;
    }
    if (!WriteBackOsFiles(*loaded.set).ok()) state.SkipWithError("save failed");
    CloseOsFileSet(*loaded.set);
  }
  state.SetLabel(std::string(ModelInfo(model).name));
}

// Opens each file of the set in turn (locked, as the program does) and hands it to use.
template <class Use>
void ForEachFile(const testing::SampleSetPaths& paths, Use use) {
  for (const std::string* path : {&paths.sysinfo, &paths.ext, &paths.ext2}) {
    if (path->empty()) continue;
    FileHandlePtr file = OpenLockedFile(*path);
    use(*file, static_cast<std::size_t>(file->Size()));
  }
}

// The floor: read every file of the set whole, then write it back whole in place and flush it.
void ReadAndWriteBytes(benchmark::State& state) {
  const auto model = static_cast<WorkstationModel>(state.range(0));
  TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), model);
  for (auto _ : state) {
    ForEachFile(paths, [&](FileHandle& file, std::size_t size) {
      Bytes bytes(size);
      if (!file.ReadAt(0, bytes) || !file.WriteAt(0, bytes) || !file.Flush()) {
        state.SkipWithError("io failed");
      }
    });
  }
  state.SetLabel(std::string(ModelInfo(model).name));
}

// What verifying a save adds: reading the written files back and comparing them.
void VerifyReadBack(benchmark::State& state) {
  const auto model = static_cast<WorkstationModel>(state.range(0));
  TempDir dir;
  const testing::SampleSetPaths paths = testing::WriteSampleSet(dir.path(), model);
  for (auto _ : state) {
    ForEachFile(paths, [&](FileHandle& file, std::size_t size) {
      Bytes expected(size);
      Bytes back(size);
      if (!file.ReadAt(0, back)) state.SkipWithError("read failed");
      benchmark::DoNotOptimize(std::equal(back.begin(), back.end(), expected.begin()));
    });
  }
  state.SetLabel(std::string(ModelInfo(model).name));
}

BENCHMARK(OpenAndSave)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAndWriteBytes)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(VerifyReadBack)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zentavour

BENCHMARK_MAIN();
