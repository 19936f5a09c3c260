#include "core/bitmaps/bmp_import.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zentavour {
namespace {

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct BmpFields {
  std::int32_t width = 8, height = 1;
  std::vector<Bytes> storedRows = {};  // in file order, each already padded to its stride
  std::uint32_t planes = 1, bitsPerPixel = 1, compression = 0;
  std::optional<std::uint32_t> imageSize = {};  // default: the pixel data's real size
  std::uint32_t colour0 = 0, colour1 = 0x00FFFFFF, coloursUsed = 0;
};

// A 1-bit BMP with a two-entry colour table (black, white unless told) before the pixels.
Bytes MakeBmp(const BmpFields& f) {
  Bytes file(62, 0);
  for (const Bytes& row : f.storedRows) file.insert(file.end(), row.begin(), row.end());
  const auto pixels = static_cast<std::uint32_t>(file.size() - 62);
  const std::pair<std::size_t, std::uint32_t> fields[] = {
      {0, 'B' | 'M' << 8}, {2, 62 + pixels}, {10, 62}, {14, 40},
      {18, static_cast<std::uint32_t>(f.width)}, {22, static_cast<std::uint32_t>(f.height)},
      {26, f.planes | f.bitsPerPixel << 16}, {30, f.compression},
      {34, f.imageSize.value_or(pixels)}, {46, f.coloursUsed}, {54, f.colour0}, {58, f.colour1},
  };
  for (const auto& [at, value] : fields) PutLe(file, at, value);
  return file;
}

std::string Row(const PixelGrid& grid, int row, int columns) {
  std::string line;
  for (int c = 0; c < columns; ++c) line += grid.at(row, c) ? '#' : '.';
  return line;
}

TEST(BmpImportTest, ZeroBitsAreBlackAndStoredRowsRunBottomUp) {
  // 10 pixels wide: stride 4 bytes, the padding bits (zero) come in as black cells.
  const Bytes file = MakeBmp({10, 2, {{0xFF, 0xFF, 0xFF, 0xFF}, {0x0F, 0x3F, 0xFF, 0x00}}});
  const auto read = ImportMonochromeBmp(file, 4, 5);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->columns, 32);
  PixelGrid grid;
  ApplyGridOperation(grid, GridOperation::FillAll, 3, 40);
  read->ApplyTo(grid);
  EXPECT_EQ(Row(grid, 0, 40), "####....##..............################");  // the file's last row
  EXPECT_EQ(Row(grid, 1, 40), "................................########");
  EXPECT_EQ(Row(grid, 2, 40), "########################################");  // not loaded: kept

  // Rows stored top-down load in file order; the image size field is not trusted (0 is legal).
  for (std::uint32_t imageSize : {0u, 1000u}) {
    BmpFields topDown{8, -3, {{0x7F, 0, 0, 0}, {0x00, 0, 0, 0}, {0xFF, 0, 0, 0}}};
    topDown.imageSize = imageSize;
    const auto tall = ImportMonochromeBmp(MakeBmp(topDown), 1, 2);
    ASSERT_TRUE(tall.ok());
    PixelGrid small;
    tall->ApplyTo(small);
    EXPECT_EQ(Row(small, 0, 8), "#.......") << imageSize;
    EXPECT_EQ(Row(small, 1, 8), "########") << imageSize;
  }
}

TEST(BmpImportTest, AWhiteFirstColourTableMakesOneBitsInkAnythingElseKeepsZeroBits) {
  struct Case {
    std::uint32_t colour0, colour1, coloursUsed;
    const char* row;
  } cases[] = {
      {0x000000, 0xFFFFFF, 0, "##..####"},  // black first, as Paint writes it
      {0xC0C0C0, 0x202020, 2, "..##...."},  // light grey first
      {0x808080, 0x808080, 0, "##..####"},  // equal entries
      {0xFFFFFF, 0x000000, 1, "##..####"},  // a table cut short to one entry
  };
  for (const Case& c : cases) {
    const BmpFields fields{8, 1, {{0x30, 0, 0, 0}}, 1, 1, 0, {}, c.colour0, c.colour1,
                           c.coloursUsed};
    const auto read = ImportMonochromeBmp(MakeBmp(fields), 1, 1);
    ASSERT_TRUE(read.ok());
    PixelGrid grid;
    read->ApplyTo(grid);
    EXPECT_EQ(Row(grid, 0, 8), c.row) << std::hex << c.colour0 << " " << c.colour1;
  }
}

TEST(BmpImportTest, TruncationWarnsWidthThenHeightAndKeepsTheTopLeft) {
  struct Case {
    int width, height, graphicBytes, graphicRows;
    std::vector<std::string_view> warnings;
  };
  const Case cases[] = {
      {16, 2, 2, 2, {}},
      {17, 2, 2, 2, {kBmpTooWideText}},
      {17, 3, 2, 2, {kBmpTooWideText, kBmpTooTallText}},
      {16, 2, 0, 0, {kBmpTooWideText, kBmpTooTallText}},  // an empty graphic loads nothing
  };
  for (const Case& c : cases) {
    BmpFields fields{c.width, c.height};
    // Stored row i (bottom-up) holds a black pixel (0 bit) at column i only.
    for (int i = 0; i < c.height; ++i)
      fields.storedRows.push_back({static_cast<std::uint8_t>(~(0x80 >> i)), 0xFF, 0xFF, 0xFF});
    const auto read = ImportMonochromeBmp(MakeBmp(fields), c.graphicBytes, c.graphicRows);
    ASSERT_TRUE(read.ok());
    std::vector<Failure> warnings;
    for (std::string_view text : c.warnings) warnings.push_back({"Warning", std::string(text), {}, Severity::Warning});
    EXPECT_EQ(read->warnings, warnings) << c.width << "x" << c.height;
    EXPECT_EQ(read->rows, c.graphicRows);
    PixelGrid grid;
    read->ApplyTo(grid);
    // The graphic's rows come from the picture's top: stored rows height-1 and height-2.
    EXPECT_EQ(grid.at(0, c.height - 1), c.graphicRows ? 1 : 0);
    EXPECT_EQ(grid.at(1, c.height - 2), c.graphicRows ? 1 : 0);
    EXPECT_EQ(grid.at(2, 0), 0);
  }
}

TEST(BmpImportTest, RefusalsComeInTheirOrderOfPrecedence) {
  auto with = [](auto change) {
    BmpFields fields{8, 2, {{0, 0, 0, 0}, {0, 0, 0, 0}}};
    change(fields);
    return MakeBmp(fields);
  };
  auto edited = [&](auto change) {
    Bytes file = with([](BmpFields&) {});
    change(file);
    return file;
  };
  const std::pair<Bytes, std::string_view> cases[] = {
      {edited([](Bytes& b) { b[1] = 'A'; }), kBmpInvalidText},
      {edited([](Bytes& b) { b.resize(53); }), kBmpInvalidText},
      {with([](BmpFields& s) { s.planes = 2, s.bitsPerPixel = 4, s.compression = 2; }),
       kBmpPlanesText},
      {with([](BmpFields& s) { s.bitsPerPixel = 4, s.compression = 2; }), kBmpNotMonochromeText},
      {with([](BmpFields& s) { s.compression = 1; }), kBmpCompressedText},
      {with([](BmpFields& s) { s.width = -8; }), kBmpInvalidText},
      {edited([](Bytes& b) { b.pop_back(); }), kBmpInvalidText},
      {edited([](Bytes& b) { PutLe(b, 10, 0xFFFFFFF0); }), kBmpInvalidText},  // pixel offset
      {with([](BmpFields& s) { s.height = 0x7FFFFFFF; }), kBmpInvalidText},
      {with([](BmpFields& s) { s.width = 0x7FFFFFFF; }), kBmpInvalidText},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(ImportMonochromeBmp(cases[i].first, 36, 101).failure(),
              FileError(std::string(cases[i].second)))
        << "case " << i;
}

}  // namespace
}  // namespace zentavour
