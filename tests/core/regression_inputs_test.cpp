// Every input kept for a fuzz harness runs through that harness again: the seed corpus under
// fuzz/corpus/<reader>/ and the regression cases under tests/data/regressions/<reader>/. A finding
// becomes a regression case by adding its file; each file is a test of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

// The harnesses, built into the tests under these names.
extern "C" {
int Replay_bdf_fuzz(const std::uint8_t* data, std::size_t size);
int Replay_bmp_fuzz(const std::uint8_t* data, std::size_t size);
int Replay_font_file_fuzz(const std::uint8_t* data, std::size_t size);
int Replay_os_set_fuzz(const std::uint8_t* data, std::size_t size);
int Replay_pcg_fuzz(const std::uint8_t* data, std::size_t size);
int Replay_program_bank_fuzz(const std::uint8_t* data, std::size_t size);
}

namespace zentavour {
namespace {

namespace fs = std::filesystem;
using Harness = int (*)(const std::uint8_t*, std::size_t);

struct Reader {
  const char* folder;
  Harness harness;
};
constexpr Reader kReaders[] = {
    {"bdf", Replay_bdf_fuzz},
    {"bmp", Replay_bmp_fuzz},
    {"font_file", Replay_font_file_fuzz},
    {"os_set", Replay_os_set_fuzz},
    {"pcg", Replay_pcg_fuzz},
    {"program_bank", Replay_program_bank_fuzz},
};

struct Input {
  std::string name;  // the test's name: where it is kept, the reader and the file
  fs::path path;
  Harness harness;
  friend void PrintTo(const Input& input, std::ostream* out) { *out << input.path; }
};

std::vector<Input> KeptInputs() {
  std::vector<Input> inputs;
  for (const auto& [root, kind] : {std::pair{ZENTAVOUR_FUZZ_CORPUS_DIR, "corpus"},
                                   std::pair{ZENTAVOUR_REGRESSIONS_DIR, "regression"}}) {
    for (const Reader& reader : kReaders) {
      std::error_code missing;  // a reader without regression cases has no folder
      for (const auto& entry : fs::directory_iterator(fs::path(root) / reader.folder, missing)) {
        if (!entry.is_regular_file()) continue;
        std::string name = std::string(kind) + "_" + reader.folder + "_" +
                           entry.path().filename().string();
        for (char& c : name) {
          if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        inputs.push_back({name, entry.path(), reader.harness});
      }
    }
  }
  std::ranges::sort(inputs, {}, &Input::name);
  return inputs;
}

class KeptInput : public ::testing::TestWithParam<Input> {};

TEST_P(KeptInput, RunsThroughItsHarness) {
  // An exact-size copy: a read one byte past the end lands in the sanitizer's red zone.
  const Bytes file = testing::ReadFileBytes(GetParam().path.string());
  const Bytes bytes(file.begin(), file.end());
  EXPECT_EQ(GetParam().harness(bytes.data(), bytes.size()), 0);  // a broken promise aborts
}

INSTANTIATE_TEST_SUITE_P(Kept, KeptInput, ::testing::ValuesIn(KeptInputs()),
                         [](const auto& info) { return info.param.name; });

TEST(KeptInputs, EveryHarnessHasItsSeedCorpus) {
  std::vector<std::string> folders;
  for (const auto& entry : fs::directory_iterator(ZENTAVOUR_FUZZ_CORPUS_DIR)) {
    folders.push_back(entry.path().filename().string());
    EXPECT_FALSE(fs::is_empty(entry.path())) << folders.back();
  }
  std::ranges::sort(folders);
  std::vector<std::string> known;
  for (const Reader& reader : kReaders) known.push_back(reader.folder);
  EXPECT_EQ(folders, known) << "a harness without its corpus, or a corpus without its reader here";
}

}  // namespace
}  // namespace zentavour
