#include "core/bitmaps/bmp_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zentavour {
namespace {

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct BmpFields {
  std::int32_t width = 8;
  std::int32_t height = 1;
  std::uint16_t planes = 1;
  std::uint16_t bitsPerPixel = 1;
  std::uint32_t compression = 0;
  std::optional<std::uint32_t> imageSize;  // default: the pixel data's real size
  std::vector<Bytes> storedRows;           // in file order, each already padded to its stride
};

BmpFields Fields(std::int32_t width, std::int32_t height, std::vector<Bytes> storedRows = {}) {
  BmpFields fields;
  fields.width = width;
  fields.height = height;
  fields.storedRows = std::move(storedRows);
  return fields;
}

// A 1-bit BMP with a two-entry colour table (black, white) before the pixels.
Bytes MakeBmp(const BmpFields& fields) {
  Bytes pixels;
  for (const Bytes& row : fields.storedRows) pixels.insert(pixels.end(), row.begin(), row.end());
  Bytes file(62, 0);
  file.reserve(62 + pixels.size());
  file[0] = 'B', file[1] = 'M';
  PutLe(file, 2, static_cast<std::uint32_t>(62 + pixels.size()), 4);
  PutLe(file, 10, 62, 4);
  PutLe(file, 14, 40, 4);
  PutLe(file, 18, static_cast<std::uint32_t>(fields.width), 4);
  PutLe(file, 22, static_cast<std::uint32_t>(fields.height), 4);
  PutLe(file, 26, fields.planes, 2);
  PutLe(file, 28, fields.bitsPerPixel, 2);
  PutLe(file, 30, fields.compression, 4);
  PutLe(file, 34, fields.imageSize.value_or(static_cast<std::uint32_t>(pixels.size())), 4);
  PutLe(file, 58, 0x00FFFFFF, 4);  // colour 1 white
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

std::string Row(const PixelGrid& grid, int row, int columns) {
  std::string line;
  for (int c = 0; c < columns; ++c) line += grid.at(row, c) ? '#' : '.';
  return line;
}

TEST(BmpImportTest, ZeroBitsAreBlackAndStoredRowsRunBottomUp) {
  // 10 pixels wide: stride 4 bytes, the padding bits (zero) come in as black cells.
  const Bytes file = MakeBmp(Fields(10, 2, {{0xFF, 0xFF, 0xFF, 0xFF}, {0x0F, 0x3F, 0xFF, 0x00}}));
  const auto read = ImportMonochromeBmp(file, 4, 5);
  ASSERT_TRUE(read.ok());
  EXPECT_TRUE(read->warnings.empty());
  EXPECT_EQ(read->rows, 2);
  EXPECT_EQ(read->columns, 32);

  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 3, 40);
  read->ApplyTo(grid);
  EXPECT_EQ(Row(grid, 0, 40), "####....##..............################");  // the file's last row
  EXPECT_EQ(Row(grid, 1, 40), "................................########");
  EXPECT_EQ(Row(grid, 2, 40), "########################################");  // not loaded: kept
}

TEST(BmpImportTest, TruncationWarnsWidthThenHeightAndKeepsTheTopLeft) {
  struct Case {
    int width, height;
    std::vector<std::string> warnings;
  };
  const Case cases[] = {
      {16, 2, {}},
      {17, 2, {std::string(kBmpTooWideText)}},
      {16, 3, {std::string(kBmpTooTallText)}},
      {17, 3, {std::string(kBmpTooWideText), std::string(kBmpTooTallText)}},
  };
  for (const Case& c : cases) {
    BmpFields fields = Fields(c.width, c.height);
    // Stored row i (bottom-up) holds a black pixel (0 bit) at column i only.
    for (int i = 0; i < c.height; ++i) {
      Bytes row(4, 0xFF);
      row[0] = static_cast<std::uint8_t>(~(0x80 >> i));
      fields.storedRows.push_back(row);
    }
    const auto read = ImportMonochromeBmp(MakeBmp(fields), 2, 2);
    ASSERT_TRUE(read.ok());
    std::vector<std::string> texts;
    for (const Failure& w : read->warnings) {
      EXPECT_EQ(w.caption, "Warning");
      texts.push_back(w.text);
    }
    EXPECT_EQ(texts, c.warnings) << c.width << "x" << c.height;
    PixelGrid grid;
    read->ApplyTo(grid);
    // The graphic's 2 rows come from the picture's top: stored rows height-1 and height-2.
    EXPECT_EQ(grid.at(0, c.height - 1), 1);
    EXPECT_EQ(grid.at(1, c.height - 2), 1);
    EXPECT_EQ(grid.at(2, 0), 0);
  }
}

TEST(BmpImportTest, TopDownRowsLoadInFileOrder) {
  const Bytes file = MakeBmp(Fields(8, -3, {{0x7F, 0, 0, 0}, {0xBF, 0, 0, 0}, {0xDF, 0, 0, 0}}));
  const auto read = ImportMonochromeBmp(file, 1, 2);
  ASSERT_TRUE(read.ok());
  ASSERT_EQ(read->warnings.size(), 1u);
  EXPECT_EQ(read->warnings[0].text, kBmpTooTallText);
  PixelGrid grid;
  read->ApplyTo(grid);
  EXPECT_EQ(Row(grid, 0, 8), "#.......");
  EXPECT_EQ(Row(grid, 1, 8), ".#......");
}

TEST(BmpImportTest, RefusalsComeInTheirOrderOfPrecedence) {
  const BmpFields good = Fields(8, 2, {{0, 0, 0, 0}, {0, 0, 0, 0}});
  auto with = [&](auto change) {
    BmpFields fields = good;
    change(fields);
    return MakeBmp(fields);
  };
  Bytes notBm = MakeBmp(good);
  notBm[1] = 'A';
  Bytes twoPlanesFourBitsCompressed =
      with([](BmpFields& s) { s.planes = 2, s.bitsPerPixel = 4, s.compression = 2; });
  Bytes shortHeader = MakeBmp(good);
  shortHeader.resize(53);
  Bytes pixelsCut = MakeBmp(good);
  pixelsCut.pop_back();
  Bytes offsetPastEnd = MakeBmp(good);
  PutLe(offsetPastEnd, 10, 0xFFFFFFF0, 4);
  Bytes hugeHeight = with([](BmpFields& s) { s.height = 0x7FFFFFFF; });
  Bytes hugeWidth = with([](BmpFields& s) { s.width = 0x7FFFFFFF; });

  struct Case {
    std::string name;
    Bytes file;
    std::string_view text;
  };
  const Case cases[] = {
      {"empty", {}, kBmpInvalidText},
      {"not BM", notBm, kBmpInvalidText},
      {"short header", shortHeader, kBmpInvalidText},
      {"planes first", twoPlanesFourBitsCompressed, kBmpPlanesText},
      {"24 bits", with([](BmpFields& s) { s.bitsPerPixel = 24; }), kBmpNotMonochromeText},
      {"bit depth before compression",
       with([](BmpFields& s) { s.bitsPerPixel = 4, s.compression = 2; }), kBmpNotMonochromeText},
      {"compressed", with([](BmpFields& s) { s.compression = 1; }), kBmpCompressedText},
      {"width 0", with([](BmpFields& s) { s.width = 0; }), kBmpInvalidText},
      {"negative width", with([](BmpFields& s) { s.width = -8; }), kBmpInvalidText},
      {"height 0", with([](BmpFields& s) { s.height = 0; }), kBmpInvalidText},
      {"pixels cut short", pixelsCut, kBmpInvalidText},
      {"pixel offset past the end", offsetPastEnd, kBmpInvalidText},
      {"height beyond the file", hugeHeight, kBmpInvalidText},
      {"width beyond the file", hugeWidth, kBmpInvalidText},
  };
  for (const Case& c : cases) {
    const auto read = ImportMonochromeBmp(c.file, 36, 101);
    ASSERT_FALSE(read.ok()) << c.name;
    EXPECT_EQ(read.failure(), FileError(std::string(c.text))) << c.name;
  }
}

TEST(BmpImportTest, ImageSizeFieldIsNotTrusted) {
  // 0 is legal for uncompressed pixels; a too-large value must not shift the rows.
  for (std::uint32_t imageSize : {0u, 4u, 1000u}) {
    BmpFields fields = Fields(8, 2, {{0xFF, 0, 0, 0}, {0x00, 0, 0, 0}});
    fields.imageSize = imageSize;
    const auto read = ImportMonochromeBmp(MakeBmp(fields), 1, 2);
    ASSERT_TRUE(read.ok()) << imageSize;
    PixelGrid grid;
    read->ApplyTo(grid);
    EXPECT_EQ(Row(grid, 0, 8), "########") << imageSize;
    EXPECT_EQ(Row(grid, 1, 8), "........") << imageSize;
  }
}

TEST(BmpImportTest, EmptyGraphicWarnsAndLoadsNothing) {
  const auto read = ImportMonochromeBmp(MakeBmp(Fields(8, 1, {{0, 0, 0, 0}})), 0, 0);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->warnings.size(), 2u);
  EXPECT_EQ(read->rows, 0);
}

}  // namespace
}  // namespace zentavour
