#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

// The diff as text is the samples test's; here its JSON and picture.
TEST(CliBdfAndDiff, ABdfFileThatLacksACharacterWarnsAndTheDiffShowsTheRedrawnOne) {
  SetOnDisk a(WorkstationModel::Ossik, "ossik"), b(WorkstationModel::Ossik, "ossik");
  TempDir out;
  const std::string file = out.file("small.bdf");
  ASSERT_EQ(b.run({"font", "export", file, "--slot", "small"}).exitCode, 0);
  // Without 'B' and with 'A' redrawn, the file loads with a warning.
  std::string bdf = ReadFileText(file);
  const std::size_t b0 = bdf.find("STARTCHAR uni0042"), b1 = bdf.find("STARTCHAR uni0043");
  bdf.erase(b0, b1 - b0);
  const std::size_t rowOfA = bdf.find("BITMAP\n", bdf.find("ENCODING 65")) + 7;
  bdf.replace(rowOfA, 2, "F8");
  bdf.replace(bdf.find("CHARS 95"), 8, "CHARS 94");
  testing::WriteFileBytes(file, Bytes(bdf.begin(), bdf.end()));
  const auto loaded = b.run({"font", "import", file, "--slot", "small"});
  ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
  EXPECT_NE(loaded.err.find(
                "Warning: These characters are not in the BDF file and keep their glyphs: 66 (B)."),
            std::string::npos)
      << loaded.err;

  std::vector<std::string> diff = {"diff",
                                   "--model",
                                   "ossik",
                                   "--dir",
                                   a.dir.path().string(),
                                   "--dir",
                                   b.dir.path().string(),
                                   "--json",
                                   "--png",
                                   out.file("diff.png")};
  const auto document = RunCli(diff);
  EXPECT_EQ(document.exitCode, 3);
  EXPECT_NE(document.out.find(
                "\"characters\": [\n        {\n          \"code\": 65,\n          \"widthA\": 6,\n"
                "          \"widthB\": 6,\n          \"rowsDiffer\": true"),
            std::string::npos)
      << document.out;
  EXPECT_EQ(ReadFileText(out.file("diff.png")).substr(1, 3), "PNG");

  diff[6] = diff[4];  // a set compared with itself
  const auto same = RunCli(diff);
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_NE(same.out.find("\"identical\": true"), std::string::npos);
}

}  // namespace
}  // namespace zentavour::testing
