#include "core/bitmaps/rendered_glyph.h"

#include <gtest/gtest.h>

#include <string>

namespace zentavour {
namespace {

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

TEST(RenderedGlyphTest, PixelsRightOfTheAdvanceAreCleared) {
  const std::pair<int, Bytes> cases[] = {
      {5, {5, 0xF8, 0xF8}},
      {8, {8, 0xFF, 0xFF}},
      {12, {12, 0xFF, 0xF0, 0xFF, 0xF0}},
      {17, {17, 0xFF, 0xFF, 0x80, 0xFF, 0xFF, 0x80}},
  };
  for (const auto& [width, expected] : cases) {
    const Rendering r = Solid(width, 2, 4);  // 4-byte lines, as a mono image pads them
    const GlyphRecord record = GlyphFromRendering(r.character, 0);
    GlyphRecord want;
    std::copy(expected.begin(), expected.end(), want.bytes.begin());
    EXPECT_EQ(record, want) << width;
  }
}

TEST(RenderedGlyphTest, RowsFromTheAdjustmentUntilTheRecordIsFull) {
  // 10 pixels wide, 40 rows: line l holds l in its first byte.
  Rendering r = Solid(10, 40, 2, 0xC0);
  for (int line = 0; line < 40; ++line) r.bits[static_cast<std::size_t>(2 * line)] = line;
  const GlyphRecord record = GlyphFromRendering(r.character, 0);
  EXPECT_EQ(record.width(), 10);
  EXPECT_EQ(record.bytes[1 + 2 * 27], 27);
  EXPECT_EQ(record.bytes[2 + 2 * 27], 0xC0);
  EXPECT_EQ(record.bytes[57], 28);  // the first byte of row 28 is the last that fits

  // Skipping the leading: row 3 becomes the top row.
  EXPECT_EQ(GlyphFromRendering(r.character, 3).bytes[1], 3);
  // Past the cell: width but no ink.
  GlyphRecord empty;
  empty.bytes[0] = 10;
  EXPECT_EQ(GlyphFromRendering(r.character, 40), empty);
  // Negative: the character moves down by blank rows.
  const GlyphRecord down = GlyphFromRendering(r.character, -2);
  EXPECT_EQ(down.bytes[1], 0);
  EXPECT_EQ(down.bytes[4], 0);
  EXPECT_EQ(down.bytes[5], 0);  // line 0 holds 0 in its first byte
  EXPECT_EQ(down.bytes[6], 0xC0);
  EXPECT_EQ(down.bytes[7], 1);
}

TEST(RenderedGlyphTest, WideCharactersStayEditable) {
  // 25 to 31 pixels: the advance is kept, the rows hold the left 24 columns (3 bytes), so the
  // record follows the 3-bytes-per-row rule of widths above 16.
  const GlyphRecord wide = GlyphFromRendering(Solid(27, 19, 4).character, 0);
  EXPECT_EQ(wide.width(), 27);
  ASSERT_EQ(GlyphBytesPerRow(27), 3);
  for (int i = 1; i < kGlyphRecordSize; ++i) EXPECT_EQ(wide.bytes[i], 0xFF) << i;
  // 32 and more: not imported.
  EXPECT_EQ(GlyphFromRendering(Solid(32, 19, 4).character, 0), GlyphRecord{});
  EXPECT_EQ(GlyphFromRendering(Solid(0, 19, 4).character, 0), GlyphRecord{});
}

TEST(RenderedGlyphTest, ShortOrNarrowBitsReadAsBlank) {
  Rendering r = Solid(16, 4, 2);
  r.character.bits = ByteView(r.bits).first(3);  // the rest of the cell is missing
  const GlyphRecord record = GlyphFromRendering(r.character, 0);
  EXPECT_EQ(record.bytes[3], 0xFF);
  EXPECT_EQ(record.bytes[4], 0);
  r.character.bits = r.bits;
  r.character.bytesPerLine = 1;  // lines narrower than the advance
  EXPECT_EQ(GlyphFromRendering(r.character, 0).bytes[2], 0);
}

TEST(VerticalAdjustmentTest, FirstTwoCharactersAsADecimalNumber) {
  const std::pair<std::string, int> cases[] = {
      {"123", 12}, {"-", 0}, {"", 0}, {"-5", -5}, {"+7", 7}, {"4x", 4}, {"x4", 0}, {"-12", -1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseVerticalAdjustment(text), value) << text;
}

}  // namespace
}  // namespace zentavour
