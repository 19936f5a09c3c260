#include "core/pcg/gm_transfer.h"

#include <gtest/gtest.h>

#include "core/osfiles/os_image_layout.h"
#include "core/programs/program_pack.h"
#include "core/samples/sample_pcg_files.h"
#include "support/temp_dir.h"

namespace zentavour {
namespace {

using M = WorkstationModel;

// An open OS file set of the model whose images are filled with one byte value.
OsFileSet OpenSet(M model, std::uint8_t fill = 0x77) {
  OsFileSet set;
  set.model = model;
  set.ExtImage.assign(ModelInfo(model).extImageSize, fill);
  if (ModelInfo(model).hasSecondExt()) set.Ext2Image.assign(ModelInfo(model).extImageSize, fill);
  return set;
}

PcgIndex SampleIndex(int code) {
  Result<PcgIndex> index = IndexPcgBytes(BuildSamplePcgFile(code).bytes);
  EXPECT_TRUE(index.ok());
  return std::move(*index);
}

TEST(GmTransferTest, SourceEntriesStandForTheirIndexSlots) {
  // Banks B, A, D, a repeat of B, then a bank cut off by the file's end.
  Bytes inner;
  for (int bank : {1, 0, 3, 1})
    inner = Concat({inner, PcgBankChunk("PBK1", static_cast<std::uint32_t>(bank), 540,
                                        SampleProgramRecords(RecordFormat::Orvane, bank))});
  inner = Concat({inner, PcgBankChunk("PBK1", 2, 540, Bytes(100, 0))});
  Result<PcgIndex> index = IndexPcgBytes(PcgFileBytes('P', PcgChunk("PRG1", inner)));
  ASSERT_TRUE(index.ok());
  const auto entries = TransferSourceEntries(*index);
  ASSERT_EQ(entries.size(), 3u);
  const std::pair<std::string, int> expected[] = {{"A", 1}, {"D", 2}, {"B", 3}};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(std::pair(entries[i].label, entries[i].slot), expected[i]);

  OsFileSet set = OpenSet(M::Orvane);
  ASSERT_TRUE(TransferProgramBankToGm(set, *index, entries[1].slot, 1).ok());
  EXPECT_EQ((*set.gmBank1)[10].name(), SampleProgramBank(3)[10].name());
}

TEST(GmTransferTest, WritesTheGmBankOfEachModelAndRefreshesItInMemory) {
  struct Case {
    M model;
    int code, gmBank;
  };
  const Case cases[] = {{M::Orvane, 1, 1}, {M::Orvane, 1, 2}, {M::OrvaneMi, 2, 1},
                        {M::Ossik, 3, 1},  {M::Ossik, 5, 2},  {M::OrvaneSalone, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(ModelCode(c.model) * 10 + c.gmBank);
    const PcgIndex index = SampleIndex(c.code);
    OsFileSet set = OpenSet(c.model);
    const Bytes ext = set.ExtImage, ext2 = set.Ext2Image;
    const int bankNumber = index.programBanks.numbers[1];  // B, or A in the Ossik sample
    const Status status = TransferProgramBankToGm(set, index, 1, c.gmBank);
    ASSERT_TRUE(status.ok()) << status.failure().text;

    const GmBankOffsetEntry& gm = GmBankOffsetTable(c.model);
    const std::size_t offset = c.gmBank == 1 ? gm.bank1Offset : *gm.bank2Offset;
    const std::size_t size = PackedBankSize(gm.format);
    const auto [first, last] = testing::ChangedRange(ext, set.ExtImage);
    EXPECT_EQ(first, offset);
    EXPECT_LE(last, offset + size);
    EXPECT_EQ(set.Ext2Image, ext2);

    Bytes packed(size);
    ASSERT_EQ(PackProgramBank(packed, c.code, SampleProgramBank(bankNumber), 0), size);
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), set.ExtImage.begin() + offset));
    const ProgramBank& gmBank = c.gmBank == 1 ? *set.gmBank1 : *set.gmBank2;
    EXPECT_EQ(gmBank[127].name(), SampleProgramBank(bankNumber)[127].name());
  }
}

TEST(GmTransferTest, SaloneSecondBankIsSplitAcrossBothImages) {
  const PcgIndex index = SampleIndex(1);
  OsFileSet set = OpenSet(M::OrvaneSalone, 0x77);
  const Bytes ext = set.ExtImage, ext2 = set.Ext2Image;
  ASSERT_TRUE(TransferProgramBankToGm(set, index, 4, 2).ok());

  Bytes packed(69120);
  ASSERT_EQ(PackProgramBank(packed, 1, (*index.programs)[4], 0), packed.size());
  // The last 31,764 bytes of the first image, then bytes 2 to 37,357 of the second.
  EXPECT_TRUE(std::equal(packed.begin(), packed.begin() + 31764, set.ExtImage.begin() + 1197038));
  EXPECT_TRUE(std::equal(packed.begin() + 31764, packed.end(), set.Ext2Image.begin() + 2));
  EXPECT_TRUE(std::equal(ext.begin(), ext.begin() + 1197038, set.ExtImage.begin()));
  EXPECT_TRUE(std::equal(ext2.begin() + 37358, ext2.end(), set.Ext2Image.begin() + 37358));
  EXPECT_EQ((*set.gmBank2)[127].name(), SampleProgramBank(4)[127].name());
}

TEST(GmTransferTest, RefusedTransfersChangeNothing) {
  const PcgIndex orvane = SampleIndex(1);
  struct Case {
    const char* what;
    M model;
    const PcgIndex* index;
    int slot, gmBank;
    std::string_view text;
  };
  const Case cases[] = {
      {"no such entry", M::Orvane, &orvane, 5, 1, kNoProgramBanksToTransferText},
      {"model does not fit", M::Ossik, &orvane, 0, 1, kTransferDoesNotFitText},
      {"no GM bank 2", M::OrvaneMi, nullptr, 0, 2, kTransferNoGmBankText},
      {"no OS files", M::None, &orvane, 0, 1, kTransferNoOsFilesText},
  };
  const PcgIndex mi = SampleIndex(2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OsFileSet set = c.model == M::None ? OsFileSet{} : OpenSet(c.model);
    const Bytes ext = set.ExtImage;
    const std::string gmName = (*set.gmBank1)[0].name();
    const Status status = TransferProgramBankToGm(set, c.index ? *c.index : mi, c.slot, c.gmBank);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.failure().text, c.text);
    EXPECT_EQ(set.ExtImage, ext);
    EXPECT_EQ((*set.gmBank1)[0].name(), gmName);
  }

  // Images shorter than the model's (never loaded whole) are refused rather than overrun.
  OsFileSet shortSet = OpenSet(M::OrvaneSalone);
  shortSet.Ext2Image.resize(1000);
  const Bytes before = shortSet.ExtImage;
  const Status status = TransferProgramBankToGm(shortSet, orvane, 0, 2);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.failure().caption, "File Error");
  EXPECT_EQ(shortSet.ExtImage, before);
}

}  // namespace
}  // namespace zentavour
