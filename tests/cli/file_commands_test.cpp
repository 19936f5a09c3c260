#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "core/bitmaps/bmp_export.h"
#include "core/osfiles/os_image_layout.h"
#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

using testing::ReadFileBytes;
using testing::RunCli;
using testing::TempDir;
using testing::WriteFileBytes;
using M = WorkstationModel;

// A sample set on disk and the options that name it.
struct SetOnDisk {
  TempDir dir;
  testing::SampleSetPaths paths;
  std::vector<std::string> options;

  SetOnDisk(M model, const std::string& name) {
    paths = testing::WriteSampleSet(dir.path(), model);
    options = {"--model", name, "--dir", dir.path().string()};
  }
  std::vector<std::string> command(std::vector<std::string> words, std::vector<std::string> more) const {
    words.insert(words.end(), options.begin(), options.end());
    words.insert(words.end(), more.begin(), more.end());
    return words;
  }
};

std::vector<std::size_t> Differences(const Bytes& a, const Bytes& b) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) at.push_back(i);
  }
  return at;
}

TEST(CliRoundTrips, ExportThenImportLeavesTheSetByteIdentical) {
  SetOnDisk set(M::Orvane, "orvane");
  // Saving once renews nothing on a sample, whose checksums are right already.
  const Bytes ext = ReadFileBytes(set.paths.ext);
  const Bytes sysinfo = ReadFileBytes(set.paths.sysinfo);
  TempDir out;
  for (const char* slot : {"small", "medium", "bold", "large"}) {
    const std::string file = out.file(std::string(slot) + ".glx");
    ASSERT_EQ(RunCli(set.command({"font", "export"}, {"--slot", slot, file})).exitCode, 0);
    const auto back = RunCli(set.command({"font", "import"}, {"--slot", slot, file}));
    ASSERT_EQ(back.exitCode, 0) << back.err;
  }
  for (int item = 0; item < 5; ++item) {
    for (const char* kind : {".bmp", ".png"}) {
      const std::string file = out.file(std::to_string(item).append(kind));
      const auto exported = RunCli(set.command({"graphic", "export"}, {"--item", std::to_string(item), file}));
      ASSERT_EQ(exported.exitCode, 0) << exported.err;
      const auto back = RunCli(set.command({"graphic", "import"}, {file, "--item", std::to_string(item)}));
      ASSERT_EQ(back.exitCode, 0) << back.err;
      EXPECT_EQ(back.err.find("Warning"), std::string::npos) << back.err;
    }
  }
  EXPECT_EQ(ReadFileBytes(set.paths.ext), ext);
  EXPECT_EQ(ReadFileBytes(set.paths.sysinfo), sysinfo);
}

TEST(CliGraphicImport, ABitmapChangesExactlyItsPictureAndTheChecksums) {
  SetOnDisk set(M::Ossik, "ossik");
  const Bytes before = ReadFileBytes(set.paths.ext);
  const StartupGraphicEntry item = StartupGraphicTable(M::Ossik)[0];  // 24 bytes x 22 rows
  PixelGrid grid;
  for (int r = 0; r < item.rows; ++r) grid.set(r, r * 3, 1);  // a diagonal
  TempDir out;
  WriteFileBytes(out.file("d.bmp"), ExportMonochromeBmp(grid, item.bytesPerRow * 8, item.rows));
  const auto result = RunCli(set.command({"graphic", "import"}, {"--item", "0", out.file("d.bmp")}));
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const Bytes after = ReadFileBytes(set.paths.ext);
  for (std::size_t i : Differences(before, after)) {
    EXPECT_TRUE(i <= 1 || (i >= item.offset && i < item.offset + item.size())) << i;
  }
  for (int r = 0; r < item.rows; ++r) {
    const std::size_t at = item.offset + static_cast<std::size_t>(r * item.bytesPerRow + (r * 3) / 8);
    EXPECT_EQ(after[at], 0x80 >> ((r * 3) % 8)) << r;
  }
  EXPECT_EQ(ReadBe16(after, 0), ExtChecksum(after));
}

TEST(CliGraphicImport, OversizedBitmapsWarnInOrderAndRefusalsChangeNothing) {
  SetOnDisk set(M::OrvaneMi, "orvane-mi");
  TempDir out;
  PixelGrid grid;
  WriteFileBytes(out.file("big.bmp"), ExportMonochromeBmp(grid, 200, 100));  // item 1 is 40 x 23
  const auto big = RunCli(set.command({"graphic", "import"}, {"--item", "1", out.file("big.bmp")}));
  EXPECT_EQ(big.exitCode, 0);
  const auto wide = big.err.find("Warning: The width");
  const auto tall = big.err.find("Warning: The height");
  EXPECT_NE(wide, std::string::npos);
  EXPECT_NE(tall, std::string::npos);
  EXPECT_LT(wide, tall);

  Bytes notBmp = ReadFileBytes(out.file("big.bmp"));
  notBmp[28] = 24;  // bits per pixel
  WriteFileBytes(out.file("colour.bmp"), notBmp);
  const Bytes now = ReadFileBytes(set.paths.ext);
  const auto refused = RunCli(set.command({"graphic", "import"}, {"--item", "1", out.file("colour.bmp")}));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("File Error: This is not a monochrome bitmap file."), std::string::npos);
  EXPECT_EQ(ReadFileBytes(set.paths.ext), now);
  EXPECT_EQ(RunCli(set.command({"graphic", "import"}, {"--item", "4", out.file("big.bmp")})).exitCode, 1);
  EXPECT_EQ(RunCli(set.command({"graphic", "import"}, {"--item", "9", out.file("big.bmp")})).exitCode, 2);
}

TEST(CliFonts, RenderingAnInstalledFontFillsTheSlotAndRefusalsChangeNothing) {
  SetOnDisk set(M::OrvaneSalone, "orvane-salone");
  const Bytes before = ReadFileBytes(set.paths.ext);
  EXPECT_EQ(RunCli(set.command({"font", "render"}, {"--slot", "large", "--family", "DejaVu Sans", "--size", "12"})).exitCode, 1);
  EXPECT_EQ(RunCli(set.command({"font", "render"}, {"--slot", "small", "--family", "No Such Font", "--size", "8"})).exitCode, 1);
  EXPECT_EQ(ReadFileBytes(set.paths.ext), before);

  const auto rendered = RunCli(set.command({"font", "render"}, {"--slot", "medium", "--family", "DejaVu Sans", "--size", "10"}));
  ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
  const Bytes after = ReadFileBytes(set.paths.ext);
  const FontSlotEntry medium = *FontSlotTable(M::OrvaneSalone, FontSlot::Medium);
  for (std::size_t i : Differences(before, after)) {
    EXPECT_TRUE(i <= 1 || (i >= medium.offset && i < medium.offset + medium.tableSize())) << i;
  }
  // 'W' is wider than 'i', and both carry ink.
  const std::size_t w = medium.offset + ('W' - 33) * static_cast<std::size_t>(medium.bytesPerGlyph);
  const std::size_t i = medium.offset + ('i' - 33) * static_cast<std::size_t>(medium.bytesPerGlyph);
  EXPECT_GT(after[w], after[i]);
  EXPECT_GT(after[i], 0);

  TempDir out;
  WriteFileBytes(out.file("short.glx"), Bytes{'G', 'L', 'X', 1, 0, 0});
  const auto refused = RunCli(set.command({"font", "import"}, {"--slot", "small", out.file("short.glx")}));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err.rfind("File Error: ", 0), 0u) << refused.err;
  EXPECT_EQ(ReadFileBytes(set.paths.ext), after);
  // A PNG sheet exported and imported again leaves every slot byte for byte; a sheet of another
  // slot's layout is refused with nothing changed.
  for (const char* slot : {"small", "medium"}) {
    const std::string png = out.file(std::string(slot) + ".png");
    ASSERT_EQ(RunCli(set.command({"font", "export"}, {"--slot", slot, png})).exitCode, 0);
    const auto back = RunCli(set.command({"font", "import"}, {"--slot", slot, png}));
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_TRUE(Differences(after, ReadFileBytes(set.paths.ext)).empty()) << slot;
  }
  const auto other = RunCli(set.command({"font", "import"}, {"--slot", "medium", out.file("small.png")}));
  EXPECT_EQ(other.exitCode, 1);
  EXPECT_NE(other.err.find("a sheet of this font is"), std::string::npos) << other.err;
  EXPECT_EQ(ReadFileBytes(set.paths.ext), after);
}

TEST(CliPcg, ListsShowsAndTransfersIntoTheSaloneSecondBankAcrossBothFiles) {
  TempDir pcgDir;
  const SamplePcgFile sample = BuildSamplePcgFile(1);
  const std::string pcg = pcgDir.file(sample.fileName);
  WriteFileBytes(pcg, sample.bytes);

  const auto list = RunCli({"pcg", "list", pcg, "--json"});
  ASSERT_EQ(list.exitCode, 0) << list.err;
  EXPECT_NE(list.out.find("\"pcgModelCode\": 1"), std::string::npos);
  EXPECT_NE(list.out.find("\"category\""), std::string::npos);
  const auto show = RunCli({"pcg", "show", "--program", "127", "--bank", "A", pcg});
  ASSERT_EQ(show.exitCode, 0) << show.err;
  EXPECT_NE(show.out.find("OSC 1 High Multisample:"), std::string::npos);
  EXPECT_EQ(RunCli({"pcg", "show", "--program", "128", "--bank", "A", pcg}).exitCode, 2);
  TempDir junk;
  WriteFileBytes(junk.file("x.PCG"), Bytes(100, 7));
  const auto notPcg = RunCli({"pcg", "list", junk.file("x.PCG")});
  EXPECT_EQ(notPcg.exitCode, 1);
  EXPECT_NE(notPcg.err.find("File Error"), std::string::npos);

  SetOnDisk set(M::OrvaneSalone, "orvane-salone");
  const Bytes ext = ReadFileBytes(set.paths.ext);
  const Bytes ext2 = ReadFileBytes(set.paths.ext2);
  const auto moved = RunCli(set.command({"gm", "transfer"}, {"--pcg", pcg, "--bank", "B", "--to", "2"}));
  ASSERT_EQ(moved.exitCode, 0) << moved.err;
  const std::size_t bank2 = *GmBankOffsetTable(M::OrvaneSalone).bank2Offset;
  for (std::size_t i : Differences(ext, ReadFileBytes(set.paths.ext))) EXPECT_TRUE(i <= 1 || i >= bank2) << i;
  for (std::size_t i : Differences(ext2, ReadFileBytes(set.paths.ext2))) EXPECT_LE(i, 37357u) << i;
  const auto names = RunCli(set.command({"gm", "list"}, {"--bank", "2"}));
  EXPECT_NE(names.out.find("  0  "), std::string::npos);
  EXPECT_EQ(RunCli(set.command({"check"}, {})).exitCode, 0);

  // An Ossik file does not fit the Orvane Salone: refused, nothing written.
  const SamplePcgFile ossik = BuildSamplePcgFile(3);
  WriteFileBytes(pcgDir.file(ossik.fileName), ossik.bytes);
  const Bytes now = ReadFileBytes(set.paths.ext);
  EXPECT_EQ(RunCli(set.command({"gm", "transfer"}, {"--pcg", pcgDir.file(ossik.fileName), "--bank", "A", "--to", "1"})).exitCode, 1);
  EXPECT_EQ(ReadFileBytes(set.paths.ext), now);
}

TEST(CliPcg, HostileSizesAreRefusedWithoutReadingThem) {
  TempDir dir;
  // A sparse file of 300 MB: refused from its size, never read.
  const std::string huge = dir.file("huge.PCG");
  WriteFileBytes(huge, Bytes{'V'});
  std::filesystem::resize_file(huge, 300ull * 1024 * 1024);
  const auto refused = RunCli({"pcg", "list", huge});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("larger than 64 MB"), std::string::npos) << refused.err;

  // A file whose chunk sizes claim gigabytes is walked within its real length.
  const SamplePcgFile sample = BuildSamplePcgFile(1);
  Bytes claims(sample.bytes.begin(), sample.bytes.begin() + 64);
  for (std::size_t at = 16; at + 8 <= claims.size(); at += 8) WriteBe32(claims, at + 4, 0xFFFFFFF0u);
  WriteFileBytes(dir.file("claims.PCG"), claims);
  const auto walked = RunCli({"pcg", "list", dir.file("claims.PCG")});
  EXPECT_EQ(walked.exitCode, 1);
  EXPECT_EQ(walked.err.rfind("File Error: ", 0), 0u) << walked.err;
}

}  // namespace
}  // namespace zentavour
