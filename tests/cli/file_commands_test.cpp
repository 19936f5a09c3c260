#include <gtest/gtest.h>

#include "cli/cli_runner.h"
#include "core/bitmaps/bmp_export.h"
#include "core/osfiles/os_image_layout.h"
#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

using testing::ReadFileBytes;
using testing::RunCli;
using testing::SetOnDisk;
using testing::TempDir;
using testing::WriteFileBytes;
using M = WorkstationModel;

TEST(CliRoundTrips, ExportThenImportLeavesTheSetByteIdentical) {
  SetOnDisk set(M::Orvane, "orvane");
  // Saving once renews nothing on a sample, whose checksums are right already.
  const Bytes ext = ReadFileBytes(set.paths.ext);
  const Bytes sysinfo = ReadFileBytes(set.paths.sysinfo);
  TempDir out;
  const std::string font = out.file("large.glx");
  ASSERT_EQ(set.run({"font", "export"}, {"--slot", "large", font}).exitCode, 0);
  const auto fontBack = set.run({"font", "import"}, {"--slot", "large", font});
  ASSERT_EQ(fontBack.exitCode, 0) << fontBack.err;
  for (const char* kind : {".bmp", ".png"}) {
    const std::string file = out.file(std::string("picture") + kind);
    const auto exported = set.run({"graphic", "export"}, {"--item", "3", file});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const auto back = set.run({"graphic", "import"}, {file, "--item", "3"});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(back.err.find("Warning"), std::string::npos) << back.err;
  }
  EXPECT_EQ(ReadFileBytes(set.paths.ext), ext);
  EXPECT_EQ(ReadFileBytes(set.paths.sysinfo), sysinfo);
}

TEST(CliGraphicImport, WarningsGoToStderrAndRefusalsChangeNothing) {
  SetOnDisk set(M::OrvaneMi, "orvane-mi");
  TempDir out;
  const std::string big = out.file("big.bmp"), colour = out.file("colour.bmp");
  WriteFileBytes(big, ExportMonochromeBmp(PixelGrid(), 200, 100));  // item 1 is 40 x 23
  const auto warned = set.run({"graphic", "import"}, {"--item", "1", big});
  EXPECT_EQ(warned.exitCode, 0);
  EXPECT_NE(warned.err.find("Warning: The width"), std::string::npos) << warned.err;

  Bytes notBmp = ReadFileBytes(big);
  notBmp[28] = 24;  // bits per pixel
  WriteFileBytes(colour, notBmp);
  const Bytes now = ReadFileBytes(set.paths.ext);
  const auto refused = set.run({"graphic", "import"}, {"--item", "1", colour});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("File Error: This is not a monochrome bitmap file."),
            std::string::npos);
  EXPECT_EQ(ReadFileBytes(set.paths.ext), now);
  EXPECT_EQ(set.run({"graphic", "import"}, {"--item", "9", big}).exitCode, 2);
}

TEST(CliFonts, RenderingAnInstalledFontFillsTheSlotAndRefusalsChangeNothing) {
  SetOnDisk set(M::OrvaneSalone, "orvane-salone");
  const Bytes before = ReadFileBytes(set.paths.ext);
  const auto render = [&](const char* slot, const char* family, const char* size) {
    return set.run({"font", "render"}, {"--slot", slot, "--family", family, "--size", size});
  };
  EXPECT_EQ(render("small", "No Such Font", "8").exitCode, 1);
  EXPECT_EQ(ReadFileBytes(set.paths.ext), before);
  const auto rendered = render("medium", "DejaVu Sans", "10");
  ASSERT_EQ(rendered.exitCode, 0) << rendered.err;
  const Bytes after = ReadFileBytes(set.paths.ext);
  const FontSlotEntry medium = *FontSlotTable(M::OrvaneSalone, FontSlot::Medium);
  const auto [first, last] =
      testing::ChangedRange(ByteView(before).subspan(2), ByteView(after).subspan(2));
  EXPECT_TRUE(last && first + 2 >= medium.offset && last + 2 <= medium.offset + medium.tableSize());

  TempDir out;
  // A PNG sheet goes out and back unchanged; a sheet of another slot's layout is refused.
  const std::string png = out.file("small.png");
  ASSERT_EQ(set.run({"font", "export"}, {"--slot", "small", png}).exitCode, 0);
  const auto back = set.run({"font", "import"}, {"--slot", "small", png});
  ASSERT_EQ(back.exitCode, 0) << back.err;
  EXPECT_EQ(ReadFileBytes(set.paths.ext), after);
  const auto other = set.run({"font", "import"}, {"--slot", "medium", png});
  EXPECT_EQ(other.exitCode, 1);
  EXPECT_NE(other.err.find("a sheet of this font is"), std::string::npos) << other.err;
  EXPECT_EQ(ReadFileBytes(set.paths.ext), after);
}

TEST(CliPcg, ListsShowsAndTransfersIntoAGmBank) {
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

  // Where the bank lands, for every model, is the core's; here it is written and checks out.
  SetOnDisk set(M::OrvaneSalone, "orvane-salone");
  const Bytes ext = ReadFileBytes(set.paths.ext);
  const auto moved = set.run({"gm", "transfer"}, {"--pcg", pcg, "--bank", "B", "--to", "2"});
  ASSERT_EQ(moved.exitCode, 0) << moved.err;
  EXPECT_NE(ReadFileBytes(set.paths.ext), ext);
  EXPECT_EQ(set.run({"check"}).exitCode, 0);
}

}  // namespace
}  // namespace zentavour
