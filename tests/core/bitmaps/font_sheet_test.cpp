#include "core/bitmaps/font_sheet.h"
#include "core/bitmaps/glyph_edits.h"

#include <gtest/gtest.h>

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
  GlyphWorkSet pasted{};
  EXPECT_EQ(PasteGlyphs(pasted, *back), (std::vector<int>{32, 94}));
  EXPECT_TRUE(pasted == glyphs);
  Bytes badCode = bytes, cut = bytes, badSignature = bytes;
  badCode[6] = 200;
  cut.pop_back();
  badSignature[0] = 'X';
  for (const Bytes& bad : {badCode, cut, badSignature, Bytes{}})
    EXPECT_FALSE(DecodeCopiedGlyphs(bad).ok());
}

}  // namespace
}  // namespace zentavour
