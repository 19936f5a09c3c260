#include "core/bitmaps/font_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/bitmaps/glyph_edits.h"
#include "core/samples/sample_os_files.h"

namespace zentavour {
namespace {

InkPicture InkOf(const SheetPicture& sheet) {
  InkPicture ink{sheet.width, sheet.height, {}};
  for (SheetShade shade : sheet.pixels) ink.ink.push_back(shade == SheetShade::Ink ? 1 : 0);
  return ink;
}

void Paint(InkPicture& sheet, int left, int top, int size, bool ink) {
  for (int y = top; y < top + size; ++y)
    for (int x = left; x < left + size; ++x)
      sheet.ink[static_cast<std::size_t>(y * sheet.width + x)] = ink ? 1 : 0;
}

TEST(FontSheetTest, ASheetReadsBackByteIdenticalAndEditsLandWhereDrawn) {
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    SampleOsFiles sample = BuildSampleOsFiles(info.model);
    for (int s = 0; s < 4; ++s) {
      const auto slot = static_cast<FontSlot>(s);
      const auto entry = FontSlotTable(info.model, slot);
      if (!entry) continue;
      SCOPED_TRACE(std::string(info.name) + " slot " + std::to_string(s));
      // Hidden bits right of the width and bytes past the rows survive an unchanged glyph.
      for (std::size_t k = 0; k < 95; k += 7) {
        const std::size_t at = entry->offset + k * static_cast<std::size_t>(entry->bytesPerGlyph);
        sample.ext[at + static_cast<std::size_t>(GlyphBytesPerRow(sample.ext[at]))] |= 0x01;
        sample.ext[at + static_cast<std::size_t>(entry->bytesPerGlyph) - 1] ^= 0xA5;
      }
      const auto glyphs = LoadGlyphWorkSet(sample.ext, info.model, slot);
      ASSERT_TRUE(glyphs.ok());
      InkPicture sheet = InkOf(DrawFontSheet(*glyphs, *entry));
      const auto same = ReadFontSheet(sheet, *glyphs, *entry);
      ASSERT_TRUE(same.ok()) << same.failure().text;
      EXPECT_TRUE(*same == *glyphs);

      // 'A' (glyph 32) gets ink top left and a width of 3 from its marks.
      const FontSheetLayout layout = FontSheetLayoutFor(*entry);
      constexpr int kS = FontSheetLayout::kScale;
      Paint(sheet, layout.glyphLeft(32), layout.glyphTop(32), kS, true);
      for (int c = 0; c < layout.columns; ++c)
        Paint(sheet, layout.glyphLeft(32) + c * kS, layout.barTop(32), kS - 1, c < 3);
      const auto edited = ReadFontSheet(sheet, *glyphs, *entry);
      ASSERT_TRUE(edited.ok());
      PixelGrid grid;
      EXPECT_EQ(UnpackGlyph((*edited)[32], entry->rows, grid), 3);
      EXPECT_EQ(grid.at(0, 0), 1);
      GlyphWorkSet others = *edited;
      others[32] = (*glyphs)[32];
      EXPECT_TRUE(others == *glyphs);

      sheet.width -= 1;
      const auto refused = ReadFontSheet(sheet, *glyphs, *entry);
      ASSERT_FALSE(refused.ok());
      EXPECT_EQ(refused.failure().caption, "File Error");
    }
  }
}

// The clipboard comes from anywhere: what is not whole copied glyphs is refused.
TEST(GlyphClipboardTest, CopiedGlyphsDecodeAndDamagedOnesAreRefused) {
  GlyphWorkSet glyphs{};
  glyphs[32].bytes[0] = 7;
  const Bytes bytes = EncodeCopiedGlyphs(CopyGlyphs(glyphs, {32, 94}), 12);
  const auto back = DecodeCopiedGlyphs(bytes);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ((*back)[0].code, 'A');
  EXPECT_TRUE((*back)[0].record == glyphs[32]);
  Bytes badCode = bytes, cut = bytes, badSignature = bytes;
  badCode[6] = 200;
  cut.pop_back();
  badSignature[0] = 'X';
  for (const Bytes& bad : {badCode, cut, badSignature, Bytes{}})
    EXPECT_FALSE(DecodeCopiedGlyphs(bad).ok());
}

// Pasted glyphs land from the selected character on, whatever their codes, and end at the last
// character; a glyph from a larger slot keeps what the smaller one stores: its first bytes.
TEST(GlyphClipboardTest, PasteLandsFromTheSelectedCharacterAndTheSlotCutsWhatDoesNotFit) {
  SampleOsFiles sample = BuildSampleOsFiles(WorkstationModel::Orvane);
  const auto large = LoadGlyphWorkSet(sample.ext, WorkstationModel::Orvane, FontSlot::Large);
  const auto medium = LoadGlyphWorkSet(sample.ext, WorkstationModel::Orvane, FontSlot::Medium);
  ASSERT_TRUE(large.ok() && medium.ok());
  const FontSlotEntry slot = *FontSlotTable(WorkstationModel::Orvane, FontSlot::Medium);
  const std::vector<CopiedGlyph> ab = CopyGlyphs(*large, {32, 33});  // 'A', 'B'
  struct Case {
    std::vector<CopiedGlyph> copied;
    int first;
    std::vector<int> changed;
  };
  const Case cases[] = {
      {{ab[0]}, 48, {48}},  // 'A' onto 'Q'
      {ab, 48, {48, 49}},   // two onto 'Q' and 'R'
      {ab, 94, {94}},       // cut at the end of the font
      {ab, 95, {}},         // no character there
      {ab, -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.first);
    GlyphWorkSet glyphs = *medium;
    EXPECT_EQ(PasteGlyphs(glyphs, c.copied, c.first), c.changed);
    Bytes image = sample.ext;
    ASSERT_TRUE(StoreGlyphWorkSet(glyphs, image, WorkstationModel::Orvane, FontSlot::Medium).ok());
    for (int k = 0; k < 95; ++k) {
      const auto at = image.begin() + slot.offset + k * slot.bytesPerGlyph;
      const auto landed = std::find(c.changed.begin(), c.changed.end(), k);
      const GlyphRecord& expected =
          landed == c.changed.end()
              ? (*medium)[static_cast<std::size_t>(k)]
              : c.copied[static_cast<std::size_t>(landed - c.changed.begin())].record;
      EXPECT_TRUE(std::equal(at, at + slot.bytesPerGlyph, expected.bytes.begin())) << k;
    }
  }
}

}  // namespace
}  // namespace zentavour
