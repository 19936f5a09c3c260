#include <gtest/gtest.h>

#include <array>

#include "cli/cli_runner.h"
#include "core/bitmaps/bmp_export.h"
#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

TEST(CliFontsAndPictures, GoOutAndBackByteIdenticalRefusalsChangeNothingWarningsGoToStderr) {
  SetOnDisk set(M::Orvane, "orvane");
  // Saving renews nothing on a sample, whose checksums are right already.
  const Bytes ext = ReadFileBytes(set.paths.ext), sysinfo = ReadFileBytes(set.paths.sysinfo);
  TempDir out;
  const std::vector<std::array<std::string, 4>> trips{
      {"font", "--slot", "large", "large.glx"},   {"font", "--slot", "small", "small.png"},
      {"font", "--slot", "medium", "medium.bdf"}, {"graphic", "--item", "3", "picture.bmp"},
      {"graphic", "--item", "3", "picture.png"},
  };
  for (const auto& [command, option, value, name] : trips) {
    const auto exported = set.run({command, "export", out.file(name), option, value});
    ASSERT_EQ(exported.exitCode, 0) << name << ": " << exported.err;
    const auto back = set.run({command, "import", out.file(name), option, value});
    ASSERT_EQ(back.exitCode, 0) << name << ": " << back.err;
    EXPECT_EQ(back.err, "") << name;
  }

  const std::string big = out.file("big.bmp"), colour = out.file("colour.bmp");
  WriteFileBytes(big, ExportMonochromeBmp(PixelGrid(), 200, 100));  // item 4 is 88 x 28
  Bytes notBmp = ReadFileBytes(big);
  notBmp[28] = 24;  // bits per pixel
  WriteFileBytes(colour, notBmp);
  WriteFileBytes(out.file("bad.bdf"), Bytes{'h', 'i', '\n'});
  const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
      {{"font", "import", "--slot", "medium", out.file("small.png")}, "a sheet of this font is"},
      {{"font", "import", "--slot", "small", out.file("bad.bdf")},
       "File Error: This is not a valid BDF font file."},
      {{"font", "render", "--slot", "small", "--family", "No Such Font", "--size", "8"},
       "No installed font is called \"No Such Font\"."},
      {{"graphic", "import", "--item", "4", colour},
       "File Error: This is not a monochrome bitmap file."},
  };
  for (const auto& [args, message] : refusals) {
    const auto refused = set.run(args);
    EXPECT_EQ(refused.exitCode, 1) << message;
    EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
  }
  EXPECT_EQ(ReadFileBytes(set.paths.ext), ext);
  EXPECT_EQ(ReadFileBytes(set.paths.sysinfo), sysinfo);

  const auto warned = set.run({"graphic", "import", big, "--item", "4"});
  EXPECT_EQ(warned.exitCode, 0);
  EXPECT_NE(warned.err.find("Warning: The width"), std::string::npos) << warned.err;
}

// pcg show and gm transfer are the samples test's.
TEST(CliPcgAndGm, ListsPcgBanksAndGmBanks) {
  TempDir pcgDir;
  const SamplePcgFile sample = BuildSamplePcgFile(1);
  const std::string pcg = pcgDir.file(sample.fileName);
  WriteFileBytes(pcg, sample.bytes);
  const auto list = RunCli({"pcg", "list", pcg, "--json"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_NE(list.out.find("\"pcgModelCode\": 1"), std::string::npos);
  EXPECT_NE(list.out.find("\"category\""), std::string::npos);
  WriteFileBytes(pcgDir.file("x.PCG"), Bytes(100, 7));
  const auto notPcg = RunCli({"pcg", "list", pcgDir.file("x.PCG")});
  EXPECT_EQ(notPcg.exitCode, 1);
  EXPECT_NE(notPcg.err.find("File Error"), std::string::npos);
  // A cut file lists what it holds whole and says what it left out, as the window does.
  WriteFileBytes(pcgDir.file("cut.PCG"), Bytes(sample.bytes.begin(), sample.bytes.end() - 100));
  const auto cut = RunCli({"pcg", "list", pcgDir.file("cut.PCG")});
  EXPECT_EQ(cut.exitCode, 0) << cut.err;
  EXPECT_NE(cut.err.find("Warning: This PCG file ends before"), std::string::npos) << cut.err;

  const SetOnDisk mi(M::OrvaneMi, "orvane-mi");
  EXPECT_NE(mi.run({"gm", "list"}).out.find("  0  Acoustic Piano"), std::string::npos);
  EXPECT_EQ(mi.run({"gm", "list", "--bank", "2"}).exitCode, 1);
}

}  // namespace
}  // namespace zentavour::testing
