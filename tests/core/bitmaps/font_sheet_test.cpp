#include "core/bitmaps/font_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/bitmaps/glyph_edits.h"
#include "core/samples/sample_os_files.h"

namespace zentavour {
namespace {

// A sheet is read back by position, so its geometry is a file format: a sheet written by an
// earlier release must still load. Per slot height: 24 columns of cells 104 wide, 16 a row.
TEST(FontSheetTest, EverySlotKeepsTheGeometryOfEarlierReleases) {
  struct Geometry {
    int rows, cellHeight, height, glyphTop17, barTop17;
  };
  const Geometry released[] = {{6, 58, 348, 80, 108},   {7, 62, 372, 84, 116},
                               {8, 66, 396, 88, 124},   {10, 74, 444, 96, 140},
                               {12, 82, 492, 104, 156}, {14, 90, 540, 112, 172},
                               {19, 110, 660, 132, 212}};
  int slots = 0;
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    for (int s = 0; s < 4; ++s) {
      const auto entry = FontSlotTable(info.model, static_cast<FontSlot>(s));
      if (!entry) continue;
      ++slots;
      const FontSheetLayout l = FontSheetLayoutFor(*entry);
      const Geometry* g = std::find_if(std::begin(released), std::end(released),
                                       [&](const Geometry& r) { return r.rows == entry->rows; });
      ASSERT_NE(g, std::end(released)) << entry->rows;
      EXPECT_EQ(std::tuple(l.columns, l.cellWidth, l.cellHeight, l.width, l.height),
                std::tuple(24, 104, g->cellHeight, 1664, g->height))
          << entry->rows;
      EXPECT_EQ(std::tuple(l.glyphLeft(17), l.glyphTop(17), l.barTop(17)),
                std::tuple(108, g->glyphTop17, g->barTop17))
          << entry->rows;
    }
  }
  EXPECT_EQ(slots, 10);
  // A picture of another size is refused.
  const auto entry = *FontSlotTable(WorkstationModel::Ossik, FontSlot::Small);
  const FontSheetLayout l = FontSheetLayoutFor(entry);
  InkPicture narrow{l.width - 1, l.height, std::vector<std::uint8_t>((l.width - 1) * l.height)};
  EXPECT_EQ(ReadFontSheet(narrow, GlyphWorkSet{}, entry).failure().caption, "File Error");
}

// Set Width offers 0 to the widest glyph whose rows fit the slot's record; that is accepted, one
// more is refused and changes nothing.
TEST(GlyphEditsTest, SetWidthTakesTheWidestTheSlotHoldsAndRefusesOneMore) {
  using M = WorkstationModel;
  const std::tuple<M, FontSlot, int> cases[] = {
      {M::Orvane, FontSlot::Small, 8}, {M::Orvane, FontSlot::Medium, 16},
      {M::Orvane, FontSlot::Bold, 8},  {M::Orvane, FontSlot::Large, 24},
      {M::Ossik, FontSlot::Small, 8},  {M::Ossik, FontSlot::Medium, 8},
      {M::Ossik, FontSlot::Bold, 8},   {M::Ossik, FontSlot::Large, 16}};
  for (const auto& [model, slot, widest] : cases) {
    SCOPED_TRACE(widest);
    const FontSlotEntry entry = *FontSlotTable(model, slot);
    SampleOsFiles sample = BuildSampleOsFiles(model);
    GlyphWorkSet glyphs = *LoadGlyphWorkSet(sample.ext, model, slot);
    const GlyphWorkSet before = glyphs;
    const Status refused = SetGlyphWidths(glyphs, {5, 40}, widest + 1, entry);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.failure().caption, "Set Width");
    EXPECT_TRUE(glyphs == before);
    ASSERT_TRUE(SetGlyphWidths(glyphs, {5, 40}, widest, entry).ok());
    EXPECT_EQ(glyphs[40].width(), widest);
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
