#include "core/osfiles/gm_bank_reader.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/osfiles/os_image_layout.h"

namespace zentavour {
namespace {

TEST(ReadProgramBank, TheSaloneSecondBankContinuesAfterTheSecondHeader) {
  Bytes ext(1228802), ext2(1228802);
  for (std::size_t i = 0; i < ext.size(); ++i) ext[i] = static_cast<std::uint8_t>(i % 251);
  for (std::size_t i = 0; i < ext2.size(); ++i) ext2[i] = static_cast<std::uint8_t>(i % 241);
  const std::size_t offset = *GmBankOffsetTable(WorkstationModel::OrvaneSalone).bank2Offset;
  auto bank = std::make_unique<ProgramBank>();
  ASSERT_TRUE(ReadProgramBank(ext, ext2, offset, *bank, RecordFormat::OrvaneSaloneOs));

  // Record 58 straddles the seam: 31764 = 58 * 540 + 444, so its first 444 bytes come from the
  // first file and the rest from offset 2 of the second.
  const auto& straddling = (*bank)[58].bytes;
  const std::size_t start = offset + 58 * 540;
  EXPECT_EQ(straddling[2], ext[start]);
  EXPECT_EQ(straddling[491 + 25], ext[start + 229]);  // common block, last byte
  EXPECT_EQ(straddling[671 + 153 - 0], ext2[2 + (538 - 1 - 444)]);  // oscillator 2, last byte
  EXPECT_EQ((*bank)[59].bytes[2], ext2[2 + 96]);    // first byte after the seam record
  EXPECT_EQ((*bank)[127].bytes[2], ext2[2 + 37356 - 540]);
  EXPECT_EQ((*bank)[127].bytes[671 + 153], ext2[2 + 37356 - 3]);

  Bytes shortExt2(2 + 37355);
  EXPECT_FALSE(ReadProgramBank(ext, shortExt2, offset, *bank, RecordFormat::OrvaneSaloneOs));
}

}  // namespace
}  // namespace zentavour
