#include "core/osfiles/os_image_layout.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "core/programs/program_slot.h"

// The expected numbers here are the instrument's own layout, written out by hand: a table that
// drifts from them puts edits at the wrong place in the user's OS files.
namespace zentavour {
namespace {

using M = WorkstationModel;

TEST(ExtChecksum, SumsThePayloadModulo65536AndNeverTheHeader) {
  Bytes image(1000, 0);
  EXPECT_EQ(ExtChecksum(image), 0x0000);
  image[0] = 0x12;  // the header is never part of its own sum
  image[1] = 0x34;
  image[2] = 0xFF;
  image.back() = 0x01;
  EXPECT_EQ(ExtChecksum(image), 0x0100);
  std::mt19937 random(7);
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    Bytes big(info.extImageSize);
    for (auto& b : big) b = static_cast<std::uint8_t>(random());
    const std::uint64_t sum = std::accumulate(big.begin() + 2, big.end(), std::uint64_t{0});
    EXPECT_EQ(ExtChecksum(big), static_cast<std::uint16_t>(sum % 65536)) << info.name;
  }
}

TEST(OsImageLayout, FontTables) {
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
  }
  for (int s = 0; s < 4; ++s) EXPECT_FALSE(FontSlotTable(M::OrvaneMi, static_cast<FontSlot>(s)));
  EXPECT_FALSE(FontSlotTable(M::OrvaneSalone, FontSlot::Bold));
  EXPECT_FALSE(FontSlotTable(M::OrvaneSalone, FontSlot::Large));
}

TEST(OsImageLayout, StartupGraphicTables) {
  struct Expected {
    std::string_view label;
    std::uint32_t offset;
    int bytesPerRow, rows;
  };
  const std::pair<M, std::vector<Expected>> expected[] = {
      {M::Orvane,
       {{"ORVANE", 142978, 36, 49},
        {"ORVANE max", 144742, 36, 38},
        {"ORVANE maxi", 146110, 36, 32},
        {"MUSIC WORKSTATION / SAMPLER", 147262, 36, 15},
        {"VESK", 147840, 11, 28}}},
      {M::OrvaneMi,
       {{"ORVANE", 1820090, 12, 16},
        {"MI", 1820282, 5, 23},
        {"MUSIC WORKSTATION", 1820397, 17, 7},
        {"VESK", 1820516, 7, 19}}},
      {M::Ossik,
       {{"OSSIK", 203594, 24, 22},
        {"MUSIC", 204122, 7, 6},
        {"WORK", 204164, 7, 6},
        {"STATION", 204206, 9, 6},
        {"VESK", 204260, 7, 19}}},
      {M::OrvaneSalone,
       {{"ORVANE SALONE MUSIC WORKSTATION/SAMPLER", 336306, 36, 101},
        {"VESK", 339958, 11, 28},
        {" ", 0, 0, 0},
        {" ", 0, 0, 0},
        {" ", 0, 0, 0}}},
  };
  for (const auto& [model, items] : expected) {
    const auto table = StartupGraphicTable(model);
    ASSERT_EQ(table.size(), items.size()) << ModelCode(model);
    for (std::size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(items[i].label);
      EXPECT_EQ(table[i].label, items[i].label);
      EXPECT_EQ(table[i].offset, items[i].offset);
      EXPECT_EQ(table[i].bytesPerRow, items[i].bytesPerRow);
      EXPECT_EQ(table[i].rows, items[i].rows);
    }
  }
}

TEST(OsImageLayout, GmBankTables) {
  struct Expected {
    M model;
    std::uint32_t bank1;
    std::optional<std::uint32_t> bank2;
    RecordFormat format;
    std::size_t recordSize;
  };
  const Expected expected[] = {
      {M::Orvane, 0xC000A, 0xD0E0A, RecordFormat::Orvane, 540},
      {M::OrvaneMi, 0x2A26EE, std::nullopt, RecordFormat::OrvaneMi, 444},
      {M::Ossik, 0xE2F02, 0xFC502, RecordFormat::OssikOs, 812},
      {M::OrvaneSalone, 0x1135EE, 0x1243EE, RecordFormat::OrvaneSaloneOs, 540},
  };
  for (const Expected& e : expected) {
    const GmBankOffsetEntry& gm = GmBankOffsetTable(e.model);
    EXPECT_EQ(gm.bank1Offset, e.bank1) << ModelCode(e.model);
    EXPECT_EQ(gm.bank2Offset, e.bank2) << ModelCode(e.model);
    EXPECT_EQ(gm.format, e.format) << ModelCode(e.model);
    EXPECT_EQ(RecordFormatTable(gm.format).programRecordSize, e.recordSize) << ModelCode(e.model);
  }
}

// Where each model's copies go is checked on saved files (os_file_set_test); here, the marker.
TEST(OsImageLayout, OnlyTheLetterISelectsTheSaloneLayoutI) {
  EXPECT_EQ(SysinfoChecksumOffsetsFor(M::OrvaneSalone, 'I').ext2, 204u);
  for (std::uint8_t other : {0x00, 0x48, 0x69, 0xFF}) {  // 'i' too
    EXPECT_EQ(SysinfoChecksumOffsetsFor(M::OrvaneSalone, other).ext, 84u) << int(other);
    EXPECT_EQ(MinimumSysinfoSize(M::OrvaneSalone, other), 110u) << int(other);
  }
}

}  // namespace
}  // namespace zentavour
