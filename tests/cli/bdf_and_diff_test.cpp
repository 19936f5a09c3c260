#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

using testing::ReadFileBytes;
using testing::RunCli;
using testing::SetOnDisk;
using testing::TempDir;

std::string Text(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(CliBdfAndDiff, BdfRoundTripRefusalWarningAndTheDiffThatFollows) {
  SetOnDisk a(WorkstationModel::Ossik, "ossik"), b(WorkstationModel::Ossik, "ossik");
  const auto &original = a.paths, &changed = b.paths;
  TempDir out;
  ASSERT_EQ(b.run({"font", "export"}, {"--slot", "small", out.file("small.bdf")}).exitCode, 0);
  const auto back = b.run({"font", "import"}, {"--slot", "small", out.file("small.bdf")});
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_EQ(ReadFileBytes(changed.ext), ReadFileBytes(original.ext));
  EXPECT_EQ(ReadFileBytes(changed.sysinfo), ReadFileBytes(original.sysinfo));

  // A malformed file changes nothing; a file that lacks 'B' and redraws 'A' warns and loads.
  std::string bdf = Text(ReadFileBytes(out.file("small.bdf")));
  const std::size_t b0 = bdf.find("STARTCHAR uni0042"), b1 = bdf.find("STARTCHAR uni0043");
  bdf.erase(b0, b1 - b0);
  const std::size_t rowOfA = bdf.find("BITMAP\n", bdf.find("ENCODING 65")) + 7;
  bdf.replace(rowOfA, 2, "F8");
  testing::WriteFileBytes(out.file("bad.bdf"), Bytes(bdf.begin(), bdf.end()));
  const auto refused = b.run({"font", "import"}, {"--slot", "small", out.file("bad.bdf")});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("File Error: This is not a valid BDF font file."), std::string::npos);
  EXPECT_EQ(ReadFileBytes(changed.ext), ReadFileBytes(original.ext));
  bdf.replace(bdf.find("CHARS 95"), 8, "CHARS 94");
  testing::WriteFileBytes(out.file("good.bdf"), Bytes(bdf.begin(), bdf.end()));
  const auto loaded = b.run({"font", "import"}, {"--slot", "small", out.file("good.bdf")});
  ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
  EXPECT_NE(loaded.err.find(
                "Warning: These characters are not in the BDF file and keep their glyphs: 66 (B)."),
            std::string::npos)
      << loaded.err;

  const std::vector<std::string> diff = {
      "diff", "--model", "ossik", "--dir", a.dir.path().string(), "--dir", b.dir.path().string()};
  const auto text = RunCli(diff);
  EXPECT_EQ(text.exitCode, 3) << text.err;
  EXPECT_NE(
      text.out.find("Font small: 1 character differs\n  65 (A): rows differ\nFont medium: same\n"),
      std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Other bytes: same\nChecksums A: ok\n"), std::string::npos) << text.out;
  auto json = diff;
  json.insert(json.end(), {"--json", "--png", out.file("diff.png")});
  const auto document = RunCli(json);
  EXPECT_EQ(document.exitCode, 3);
  EXPECT_NE(document.out.find(
                "\"characters\": [\n        {\n          \"code\": 65,\n          \"widthA\": 6,\n"
                "          \"widthB\": 6,\n          \"rowsDiffer\": true"),
            std::string::npos)
      << document.out;
  EXPECT_EQ(Text(ReadFileBytes(out.file("diff.png"))).substr(1, 3), "PNG");

  const auto same = RunCli(
      {"diff", "--model", "ossik", "--dir", a.dir.path().string(), "--dir", a.dir.path().string()});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_NE(same.out.find("The sets are identical.\n"), std::string::npos);
}

}  // namespace
}  // namespace zentavour
