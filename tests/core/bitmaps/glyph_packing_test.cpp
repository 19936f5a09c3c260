#include <gtest/gtest.h>

#include <vector>

#include "core/bitmaps/glyph_record.h"
#include "core/bitmaps/glyph_work_set.h"
#include "core/bitmaps/graphic_packing.h"

namespace zentavour {
namespace {

GlyphRecord Record(std::uint8_t width, std::vector<std::uint8_t> pixels) {
  GlyphRecord record;
  record.bytes[0] = width;
  for (std::size_t i = 0; i < pixels.size(); ++i) record.bytes[1 + i] = pixels[i];
  return record;
}

TEST(GlyphPackingTest, UnpackPlacesBitsMostSignificantFirstAndClearsTheRest) {
  PixelGrid grid;
  grid.set(50, 100, 1);  // stale ink from an earlier glyph
  const int width = UnpackGlyph(Record(12, {0x80, 0x10, 0x01, 0xF0}), 2, grid);
  EXPECT_EQ(width, 12);
  EXPECT_EQ(grid.at(0, 0), 1);
  EXPECT_EQ(grid.at(0, 11), 1);  // bit 4 of byte 1
  EXPECT_EQ(grid.at(1, 7), 1);
  for (int c = 8; c < 12; ++c) EXPECT_EQ(grid.at(1, c), 1);
  EXPECT_EQ(grid.at(50, 100), 0);
  int ink = 0;
  for (int r = 0; r < PixelGrid::kRows; ++r)
    for (int c = 0; c < PixelGrid::kColumns; ++c) ink += grid.at(r, c);
  EXPECT_EQ(ink, 7);
}

// Width changes move every row's bytes: the row length comes from the width at packing time.
TEST(GlyphPackingTest, RowLengthFollowsTheWidthAtPackingTime) {
  struct Case {
    int openWidth, packWidth;
    std::vector<std::uint8_t> packed;  // pixel bytes expected for rows 0..2
  };
  // Rows: row r has ink in column r and in column 8 + r and in column 16 + r.
  const Case cases[] = {
      {8, 8, {0x80, 0x40, 0x20}},
      {8, 9, {0x80, 0x80, 0x40, 0x40, 0x20, 0x20}},
      {16, 16, {0x80, 0x80, 0x40, 0x40, 0x20, 0x20}},
      {16, 17, {0x80, 0x80, 0x80, 0x40, 0x40, 0x40, 0x20, 0x20, 0x20}},
      {24, 24, {0x80, 0x80, 0x80, 0x40, 0x40, 0x40, 0x20, 0x20, 0x20}},
      {30, 0, {0x80, 0x40, 0x20}},
  };
  for (const Case& c : cases) {
    PixelGrid grid;
    for (int r = 0; r < 3; ++r)
      for (int k = 0; k < 3; ++k) grid.set(r, 8 * k + r, 1);
    GlyphRecord record;
    record.bytes.fill(0xEE);  // every byte is rewritten
    PackGlyph(record, c.packWidth, 3, grid);
    EXPECT_EQ(record.width(), c.packWidth);
    GlyphRecord expected = Record(static_cast<std::uint8_t>(c.packWidth), c.packed);
    EXPECT_EQ(record, expected) << c.openWidth << " -> " << c.packWidth;
  }
}

TEST(GlyphPackingTest, HiddenColumnsSurviveARoundTrip) {
  // Width 5: columns 5 to 7 are not shown but hold ink in the table.
  const GlyphRecord original = Record(5, {0x07, 0xFF, 0x05, 0x00, 0x81});
  PixelGrid grid;
  const int width = UnpackGlyph(original, 5, grid);
  GlyphRecord packed;
  PackGlyph(packed, width, 5, grid);
  EXPECT_EQ(packed, original);
}

TEST(GlyphPackingTest, TallWideGlyphStopsAtTheRecordsEnd) {
  // 19 rows of 3 bytes fill exactly the 57 pixel bytes; more rows are dropped, never overrun.
  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 30, 24);
  GlyphRecord record;
  PackGlyph(record, 20, 30, grid);
  for (int i = 1; i < kGlyphRecordSize; ++i) EXPECT_EQ(record.bytes[i], 0xFF) << i;
  PixelGrid back;
  UnpackGlyph(record, 30, back);
  EXPECT_EQ(back.at(18, 23), 1);
  EXPECT_EQ(back.at(19, 0), 0);
}

// A tiny EXT image holding the font tables of one model.
Bytes ImageFor(WorkstationModel model, FontSlot slot) {
  const auto entry = *FontSlotTable(model, slot);
  Bytes image(entry.offset + entry.tableSize() + 16, 0xAA);
  return image;
}

TEST(GlyphWorkSetTest, LoadsTheSlotsStrideAndZeroesTheRest) {
  Bytes image = ImageFor(WorkstationModel::Ossik, FontSlot::Small);  // 7 bytes per glyph
  const auto entry = *FontSlotTable(WorkstationModel::Ossik, FontSlot::Small);
  for (int k = 0; k < kGlyphCount; ++k) image[entry.offset + 7 * k] = static_cast<std::uint8_t>(k);
  const auto glyphs = LoadGlyphWorkSet(image, WorkstationModel::Ossik, FontSlot::Small);
  ASSERT_TRUE(glyphs.ok());
  EXPECT_EQ((*glyphs)[94].width(), 94);
  EXPECT_EQ((*glyphs)[94].bytes[6], 0xAA);
  EXPECT_EQ((*glyphs)[94].bytes[7], 0);
}

TEST(GlyphWorkSetTest, StoreWritesOnlyTheTableAndCutsWideGlyphs) {
  // An Orvane small glyph (8 rows, 9 bytes) made 12 pixels wide keeps its top 4 rows.
  Bytes image = ImageFor(WorkstationModel::Orvane, FontSlot::Small);
  const Bytes before = image;
  const auto entry = *FontSlotTable(WorkstationModel::Orvane, FontSlot::Small);
  GlyphWorkSet glyphs{};
  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 8, 12);
  for (auto& glyph : glyphs) PackGlyph(glyph, 12, 8, grid);
  ASSERT_TRUE(StoreGlyphWorkSet(glyphs, image, WorkstationModel::Orvane, FontSlot::Small).ok());
  for (std::size_t i = 0; i < image.size(); ++i) {
    const bool inTable = i >= entry.offset && i < entry.offset + entry.tableSize();
    if (!inTable) {
      ASSERT_EQ(image[i], before[i]) << i;
    } else {
      const std::size_t inGlyph = (i - entry.offset) % 9;
      ASSERT_EQ(image[i], inGlyph == 0 ? 12 : (inGlyph % 2 ? 0xFF : 0xF0)) << i;
    }
  }
}

TEST(GlyphWorkSetTest, RefusesMissingFontsAndShortImages) {
  Bytes image = ImageFor(WorkstationModel::Orvane, FontSlot::Large);
  GlyphWorkSet glyphs{};
  EXPECT_FALSE(LoadGlyphWorkSet(image, WorkstationModel::OrvaneMi, FontSlot::Small).ok());
  EXPECT_FALSE(LoadGlyphWorkSet(image, WorkstationModel::OrvaneSalone, FontSlot::Bold).ok());
  const auto entry = *FontSlotTable(WorkstationModel::Orvane, FontSlot::Large);
  image.resize(entry.offset + entry.tableSize() - 1);
  const Bytes before = image;
  EXPECT_FALSE(LoadGlyphWorkSet(image, WorkstationModel::Orvane, FontSlot::Large).ok());
  EXPECT_FALSE(StoreGlyphWorkSet(glyphs, image, WorkstationModel::Orvane, FontSlot::Large).ok());
  EXPECT_EQ(image, before);
}

TEST(GraphicPackingTest, RoundTripWritesExactlyTheGraphicsBytes) {
  const GraphicTarget target{10, 36, 3};
  Bytes image(10 + 36 * 3 + 1, 0x5A);
  for (std::size_t i = 10; i < 10 + 36 * 3; ++i) image[i] = static_cast<std::uint8_t>(i * 37);
  const Bytes original = image;
  PixelGrid grid;
  ASSERT_TRUE(UnpackGraphic(image, target, grid).ok());
  EXPECT_EQ(grid.at(0, 0), (original[10] >> 7) & 1);
  EXPECT_EQ(grid.at(2, 287), original[10 + 36 * 3 - 1] & 1);

  std::fill(image.begin() + 10, image.begin() + 10 + 36 * 3, 0);
  grid.set(3, 0, 1);  // below the graphic: not packed
  ASSERT_TRUE(PackGraphic(grid, image, target).ok());
  EXPECT_EQ(image, original);
}

TEST(GraphicPackingTest, EmptyTargetPacksNothingAndOversizedTargetsAreRefused) {
  Bytes image(100, 0x11);
  const Bytes before = image;
  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 125, 288);
  EXPECT_TRUE(PackGraphic(grid, image, GraphicTarget{0, 0, 0}).ok());
  EXPECT_TRUE(UnpackGraphic(image, GraphicTarget{0, 0, 0}, grid).ok());
  EXPECT_EQ(grid.at(0, 0), 0);  // an empty graphic opens a blank grid
  const GraphicTarget outside[] = {{90, 11, 1}, {0, 37, 1}, {0, 1, 126}, {0, -1, 1}};
  for (const auto& target : outside) {
    EXPECT_FALSE(PackGraphic(grid, image, target).ok());
    EXPECT_FALSE(UnpackGraphic(image, target, grid).ok());
  }
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace zentavour
