#include "core/programs/program_slot.h"

#include <gtest/gtest.h>

#include <memory>

namespace zentavour {
namespace {

// A bank of packed records whose every byte tells where it came from: record n, byte i.
Bytes TracedBank(RecordFormat format) {
  const std::size_t size = RecordFormatTable(format).programRecordSize;
  Bytes packed(128 * size);
  for (std::size_t n = 0; n < 128; ++n) {
    for (std::size_t i = 0; i < size; ++i) packed[n * size + i] = static_cast<std::uint8_t>(n + i * 7);
  }
  return packed;
}

// Which slot bytes a format leaves alone is checked byte by byte in program_pack_test.
TEST(UnpackProgramBank, PlacesEveryBlockOfEveryFormat) {
  struct Case {
    RecordFormat format;
    std::size_t groups, modelAt, modelSize;
  };
  const Case cases[] = {
      {RecordFormat::Orvane, 5, 195, 12},         {RecordFormat::OrvaneMi, 1, 195, 12},
      {RecordFormat::Ossik, 5, 207, 276},         {RecordFormat::OrvaneSaloneOs, 5, 195, 12},
      {RecordFormat::OssikV2, 5, 207, 276},       {RecordFormat::OssikOs, 5, 207, 284},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.format));
    const Bytes packed = TracedBank(c.format);
    auto bank = std::make_unique<ProgramBank>();
    for (auto& slot : *bank) slot.bytes.fill(0xEE);
    const std::size_t recordSize = RecordFormatTable(c.format).programRecordSize;
    EXPECT_EQ(UnpackProgramBank(packed, *bank, c.format, 0), 128 * recordSize);

    const auto from = [&](std::size_t n, std::size_t i) { return static_cast<std::uint8_t>(n + i * 7); };
    for (std::size_t n : {std::size_t{0}, std::size_t{77}, std::size_t{127}}) {
      const auto& slot = (*bank)[n].bytes;
      EXPECT_EQ((*bank)[n].number(), static_cast<int>(n));
      const std::size_t fixedAt = 16 + 24 * c.groups;  // fixed blocks follow the groups
      const std::size_t commonAt = fixedAt + 56 + c.modelSize;
      EXPECT_EQ(commonAt, RecordFormatTable(c.format).commonBlockOffset());
      const std::pair<std::size_t, std::size_t> places[] = {  // slot byte, record byte
          {2, 0}, {17, 15}, {18 + 24 * c.groups, fixedAt - 1}, {139, fixedAt}, {194, fixedAt + 55},
          {c.modelAt, fixedAt + 56}, {c.modelAt + c.modelSize - 1, commonAt - 1}, {491, commonAt},
          {517, commonAt + 26}, {824, commonAt + 26 + 307}};
      for (const auto& [at, i] : places) EXPECT_EQ(slot[at], from(n, i)) << at;
      EXPECT_EQ(slot[18], 0);
      EXPECT_EQ(commonAt + 26 + 308 + 2, recordSize);  // then the ignored tail
    }
  }
}

TEST(UnpackProgramBank, AShortBufferIsNotRead) {
  Bytes packed(128 * 540 - 1, 0x11);
  auto bank = std::make_unique<ProgramBank>();
  EXPECT_EQ(UnpackProgramBank(packed, *bank, RecordFormat::Orvane, 0), 0u);
  EXPECT_EQ((*bank)[0].bytes[2], 0);
}

}  // namespace
}  // namespace zentavour
