#include "core/programs/program_pack.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "core/samples/sample_pcg_files.h"

namespace zentavour {
namespace {

// The value of byte i of packed record n in a traced bank, which tells where each byte went.
std::uint8_t Traced(std::size_t n, std::size_t i) {
  return static_cast<std::uint8_t>(n + i * 7);
}

struct FormatCase {
  RecordFormat format;
  std::size_t groups, modelSize;
};

// The packed record byte a slot byte holds in the format, or none where the format has no byte.
std::optional<std::size_t> RecordByteOf(const FormatCase& c, std::size_t at) {
  const std::size_t groupsEnd = 19 + 24 * c.groups, modelAt = c.modelSize == 12 ? 195 : 207;
  const std::size_t fixedAt = 16 + 24 * c.groups, commonAt = fixedAt + 56 + c.modelSize;
  if (at >= 2 && at < 18) return at - 2;  // the name
  if (at >= 19 && at < groupsEnd) return 16 + at - 19;
  if (at >= 139 && at < 195) return fixedAt + at - 139;
  if (at >= modelAt && at < modelAt + c.modelSize) return fixedAt + 56 + at - modelAt;
  if (at >= 491 && at < 825) return commonAt + at - 491;  // common and oscillator blocks
  return std::nullopt;
}

TEST(ProgramPackTest, UnpackPlacesEveryBlockOfEveryFormatAndPackIsItsInverse) {
  const FormatCase cases[] = {
      {RecordFormat::Orvane, 5, 12},   {RecordFormat::OrvaneMi, 1, 12},
      {RecordFormat::Ossik, 5, 276},   {RecordFormat::OrvaneSaloneOs, 5, 12},
      {RecordFormat::OssikV2, 5, 276}, {RecordFormat::OssikOs, 5, 284},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.format));
    const std::size_t recordSize = RecordFormatTable(c.format).programRecordSize;
    ASSERT_EQ(recordSize, 16 + 24 * c.groups + 56 + c.modelSize + 26 + 308 + 2);  // 2-byte tail
    Bytes packed(10 + 128 * recordSize, 0xAB);
    for (std::size_t n = 0; n < 128; ++n)
      for (std::size_t i = 0; i < recordSize; ++i) packed[10 + n * recordSize + i] = Traced(n, i);
    // Unpacked over a bank of 0xEE bytes: the carried bytes land, the others stay.
    auto bank = std::make_unique<ProgramBank>();
    for (ProgramSlot& slot : *bank) slot.bytes.fill(0xEE);
    ASSERT_EQ(UnpackProgramBank(packed, *bank, c.format, 10), packed.size());
    for (std::size_t n : {0u, 1u, 77u, 127u}) {
      const ProgramSlot& slot = (*bank)[n];
      EXPECT_EQ(slot.number(), static_cast<int>(n));
      for (std::size_t at = 2; at < ProgramSlot::kSize; ++at) {
        const std::optional<std::size_t> from = RecordByteOf(c, at);
        const std::uint8_t expected = from ? Traced(n, *from) : at == 18 ? 0 : 0xEE;
        ASSERT_EQ(slot.bytes[at], expected) << "program " << n << " slot byte " << at;
      }
    }
    // Packed again: the same records, their tails zeroed, and nothing before the start.
    Bytes expected = packed;
    for (std::size_t n = 1; n <= 128; ++n) WriteBe16(expected, 8 + n * recordSize, 0);
    Bytes repacked(packed.size(), 0xAB);
    ASSERT_EQ(PackProgramBankAs(repacked, c.format, *bank, 10), packed.size());
    EXPECT_EQ(repacked, expected);
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
    // The widened model block: slot bytes 207-384, two zeros, 385-482, then a fixed ending.
    for (std::size_t r : {0u, 99u, 127u}) {
      const auto& slot = (*source)[r].bytes;
      Bytes model(slot.begin() + 207, slot.begin() + 385);
      model.insert(model.end(), {0, 0});
      model.insert(model.end(), slot.begin() + 385, slot.begin() + 483);
      model.insert(model.end(), {0, 0, 0, 0, 0x80, 0});
      const auto at = packed.begin() + static_cast<std::ptrdiff_t>(r * 812 + 16 + 5 * 24 + 56);
      EXPECT_EQ(Bytes(at, at + 284), model) << r;
      EXPECT_EQ(at[284], slot[491]) << r;  // the common block right after
    }
  }
}

TEST(ProgramPackTest, RefusesWithoutRoomOrFormat) {
  const auto source = std::make_unique<ProgramBank>(SampleProgramBank(0));
  // One byte short once the start is counted, and a code without a GM format (an OS image's).
  Bytes room(PackedBankSize(RecordFormat::Orvane), 0x5A);
  EXPECT_EQ(PackProgramBank(room, 1, *source, 1), 1u);
  EXPECT_EQ(PackProgramBank(room, 4, *source, 0), 0u);
  EXPECT_EQ(std::count(room.begin(), room.end(), 0x5A), static_cast<std::ptrdiff_t>(room.size()));
  const Bytes tooShort(PackedBankSize(RecordFormat::Orvane) - 1, 0x11);
  EXPECT_EQ(UnpackProgramBank(tooShort, *source, RecordFormat::Orvane, 0), 0u);
  EXPECT_EQ((*source)[0].name(), SampleProgramBank(0)[0].name());
}

}  // namespace
}  // namespace zentavour
