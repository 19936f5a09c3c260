#include "core/compare/set_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/samples/sample_os_files.h"

namespace zentavour {
namespace {

using M = WorkstationModel;

OsSetBytes View(const SampleOsFiles& set) {
  return {set.model, set.sysinfo, set.ext, set.ext2};
}

void Rename(std::span<std::uint8_t> record, std::string_view name) {
  for (std::size_t i = 0; i < 16; ++i) record[i] = i < name.size() ? name[i] : ' ';
}

TEST(SetComparisonTest, ReportsEachKnownChangeWhereItBelongs) {
  const SampleOsFiles a = BuildSampleOsFiles(M::Orvane);
  EXPECT_TRUE(CompareOsSets(View(a), View(a))->identical);
  SampleOsFiles b = a;
  b.ext[120775 + 32 * 21 + 3] ^= 0x10;                                  // medium 'A': one pixel
  b.ext[119791 + 33 * 9] = 7;                                           // small 'B': width 6 -> 7
  b.ext[144742 + 5 * 36 + 7] ^= 0x01;                                   // "ORVANE max": one cell
  Rename(std::span(b.ext).subspan(855562 + 5 * 540), "Changed Piano");  // GM bank 2, program 5
  b.ext[200000] ^= 0x40;                                                // outside every table
  b.sysinfo[300] ^= 0x01;
  WriteBe16(b.ext, 0, ExtChecksum(b.ext));  // renewed in EXT, not in SYSINFO

  const auto report = CompareOsSets(View(a), View(b));
  ASSERT_TRUE(report.ok());
  ASSERT_EQ(report->fonts.size(), 4u);
  EXPECT_EQ(report->fonts[0].glyphs, (std::vector<GlyphChange>{{66, 6, 7, false}}));
  EXPECT_EQ(report->fonts[1].glyphs, (std::vector<GlyphChange>{{65, 6, 6, true}}));
  EXPECT_TRUE(report->fonts[2].glyphs.empty() && report->fonts[3].glyphs.empty());
  ASSERT_EQ(report->pictures.size(), 5u);
  for (const PictureChange& p : report->pictures)
    EXPECT_EQ(p.differingCells, p.item == 1 ? 1 : 0) << p.label;
  ASSERT_EQ(report->gmBanks.size(), 2u);
  EXPECT_TRUE(report->gmBanks[0].programs.empty());
  EXPECT_EQ(report->gmBanks[1].programs,
            (std::vector<ProgramChange>{{5, "E.Piano 2      2", "Changed Piano"}}));
  EXPECT_EQ(report->otherRanges, (std::vector<ByteRangeChange>{{OsFileRole::Sysinfo, 300, 1},
                                                               {OsFileRole::Ext, 200000, 1}}));
  EXPECT_EQ(report->otherRangeCount, 2u);
  EXPECT_EQ(report->otherBytes, 2u);
  EXPECT_TRUE(report->checksumsA.ok());
  ASSERT_EQ(report->checksumsB.ext.size(), 1u);
  EXPECT_EQ(report->checksumsB.ext[0].stored, report->checksumsB.ext[0].computed);
  EXPECT_EQ(report->checksumsB.ext[0].sysinfoCopy, ReadBe16(a.ext, 0));
  EXPECT_FALSE(report->checksumsB.ok());
  EXPECT_FALSE(report->identical);

  b.ext.resize(100);  // not the model's size: refused, never read past
  EXPECT_EQ(CompareOsSets(View(a), View(b)).failure().caption, "Error");
}

// The Salone's second GM bank runs from the end of the first EXT file into the second; SYSINFO
// layout I keeps the checksum copies at 180 and 204.
TEST(SetComparisonTest, SaloneLayoutISetsCompareAcrossTheSeamBetweenTheirExtFiles) {
  const SampleOsFiles a = BuildSampleOsFiles(M::OrvaneSalone, SaloneLayout::I);
  EXPECT_EQ(ReadBe16(a.sysinfo, 180), ExtChecksum(a.ext));
  EXPECT_EQ(ReadBe16(a.sysinfo, 204), ExtChecksum(a.ext2));
  SampleOsFiles b = a;
  b.ext[1197038 + 57 * 540 + 539] ^= 0x01;   // the last byte of program 57, before the seam
  b.ext2[2 + 59 * 540 - 31764 - 1] ^= 0x01;  // the last byte of program 58, after it
  Rename(std::span(b.ext2).subspan(2 + 100 * 540 - 31764), "Changed");
  WriteBe16(b.ext, 0, ExtChecksum(b.ext));
  WriteBe16(b.ext2, 0, ExtChecksum(b.ext2));
  WriteBe16(b.sysinfo, 180, ExtChecksum(b.ext));
  WriteBe16(b.sysinfo, 204, ExtChecksum(b.ext2));

  const auto report = CompareOsSets(View(a), View(b));
  ASSERT_TRUE(report.ok());
  ASSERT_EQ(report->gmBanks.size(), 2u);
  EXPECT_TRUE(report->gmBanks[0].programs.empty());
  std::vector<int> changed;
  for (const ProgramChange& p : report->gmBanks[1].programs) changed.push_back(p.number);
  EXPECT_EQ(changed, (std::vector<int>{57, 58, 100}));
  EXPECT_EQ(report->gmBanks[1].programs.back().nameB, "Changed");
  EXPECT_EQ(report->otherRangeCount, 0u);
  EXPECT_TRUE(report->checksumsA.ok());
  EXPECT_TRUE(report->checksumsB.ok());
  EXPECT_EQ(report->checksumsB.ext.size(), 2u);
}

}  // namespace
}  // namespace zentavour
