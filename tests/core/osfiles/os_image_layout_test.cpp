#include "core/osfiles/os_image_layout.h"
#include "core/programs/program_slot.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace zentavour {
namespace {

using M = WorkstationModel;

TEST(ExtChecksum, SumsPayloadBytesModulo65536AndIgnoresTheHeader) {
  Bytes image(1000, 0);
  EXPECT_EQ(ExtChecksum(image), 0x0000);
  image[2] = 0xFF;
  EXPECT_EQ(ExtChecksum(image), 0x00FF);
  image[0] = 0x12;  // the header is never part of its own sum
  image[1] = 0x34;
  EXPECT_EQ(ExtChecksum(image), 0x00FF);
  image.back() = 0x01;
  EXPECT_EQ(ExtChecksum(image), 0x0100);
}

TEST(ExtChecksum, AgreesWithAnIndependentSumOnRandomImagesOfEveryModelSize) {
  std::mt19937 random(7);
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    Bytes image(info.extImageSize);
    for (auto& b : image) b = static_cast<std::uint8_t>(random());
    const std::uint64_t sum = std::accumulate(image.begin() + 2, image.end(), std::uint64_t{0});
    EXPECT_EQ(ExtChecksum(image), static_cast<std::uint16_t>(sum % 65536)) << info.name;
  }
}

TEST(OsImageLayout, FontTablesMatchTheirModelsAndDoNotOverlap) {
  struct Expected {
    M model;
    FontSlot slot;
    int rows, bytes;
    std::uint32_t offset;
  };
  const Expected expected[] = {
      {M::Orvane, FontSlot::Small, 8, 9, 119791},     {M::Orvane, FontSlot::Medium, 10, 21, 120775},
      {M::Orvane, FontSlot::Bold, 14, 25, 131083},    {M::Orvane, FontSlot::Large, 19, 58, 125540},
      {M::Ossik, FontSlot::Small, 6, 7, 75357},       {M::Ossik, FontSlot::Medium, 7, 8, 76254},
      {M::Ossik, FontSlot::Bold, 8, 9, 77323},        {M::Ossik, FontSlot::Large, 12, 25, 78423},
      {M::OrvaneSalone, FontSlot::Small, 8, 9, 311235},
      {M::OrvaneSalone, FontSlot::Medium, 10, 21, 312263},
  };
  for (const Expected& e : expected) {
    const auto entry = FontSlotTable(e.model, e.slot);
    ASSERT_TRUE(entry) << ModelCode(e.model) << "/" << static_cast<int>(e.slot);
    EXPECT_EQ(entry->rows, e.rows);
    EXPECT_EQ(entry->bytesPerGlyph, e.bytes);
    EXPECT_EQ(entry->offset, e.offset);
    EXPECT_LE(entry->bytesPerGlyph, 58);
    EXPECT_LT(entry->offset + entry->tableSize(), ModelInfo(e.model).extImageSize);
  }
  // The large Orvane font's last glyph ends before the bold table.
  EXPECT_EQ(125540u + 95u * 58u - 1u, 131049u);
  EXPECT_LT(FontSlotTable(M::Orvane, FontSlot::Large)->offset + 95u * 58u,
            FontSlotTable(M::Orvane, FontSlot::Bold)->offset);
  for (int s = 0; s < 4; ++s) EXPECT_FALSE(FontSlotTable(M::OrvaneMi, static_cast<FontSlot>(s)));
  EXPECT_FALSE(FontSlotTable(M::OrvaneSalone, FontSlot::Bold));
  EXPECT_FALSE(FontSlotTable(M::OrvaneSalone, FontSlot::Large));
}

TEST(OsImageLayout, StartupGraphicsLieInsideTheImageAndDoNotOverlap) {
  const std::size_t counts[] = {5, 4, 5, 5};
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    const auto items = StartupGraphicTable(info.model);
    ASSERT_EQ(items.size(), counts[ModelCode(info.model) - 1]) << info.name;
    std::uint32_t end = 0;
    for (const StartupGraphicEntry& item : items) {
      if (!item.used()) {
        EXPECT_EQ(item.label, " ");
        continue;
      }
      EXPECT_GE(item.offset, end) << item.label;
      EXPECT_LE(item.bytesPerRow, 36);
      EXPECT_LE(item.rows, 101);
      end = item.offset + item.size();
      EXPECT_LE(end, info.extImageSize);
    }
  }
  const auto salone = StartupGraphicTable(M::OrvaneSalone);
  EXPECT_EQ(salone[0].size(), 3636u);
  EXPECT_EQ(salone[1].offset, 339958u);
  EXPECT_FALSE(salone[2].used());
}

TEST(OsImageLayout, GmBanksAreConsecutiveRecordsOfTheirFormat) {
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    const GmBankOffsetEntry& gm = GmBankOffsetTable(info.model);
    const std::size_t bankSize = PackedBankSize(gm.format);
    if (gm.bank2Offset) {
      EXPECT_EQ(*gm.bank2Offset - gm.bank1Offset, bankSize) << info.name;
    } else {
      EXPECT_EQ(info.model, M::OrvaneMi);
      EXPECT_LE(gm.bank1Offset + bankSize, info.extImageSize);
    }
  }
  // The Salone's second bank crosses into the second EXT file: 31764 bytes here, 37356 there.
  const GmBankOffsetEntry& salone = GmBankOffsetTable(M::OrvaneSalone);
  EXPECT_EQ(1228802u - *salone.bank2Offset, 31764u);
  EXPECT_EQ(PackedBankSize(salone.format) - 31764u, 37356u);
  EXPECT_EQ(GmBankOffsetTable(M::Ossik).format, RecordFormat::OssikOs);
  EXPECT_EQ(RecordFormatTable(RecordFormat::OssikOs).programRecordSize, 812u);
}

TEST(OsImageLayout, ChecksumCopiesInSysinfo) {
  EXPECT_EQ(SysinfoChecksumOffsetsFor(M::Orvane, 0).ext, 94u);
  EXPECT_EQ(SysinfoChecksumOffsetsFor(M::OrvaneMi, 0).ext, 36u);
  EXPECT_EQ(SysinfoChecksumOffsetsFor(M::Ossik, 0).ext, 84u);
  EXPECT_FALSE(SysinfoChecksumOffsetsFor(M::Ossik, 'I').ext2);
  const auto layoutI = SysinfoChecksumOffsetsFor(M::OrvaneSalone, 'I');
  EXPECT_EQ(layoutI.ext, 180u);
  EXPECT_EQ(layoutI.ext2, 204u);
  for (std::uint8_t other : {0x00, 0x48, 0x69, 0xFF}) {  // anything but 'I', even 'i'
    const auto layoutII = SysinfoChecksumOffsetsFor(M::OrvaneSalone, other);
    EXPECT_EQ(layoutII.ext, 84u);
    EXPECT_EQ(layoutII.ext2, 108u);
  }
  EXPECT_EQ(MinimumSysinfoSize(M::Orvane, 0), 96u);
  EXPECT_EQ(MinimumSysinfoSize(M::OrvaneSalone, 'I'), 206u);
  EXPECT_EQ(MinimumSysinfoSize(M::OrvaneSalone, 'x'), 110u);
}

}  // namespace
}  // namespace zentavour
