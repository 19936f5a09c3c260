#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>

#include "cli/cli_runner.h"
#include "core/bitmaps/font_sheet.h"
#include "core/osfiles/os_image_layout.h"
#include "support/temp_dir.h"

namespace zentavour::testing {
namespace {

using M = WorkstationModel;

// Every sample set checks clean, the Salone's in both SYSINFO layouts. A GM bank written across
// the seam between the Salone's two EXT files shows in diff, both sets' checksums agreeing.
TEST(CliSamples, EverySetChecksCleanDiffSeesAcrossTheSaloneSeamAndPcgShowReachesBankE) {
  TempDir dir;
  const std::string root = dir.path().string() + "/";
  ASSERT_EQ(RunCli({"samples", root}).exitCode, 0);
  for (const std::string folder :
       {"orvane", "orvane-mi", "ossik", "orvane-salone-I", "orvane-salone-II"}) {
    // The model option is the folder name without the layout.
    const auto check = RunCli({"check", "--model", folder.substr(0, 13), "--dir", root + folder});
    EXPECT_EQ(check.exitCode, 0) << folder << ": " << check.out << check.err;
  }
  std::filesystem::copy(root + "orvane-salone-I", root + "changed");
  const auto moved =
      RunCli({"gm", "transfer", "--model", "orvane-salone", "--dir", root + "changed", "--pcg",
              root + "pcg/orvane.PCG", "--bank", "C", "--to", "2"});
  ASSERT_EQ(moved.exitCode, 0) << moved.err;
  const auto diff = RunCli({"diff", "--model", "orvane-salone", "--dir", root + "orvane-salone-I",
                            "--dir", root + "changed"});
  EXPECT_EQ(diff.exitCode, 3) << diff.err;
  // Program 58 starts in the first file and ends in the second; 127 lies in the second.
  for (const char* part : {"GM bank 1: same\n", "\n  58: \"", "\n  127: \"", "Other bytes: same\n",
                           "Checksums A: ok\n", "Checksums B: ok\n"})
    EXPECT_NE(diff.out.find(part), std::string::npos) << part << " in\n" << diff.out;

  // Bank E is reachable, and every field is printed under its own label.
  const auto shown =
      RunCli({"pcg", "show", root + "pcg/orvane.PCG", "--bank", "E", "--program", "100", "--json"});
  EXPECT_EQ(shown.out, ReadFileText(std::string(ZENTAVOUR_CLI_DATA_DIR) + "/pcg-show-E-100.json"));
}

// A sheet as a paint program leaves it: the paper saved as transparent black, a pixel and a
// width mark drawn on 'B', a pixel drawn on 'A', whose width of 28 is more than the 24 columns
// shown, so its bar is full.
TEST(CliFontSheet, PixelsAndWidthMarksDrawnInAPaintProgramLandInTheExtFile) {
  const SetOnDisk set(M::Orvane, "orvane");
  const FontSlotEntry large = *FontSlotTable(M::Orvane, FontSlot::Large);
  const std::size_t a = large.offset + 32 * 58, b = a + 58;
  Bytes ext = ReadFileBytes(set.paths.ext);
  ext[a] = 28;
  testing::WriteFileBytes(set.paths.ext, ext);
  TempDir out;
  const std::string sheet = out.file("large.png");
  ASSERT_EQ(set.run({"font", "export", sheet, "--slot", "large"}).exitCode, 0);

  QImage image = QImage(QString::fromStdString(sheet)).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == qRgb(255, 255, 255)) image.setPixel(x, y, qRgba(0, 0, 0, 0));
  const FontSheetLayout layout = FontSheetLayoutFor(large);
  const auto paint = [&](int left, int top, int size) {
    for (int y = top; y < top + size; ++y)
      for (int x = left; x < left + size; ++x) image.setPixel(x, y, qRgb(0, 0, 0));
  };
  const int widthB = ext[b];
  paint(layout.glyphLeft(33) + 1 * 4, layout.glyphTop(33) + 2 * 4, 4);  // row 2, column 1
  paint(layout.glyphLeft(33) + widthB * 4, layout.barTop(33), 3);       // one more width mark
  paint(layout.glyphLeft(32) + 23 * 4, layout.glyphTop(32), 4);         // row 0, column 23
  ASSERT_TRUE(image.save(QString::fromStdString(sheet)));
  const auto imported = set.run({"font", "import", sheet, "--slot", "large"});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;

  const Bytes after = ReadFileBytes(set.paths.ext);
  Bytes expected = ext;
  expected[a + 3] |= 0x01;
  expected[b] = static_cast<std::uint8_t>(widthB + 1);
  expected[b + 1 + 2 * static_cast<std::size_t>(GlyphBytesPerRow(widthB + 1))] |= 0x40;
  ASSERT_EQ(after.size(), expected.size());  // bytes 0 and 1 hold the renewed checksum
  const auto differs = std::mismatch(after.begin() + 2, after.end(), expected.begin() + 2).first;
  EXPECT_EQ(differs, after.end()) << "byte " << differs - after.begin() << " differs";
  EXPECT_EQ(set.run({"check"}).exitCode, 0);
}

}  // namespace
}  // namespace zentavour::testing
