#include "core/bitmaps/bdf_font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "core/bitmaps/font_sheet.h"
#include "core/samples/sample_os_files.h"

namespace zentavour {
namespace {

using M = WorkstationModel;

Bytes Of(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// Both ways out for a paint program or a font editor, BDF and the PNG sheet, come back whole.
TEST(BdfFontTest, BdfAndSheetExportedThenImportedLeaveEverySlotOfEveryModelByteIdentical) {
  for (const WorkstationModelInfo& info : WorkstationModels()) {
    SampleOsFiles sample = BuildSampleOsFiles(info.model);
    for (int s = 0; s < 4; ++s) {
      const auto slot = static_cast<FontSlot>(s);
      const auto entry = FontSlotTable(info.model, slot);
      if (!entry) continue;
      // Hidden bits right of the width and bytes past the rows are kept too.
      for (std::size_t k = 0; k < 95; k += 7) {
        const std::size_t at = entry->offset + k * static_cast<std::size_t>(entry->bytesPerGlyph);
        sample.ext[at + static_cast<std::size_t>(GlyphBytesPerRow(sample.ext[at]))] |= 0x01;
        sample.ext[at + static_cast<std::size_t>(entry->bytesPerGlyph) - 1] ^= 0xA5;
      }
      const Bytes before = sample.ext;
      const auto glyphs = LoadGlyphWorkSet(before, info.model, slot);
      const auto file = BuildBdfFont(*glyphs, info.model, slot);
      ASSERT_TRUE(file.ok());
      const auto font = ReadBdfFont(*file);
      ASSERT_TRUE(font.ok()) << font.failure().text;
      const BdfImport back = ImportBdfGlyphs(*font, *glyphs, entry->rows);
      EXPECT_EQ(back.adjustment, 0);
      EXPECT_FALSE(back.warning());
      ASSERT_TRUE(StoreGlyphWorkSet(back.glyphs, sample.ext, info.model, slot).ok());
      EXPECT_TRUE(sample.ext == before) << info.name << " slot " << s;

      const SheetPicture sheet = DrawFontSheet(*glyphs, *entry);
      InkPicture ink{sheet.width, sheet.height, {}};
      for (SheetShade shade : sheet.pixels) ink.ink.push_back(shade == SheetShade::Ink);
      const auto read = ReadFontSheet(ink, *glyphs, *entry);
      EXPECT_TRUE(read.ok() && *read == *glyphs) << info.name << " slot " << s;
    }
  }
}

TEST(BdfFontTest, ExportWritesTheShownPixelsOnABaselineFromTheCapitals) {
  GlyphWorkSet glyphs{};
  GlyphRecord& a = glyphs['A' - 33];
  a.bytes = {3, 0xE4, 0xA0, 0xE0};  // 0x04: a hidden pixel right of the width
  const auto file = BuildBdfFont(glyphs, M::Ossik, FontSlot::Small);  // 6 rows
  ASSERT_TRUE(file.ok());
  const std::string text(file->begin(), file->end());
  for (const char* part :
       {"STARTFONT 2.1\n",
        "\nFONT -Zentavour-Ossik Small-Medium-R-Normal--6-60-72-72-P-0-ISO10646-1\n",
        "\nFONTBOUNDINGBOX 3 6 0 -3\n", "\nPIXEL_SIZE 6\n", "\nFONT_ASCENT 3\nFONT_DESCENT 3\n",
        "\nCHARS 95\n",
        "\nSTARTCHAR uni0021\nENCODING 33\nSWIDTH 0 0\nDWIDTH 0 0\nBBX 0 0 0 0\nBITMAP\nENDCHAR\n",
        "\nSTARTCHAR uni0041\nENCODING 65\nSWIDTH 500 0\nDWIDTH 3 0\nBBX 3 6 0 -3\nBITMAP\n"
        "E0\nA0\nE0\n00\n00\n00\nENDCHAR\n",
        "ENDCHAR\nENDFONT\n"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part;
  }
}

// Ascent 4, descent 2. 'A' sits on BBX offsets with a pad bit set, 'B' is too wide to keep, 'C'
// is wider than a glyph row holds, and every other character is missing.
constexpr const char* kHandWritten =
    "STARTFONT 2.1\nCOMMENT hand written\nFONT "
    "-test-Hand-Medium-R-Normal--6-60-75-75-P-40-ISO10646-1\n"
    "SIZE 6 75 75\nFONTBOUNDINGBOX 26 6 0 -2\nSTARTPROPERTIES 2\nFONT_ASCENT 4\nFONT_DESCENT 2\n"
    "ENDPROPERTIES\nCHARS 3\n"
    "STARTCHAR A\nENCODING 65\nSWIDTH 833 0\nDWIDTH 5 0\nBBX 3 2 1 -1\nBITMAP\nE1\na0\nENDCHAR\n"
    "STARTCHAR B\nENCODING 66\nSWIDTH 833 0\nDWIDTH 40 0\nBBX 2 1 0 0\nBITMAP\nC0\nENDCHAR\n"
    "STARTCHAR C\r\nENCODING 67\r\nDWIDTH 26 0\r\nBBX 26 1 0 3\r\nBITMAP\r\nFFFFFFC0\r\nENDCHAR\r\n"
    "ENDFONT\n";

TEST(BdfFontTest, ImportPlacesGlyphsByAscentOffsetsAndAdjustment) {
  const auto font = ReadBdfFont(Of(kHandWritten));
  ASSERT_TRUE(font.ok()) << font.failure().text;
  GlyphWorkSet current{};
  for (GlyphRecord& g : current) g.bytes = {4, 0x90, 0x60};
  // Slot of 8 rows. 'A' covers font rows 3 and 4, columns 1 to 3.
  const struct {
    std::optional<int> adjustment;
    std::size_t firstRow;
  } cases[] = {{2, 1}, {-1, 4}};
  for (const auto& c : cases) {
    const BdfImport imported = ImportBdfGlyphs(*font, current, 8, c.adjustment);
    GlyphRecord a{};
    a.bytes[0] = 5;
    a.bytes[1 + c.firstRow] = 0x70;
    a.bytes[2 + c.firstRow] = 0x50;
    EXPECT_EQ(imported.glyphs['A' - 33], a) << imported.adjustment;
  }
  const BdfImport imported = ImportBdfGlyphs(*font, current, 8);
  EXPECT_EQ(imported.glyphs['B' - 33], GlyphRecord{});
  GlyphRecord wide{};  // 'C' keeps its advance and the 24 pixels a row holds
  wide.bytes = {26, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(imported.glyphs['C' - 33], wide);
  EXPECT_EQ(imported.glyphs[0], current[0]);
  EXPECT_EQ(imported.missingCodes.size(), 92u);
  EXPECT_EQ(imported.tooWideCodes, std::vector<int>{'B'});
  const auto warning = imported.warning();
  ASSERT_TRUE(warning);
  EXPECT_EQ(warning->caption, "Warning");
  EXPECT_NE(warning->text.find("keep their glyphs: 33 (!), 34 (\"),"), std::string::npos);
  EXPECT_NE(warning->text.find("126 (~), 127.\n\n"), std::string::npos);
  EXPECT_NE(warning->text.find("wider than 31 pixels and come in empty: 66 (B)."),
            std::string::npos);
}

// Fonts as other tools write them, kept in tests/data/bdf with the grids each must load as:
// pcf2bdf's blank lines, full-cell boxes and 112 characters; boxes cut to the ink with negative
// offsets, no FONT_ASCENT, unencoded characters; a font taller than the slot.
TEST(BdfFontTest, FontsFromOtherToolsLoadAsTheirGrids) {
  for (const std::string name : {"5x8", "9x15", "6x13-cropped"}) {
    SCOPED_TRACE(name);
    const std::string stem = std::string(ZENTAVOUR_BDF_DATA_DIR) + "/" + name;
    const auto font = LoadBdfFile(stem + ".bdf");
    ASSERT_TRUE(font.ok()) << font.failure().text;
    std::ifstream grids(stem + ".grids");
    std::string line;
    while (std::getline(grids, line) && line[0] == '#') {
    }
    int rows = 0, adjustment = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "rows %d adjustment %d", &rows, &adjustment), 2);
    const BdfImport imported = ImportBdfGlyphs(*font, GlyphWorkSet{}, rows);
    EXPECT_EQ(imported.adjustment, adjustment);
    EXPECT_EQ(imported.missingCodes, std::vector<int>{127});
    int code = 0, width = 0;
    while (grids >> code >> width) {
      std::string expected, shown;
      PixelGrid grid;
      EXPECT_EQ(UnpackGlyph(imported.glyphs[static_cast<std::size_t>(code - 33)], rows, grid),
                width);
      for (int r = 0; r < rows; ++r) {
        grids >> line;
        expected += line + "\n";
        for (int c = 0; c < width; ++c) shown += grid.at(r, c) ? '#' : '.';
        shown += '\n';
      }
      EXPECT_EQ(shown, expected) << code;
    }
  }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(BdfFontTest, MalformedFilesAreRefusedWithTheLineAtFault) {
  const std::string good = kHandWritten;
  const std::string longLine = "COMMENT " + std::string(kBdfMaxLineLength, 'x') + "\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", "Line 1: the file is empty."},
      {Replaced(good, "a0\n", "a00\n"),
       "Line 18: a bitmap row of 3 hex digits where BBX width 3 needs 2."},
      {Replaced(good, "CHARS 3", "CHARS 2"), "Line 28: CHARS says 2 characters, more follow."},
      {Replaced(good, "STARTPROPERTIES 2", "STARTPROPERTIES 1"),
       "Line 8: STARTPROPERTIES says 1, more properties follow."},
      {Replaced(good, "BBX 3 2 1 -1", "BBX 3000000 2 1 -1"),
       "Line 15: BBX 3000000 is outside 0 to 512."},
      {Replaced(good, "DWIDTH 5 0", "DWIDTH five 0"),
       "Line 14: DWIDTH has \"five\" where a number belongs."},
      {Replaced(good, "FONTBOUNDINGBOX 26 6 0 -2\n", ""), "Line 9: FONTBOUNDINGBOX is missing."},
      {good.substr(0, good.find("E1\n")), "Line 16: the file ends inside a BITMAP."},
      {Replaced(good, "COMMENT hand written\n", longLine),
       "Line 2: the line is longer than 4096 characters."},
  };
  for (const auto& [file, message] : cases) {
    const auto font = ReadBdfFont(Of(file));
    ASSERT_FALSE(font.ok()) << message;
    EXPECT_EQ(font.failure(), FileError(std::string(kBdfInvalidText) + "\n\n" + message));
  }
  EXPECT_EQ(ReadBdfFont(Bytes(kBdfMaxFileSize + 1, ' ')).failure(),
            FileError(std::string(kBdfInvalidText) + "\n\nIt is larger than 32 MB."));
}

}  // namespace
}  // namespace zentavour
