// Opening and indexing a PCG file against merely reading its bytes.
#include <benchmark/benchmark.h>

#include "core/common/file_handle.h"
#include "core/pcg/pcg_index.h"
#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace {

using namespace zentavour;

// The largest sample: five Ossik program banks and five combination banks (about 1 MB).
struct SampleOnDisk {
  testing::TempDir dir;
  std::string path;
  Bytes bytes;

  SampleOnDisk() {
    bytes = BuildSamplePcgFile(3).bytes;
    path = dir.file("ossik.PCG");
    testing::WriteFileBytes(path, bytes);
  }
};

SampleOnDisk& Sample() {
  static SampleOnDisk sample;
  return sample;
}

void BM_ReadPcgBytes(benchmark::State& state) {
  SampleOnDisk& sample = Sample();
  for (auto _ : state) {
    const Result<Bytes> bytes = ReadWholeFile(sample.path, kMaxPcgFileSize);
    if (!bytes) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(bytes ? bytes->data() : nullptr);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.bytes.size()));
}
BENCHMARK(BM_ReadPcgBytes)->Unit(benchmark::kMicrosecond);

void BM_OpenPcgFile(benchmark::State& state) {
  SampleOnDisk& sample = Sample();
  for (auto _ : state) {
    Result<PcgIndex> index = OpenPcgFile(sample.path, TryOpenLockedFile);
    if (!index.ok()) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(index);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.bytes.size()));
}
BENCHMARK(BM_OpenPcgFile)->Unit(benchmark::kMicrosecond);

void BM_IndexPcgBytes(benchmark::State& state) {
  SampleOnDisk& sample = Sample();
  for (auto _ : state) {
    Result<PcgIndex> index = IndexPcgBytes(sample.bytes);
    benchmark::DoNotOptimize(index);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.bytes.size()));
}
BENCHMARK(BM_IndexPcgBytes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
