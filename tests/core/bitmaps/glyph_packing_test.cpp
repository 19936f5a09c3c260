#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/bitmaps/glyph_record.h"
#include "core/bitmaps/glyph_work_set.h"
#include "core/bitmaps/graphic_packing.h"
#include "core/bitmaps/rendered_glyph.h"

namespace zentavour {
namespace {

GlyphRecord Record(std::uint8_t width, std::vector<std::uint8_t> pixels) {
  GlyphRecord record;
  record.bytes[0] = width;
  std::copy(pixels.begin(), pixels.end(), record.bytes.begin() + 1);
  return record;
}

TEST(GlyphPackingTest, UnpackClearsTheGridAndRoundTripsHiddenColumns) {
  // Width 12 (2 bytes per row); bits most significant first.
  PixelGrid grid;
  grid.set(50, 100, 1);  // stale ink from an earlier glyph
  EXPECT_EQ(UnpackGlyph(Record(12, {0x80, 0x10, 0x01, 0xF0}), 2, grid), 12);
  PixelGrid expected;
  for (auto [r, c] : {std::pair{0, 0}, {0, 11}, {1, 7}, {1, 8}, {1, 9}, {1, 10}, {1, 11}})
    expected.set(r, c, 1);
  EXPECT_EQ(grid, expected);

  // Width 5: columns 5 to 7 are not shown but hold ink in the table.
  const GlyphRecord original = Record(5, {0x07, 0xFF, 0x05, 0x00, 0x81});
  GlyphRecord packed;
  PackGlyph(packed, UnpackGlyph(original, 5, grid), 5, grid);
  EXPECT_EQ(packed, original);
}

// The row length comes from the width at packing time; every byte of the record is rewritten.
TEST(GlyphPackingTest, RowLengthFollowsTheWidthAtPackingTime) {
  PixelGrid grid;  // row r has ink in columns r, 8 + r and 16 + r
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k) grid.set(r, 8 * k + r, 1);
  const std::pair<int, std::vector<std::uint8_t>> cases[] = {
      {8, {0x80, 0x40, 0x20}},
      {9, {0x80, 0x80, 0x40, 0x40, 0x20, 0x20}},
      {17, {0x80, 0x80, 0x80, 0x40, 0x40, 0x40, 0x20, 0x20, 0x20}},
      {0, {0x80, 0x40, 0x20}},
  };
  for (const auto& [width, pixels] : cases) {
    GlyphRecord record;
    record.bytes.fill(0xEE);
    PackGlyph(record, width, 3, grid);
    EXPECT_EQ(record, Record(static_cast<std::uint8_t>(width), pixels)) << width;
  }
  // 19 rows of 3 bytes fill exactly the 57 pixel bytes; more rows are dropped, never overrun.
  ApplyGridOperation(grid, GridOperation::FillAll, 30, 24);
  GlyphRecord full;
  PackGlyph(full, 20, 30, grid);
  EXPECT_EQ(full, Record(20, std::vector<std::uint8_t>(57, 0xFF)));
  UnpackGlyph(full, 30, grid);
  EXPECT_EQ(grid.at(18, 23), 1);
  EXPECT_EQ(grid.at(19, 0), 0);
}

TEST(GlyphWorkSetTest, LoadsTheSlotsStrideAndRefusesMissingFontsAndShortImages) {
  const auto entry = *FontSlotTable(WorkstationModel::Ossik, FontSlot::Small);  // 7 bytes a glyph
  Bytes image(entry.offset + entry.tableSize() + 16, 0xAA);
  for (int k = 0; k < kGlyphCount; ++k) image[entry.offset + 7 * k] = static_cast<std::uint8_t>(k);
  const auto glyphs = LoadGlyphWorkSet(image, WorkstationModel::Ossik, FontSlot::Small);
  ASSERT_TRUE(glyphs.ok());
  EXPECT_EQ((*glyphs)[94], Record(94, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));  // rest zeroed

  EXPECT_FALSE(LoadGlyphWorkSet(image, WorkstationModel::OrvaneSalone, FontSlot::Bold).ok());
  image.resize(image.size() - 17);  // one byte short of the table
  const Bytes before = image;
  EXPECT_FALSE(LoadGlyphWorkSet(image, WorkstationModel::Ossik, FontSlot::Small).ok());
  EXPECT_FALSE(StoreGlyphWorkSet({}, image, WorkstationModel::Ossik, FontSlot::Small).ok());
  EXPECT_EQ(image, before);
}

TEST(GlyphWorkSetTest, StoreWritesOnlyTheTableAndCutsWideGlyphs) {
  // An Orvane small glyph (8 rows, 9 bytes) made 12 pixels wide keeps its top 4 rows.
  const auto entry = *FontSlotTable(WorkstationModel::Orvane, FontSlot::Small);
  Bytes image(entry.offset + entry.tableSize() + 16, 0xAA);
  GlyphWorkSet glyphs{};
  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 8, 12);
  for (auto& glyph : glyphs) PackGlyph(glyph, 12, 8, grid);
  ASSERT_TRUE(StoreGlyphWorkSet(glyphs, image, WorkstationModel::Orvane, FontSlot::Small).ok());
  for (std::size_t i = 0; i < image.size(); ++i) {
    const std::size_t inGlyph = (i - entry.offset) % 9;
    const bool inTable = i >= entry.offset && i < entry.offset + entry.tableSize();
    ASSERT_EQ(image[i], !inTable ? 0xAA : inGlyph == 0 ? 12 : inGlyph % 2 ? 0xFF : 0xF0) << i;
  }
}

TEST(GraphicPackingTest, RoundTripWritesExactlyTheGraphicsBytesAndRefusesOutsideTargets) {
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

  // An empty target packs nothing and opens a blank grid; oversized targets are refused.
  EXPECT_TRUE(PackGraphic(grid, image, GraphicTarget{0, 0, 0}).ok());
  EXPECT_TRUE(UnpackGraphic(image, GraphicTarget{0, 0, 0}, grid).ok());
  EXPECT_EQ(grid, PixelGrid{});
  for (const GraphicTarget& outside :
       {GraphicTarget{111, 9, 1}, {0, 37, 1}, {0, 1, 126}, {0, -1, 1}}) {
    EXPECT_FALSE(PackGraphic(grid, image, outside).ok());
    EXPECT_FALSE(UnpackGraphic(image, outside, grid).ok());
  }
  EXPECT_EQ(image, original);
}

// A rendered cell whose every line holds the given bytes (padding included).
struct Rendering {
  Bytes bits;
  RenderedCharacter character;
};

Rendering Solid(int width, int height, int bytesPerLine, std::uint8_t fill = 0xFF) {
  Rendering r{Bytes(static_cast<std::size_t>(height * bytesPerLine), fill), {}};
  r.character = {width, height, bytesPerLine, r.bits};
  return r;
}

TEST(RenderedGlyphTest, PixelsRightOfTheAdvanceAreClearedAndWideCharactersStayEditable) {
  const std::pair<int, GlyphRecord> cases[] = {
      {5, Record(5, {0xF8, 0xF8})},
      {12, Record(12, {0xFF, 0xF0, 0xFF, 0xF0})},
      {17, Record(17, {0xFF, 0xFF, 0x80, 0xFF, 0xFF, 0x80})},
      {0, {}},
      {31, Record(31, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},  // the widest imported
      {32, {}},                                                // wider than 31: not imported
  };
  for (const auto& [width, expected] : cases)  // 4-byte lines, as a mono image pads them
    EXPECT_EQ(GlyphFromRendering(Solid(width, 2, 4).character, 0), expected) << width;
  // 25 to 31 pixels: the advance is kept, the rows hold the left 24 columns (3 bytes).
  EXPECT_EQ(GlyphFromRendering(Solid(27, 19, 4).character, 0),
            Record(27, std::vector<std::uint8_t>(57, 0xFF)));
}

TEST(RenderedGlyphTest, RowsFromTheAdjustmentUntilTheRecordIsFullNeverPastTheBits) {
  // 10 pixels wide, 40 rows: line l holds l in its first byte.
  Rendering r = Solid(10, 40, 2, 0xC0);
  for (int line = 0; line < 40; ++line) r.bits[static_cast<std::size_t>(2 * line)] = line;
  // The first byte of row 28 is the last that fits.
  EXPECT_EQ(GlyphFromRendering(r.character, 0).bytes[57], 28);
  EXPECT_EQ(GlyphFromRendering(r.character, 40), Record(10, {}));  // past the cell: no ink
  // Negative: the character moves down by blank rows.
  const GlyphRecord down = GlyphFromRendering(r.character, -2);
  EXPECT_EQ(Bytes(down.bytes.begin(), down.bytes.begin() + 9),
            (Bytes{10, 0, 0, 0, 0, 0, 0xC0, 1, 0xC0}));

  // Bits shorter than the cell, or lines narrower than the advance, read as blank.
  Rendering s = Solid(16, 4, 2);
  s.character.bits = ByteView(s.bits).first(3);
  EXPECT_EQ(GlyphFromRendering(s.character, 0), Record(16, {0xFF, 0xFF, 0xFF}));
  s.character = {16, 4, 1, s.bits};
  EXPECT_EQ(GlyphFromRendering(s.character, 0), Record(16, {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF}));
}

TEST(VerticalAdjustmentTest, FirstTwoCharactersAsADecimalNumber) {
  const std::pair<std::string, int> cases[] = {
      {"123", 12}, {"-", 0}, {"", 0}, {"-5", -5}, {"+7", 7}, {"4x", 4}, {"x4", 0}, {"-12", -1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseVerticalAdjustment(text), value) << text;
}

}  // namespace
}  // namespace zentavour
