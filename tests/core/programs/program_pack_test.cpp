#include "core/programs/program_pack.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/samples/sample_pcg_files.h"

namespace zentavour {
namespace {

constexpr RecordFormat kAllFormats[] = {RecordFormat::Orvane,  RecordFormat::OrvaneMi,
                                        RecordFormat::Ossik,   RecordFormat::OrvaneSaloneOs,
                                        RecordFormat::OssikV2, RecordFormat::OssikOs};

// Slot byte ranges that a format carries (the rest of the slot is not part of its records).
bool CarriedBy(const RecordFormatInfo& info, std::size_t at) {
  if (at < 18) return true;  // number and name
  if (at == 18 || at == 825) return false;
  const std::size_t groupsEnd = 19 + 24 * static_cast<std::size_t>(info.parameterGroups);
  if (at >= 19 && at < 139) return at < groupsEnd;
  if (at >= 139 && at < 195) return true;  // fixed blocks
  if (info.modelBlockSize == 12) {
    if (at >= 195 && at < 207) return true;
    if (at >= 207 && at < 491) return false;
  } else {
    if (at >= 195 && at < 207) return false;
    if (at >= 207 && at < 491) return at < 207 + info.modelBlockSize;
  }
  return true;  // common and oscillator blocks
}

TEST(ProgramPackTest, PackAsIsTheInverseOfUnpackForEveryFormat) {
  const auto source = std::make_unique<ProgramBank>(SampleProgramBank(2));
  for (RecordFormat format : kAllFormats) {
    const RecordFormatInfo& info = RecordFormatTable(format);
    SCOPED_TRACE(static_cast<int>(format));
    Bytes packed(PackedBankSize(format) + 10, 0xAB);
    ASSERT_EQ(PackProgramBankAs(packed, format, *source, 10), packed.size());
    for (std::size_t r = 0; r < 128; ++r) {
      EXPECT_EQ(ReadBe16(packed, 8 + (r + 1) * info.programRecordSize), 0) << r;
    }
    // Unpacking over a bank of 0xEE bytes fills exactly the carried bytes.
    auto unpacked = std::make_unique<ProgramBank>();
    for (ProgramSlot& slot : *unpacked) slot.bytes.fill(0xEE);
    ASSERT_EQ(UnpackProgramBank(packed, *unpacked, format, 10), packed.size());
    for (std::size_t p : {0u, 1u, 64u, 127u}) {
      for (std::size_t at = 0; at < ProgramSlot::kSize; ++at) {
        const std::uint8_t got = (*unpacked)[p].bytes[at];
        if (CarriedBy(info, at)) {
          ASSERT_EQ(got, (*source)[p].bytes[at]) << "program " << p << " slot byte " << at;
        } else if (at != 18) {
          ASSERT_EQ(got, 0xEE) << "program " << p << " slot byte " << at;
        }
      }
      EXPECT_EQ((*unpacked)[p].bytes[18], 0);
    }
    EXPECT_EQ((*unpacked)[1].name(), "Vintage EP Suite");  // all 16 name bytes used
  }
}

TEST(ProgramPackTest, GmPackKeepsOrvaneFormatsAndWidensOssikByteByByte) {
  auto source = std::make_unique<ProgramBank>(SampleProgramBank(1));
  // Mark the widening's seams so a shifted byte is seen.
  for (ProgramSlot& slot : *source)
    slot.bytes[207] = 0xA1, slot.bytes[384] = 0xA2, slot.bytes[385] = 0xA3, slot.bytes[482] = 0xA4;
  for (const auto& [code, output] :
       {std::pair{1, RecordFormat::Orvane}, {2, RecordFormat::OrvaneMi},
        {3, RecordFormat::OssikOs}, {5, RecordFormat::OssikOs}}) {
    SCOPED_TRACE(code);
    ASSERT_EQ(PackedGmFormat(code), output);
    Bytes packed(PackedBankSize(output));
    ASSERT_EQ(PackProgramBank(packed, code, *source, 0), packed.size());
    if (output != RecordFormat::OssikOs) {
      Bytes exact(packed.size());
      (void)PackProgramBankAs(exact, output, *source, 0);
      EXPECT_EQ(packed, exact);
      continue;
    }
    for (std::size_t r : {0u, 99u, 127u}) {
      const std::size_t record = r * 812;
      const std::size_t model = record + 16 + 5 * 24 + 56;
      const auto& slot = (*source)[r].bytes;
      for (std::size_t i = 0; i < 178; ++i) ASSERT_EQ(packed[model + i], slot[207 + i]) << i;
      EXPECT_EQ(ReadBe16(packed, model + 178), 0);
      for (std::size_t i = 0; i < 98; ++i) ASSERT_EQ(packed[model + 180 + i], slot[385 + i]) << i;
      const Bytes end(packed.begin() + static_cast<std::ptrdiff_t>(model + 278),
                      packed.begin() + static_cast<std::ptrdiff_t>(model + 284));
      EXPECT_EQ(end, (Bytes{0, 0, 0, 0, 0x80, 0}));
      EXPECT_EQ(packed[model + 284], slot[491]);  // common block right after
      EXPECT_EQ(ReadBe16(packed, record + 810), 0);
    }
    // Unpacked as format 6 the names, common and oscillator blocks come back unchanged.
    auto back = std::make_unique<ProgramBank>();
    ASSERT_EQ(UnpackProgramBank(packed, *back, output, 0), packed.size());
    for (std::size_t p = 0; p < 128; ++p) {
      EXPECT_EQ((*back)[p].name(), (*source)[p].name());
      for (std::size_t at = 491; at < 825; ++at)
        ASSERT_EQ((*back)[p].bytes[at], (*source)[p].bytes[at]);
    }
  }
}

TEST(ProgramPackTest, RefusesWithoutRoomOrFormat) {
  const auto source = std::make_unique<ProgramBank>(SampleProgramBank(0));
  Bytes tooSmall(PackedBankSize(RecordFormat::Orvane) - 1, 0x5A);
  EXPECT_EQ(PackProgramBank(tooSmall, 1, *source, 0), 0u);
  Bytes room(PackedBankSize(RecordFormat::Orvane), 0x5A);
  EXPECT_EQ(PackProgramBank(room, 1, *source, 1), 1u);
  EXPECT_EQ(PackProgramBank(room, 99, *source, 0), 0u);
  EXPECT_EQ(PackProgramBank(room, 4, *source, 0), 0u);
  EXPECT_EQ(std::count(room.begin(), room.end(), 0x5A), static_cast<std::ptrdiff_t>(room.size()));
  EXPECT_FALSE(PackedGmFormat(6));
}

}  // namespace
}  // namespace zentavour
