#include "core/bitmaps/bmp_import.h"

#include <algorithm>

#include "core/common/file_handle.h"

namespace zentavour {
namespace {

std::uint32_t ReadLe32(ByteView bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
         (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}
std::uint16_t ReadLe16(ByteView bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

Failure Refuse(std::string_view text) {
  return FileError(std::string(text));
}

// Lightness of a colour table entry (blue, green, red, reserved), weighted as the eye sees it.
int Lightness(ByteView bytes, std::size_t at) {
  return 114 * bytes[at] + 587 * bytes[at + 1] + 299 * bytes[at + 2];
}

// Most programs store black at index 0, so a 0 bit is ink. Some store white at index 0 and black
// at 1; their pictures would come in as negatives. Only a whole two-entry table whose index 0 is
// lighter than index 1 turns the polarity round; anything else keeps 0 as ink.
bool OneBitIsInk(ByteView file, std::uint32_t pixelOffset) {
  const std::uint64_t headerSize = ReadLe32(file, 14);
  const std::uint32_t coloursUsed = ReadLe32(file, 46);
  if (headerSize < 40 || coloursUsed == 1) return false;
  const std::uint64_t table = 14 + headerSize;
  if (table + 8 > pixelOffset || table + 8 > file.size()) return false;
  return Lightness(file, static_cast<std::size_t>(table)) >
         Lightness(file, static_cast<std::size_t>(table + 4));
}

}  // namespace

void BmpImport::ApplyTo(PixelGrid& grid) const {
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c)
      grid.set(r, c,
               cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                     static_cast<std::size_t>(c)]);
  }
}

Result<BmpImport> ImportMonochromeBmp(ByteView file, int graphicBytesPerRow, int graphicRows) {
  if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') return Refuse(kBmpInvalidText);
  // A file too short for its header has nothing to check against.
  if (file.size() < kBmpHeaderSize) return Refuse(kBmpInvalidText);

  const std::uint32_t pixelOffset = ReadLe32(file, 10);
  const auto width = static_cast<std::int32_t>(ReadLe32(file, 18));
  const auto height = static_cast<std::int32_t>(ReadLe32(file, 22));
  const std::uint16_t planes = ReadLe16(file, 26);
  const std::uint16_t bitsPerPixel = ReadLe16(file, 28);
  const std::uint32_t compression = ReadLe32(file, 30);

  if (planes != 1) return Refuse(kBmpPlanesText);
  if (bitsPerPixel != 1) return Refuse(kBmpNotMonochromeText);
  if (compression != 0) return Refuse(kBmpCompressedText);
  if (width <= 0 || height == 0) return Refuse(kBmpInvalidText);

  // Each stored row is padded to a multiple of 4 bytes. The pixel data is taken as stride x
  // height bytes from the pixel offset; the header's image size is not trusted (0 is legal).
  const std::uint64_t rowBytes = (std::uint64_t(width) + 7) / 8;
  const std::uint64_t stride = (rowBytes + 3) / 4 * 4;
  const bool bottomUp = height > 0;
  const std::uint64_t storedRows =
      bottomUp ? std::uint64_t(height) : std::uint64_t(-std::int64_t(height));
  if (std::uint64_t{pixelOffset} + stride * storedRows > file.size())
    return Refuse(kBmpInvalidText);

  const int inkBit = OneBitIsInk(file, pixelOffset) ? 1 : 0;
  BmpImport result;
  if (std::int64_t{width} > std::int64_t{graphicBytesPerRow} * 8)
    result.warnings.push_back(Failure{"Warning", std::string(kBmpTooWideText), {}, Severity::Warning});
  std::int64_t rowsToLoad = static_cast<std::int64_t>(storedRows);
  if (rowsToLoad > graphicRows) {
    result.warnings.push_back(Failure{"Warning", std::string(kBmpTooTallText), {}, Severity::Warning});
    rowsToLoad = graphicRows;
  }
  if (rowsToLoad <= 0) return result;

  result.rows = static_cast<int>(std::min<std::int64_t>(rowsToLoad, PixelGrid::kRows));
  result.columns = static_cast<int>(std::min<std::uint64_t>(stride * 8, PixelGrid::kColumns));
  result.cells.resize(static_cast<std::size_t>(result.rows) * std::size_t(result.columns));
  for (int r = 0; r < result.rows; ++r) {
    const std::uint64_t stored = bottomUp ? storedRows - 1 - std::uint64_t(r) : std::uint64_t(r);
    const ByteView row = file.subspan(pixelOffset + stored * stride, stride);
    for (int c = 0; c < result.columns; ++c) {
      const int bit = (row[static_cast<std::size_t>(c / 8)] >> (7 - c % 8)) & 1;
      result.cells[std::size_t(r) * std::size_t(result.columns) + std::size_t(c)] = bit == inkBit ? 1 : 0;
    }
  }
  return result;
}

Result<Bytes> ReadBitmapFile(const std::string& path) {
  Result<Bytes> bytes = ReadWholeFile(path, kMaxBitmapFileSize);
  if (!bytes) {
    Failure refused = Refuse(kBmpOpenErrorText);
    refused.detail = bytes.failure().detail;
    return refused;
  }
  return bytes;
}

}  // namespace zentavour
