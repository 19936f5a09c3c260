#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/bitmaps/pixel_grid.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"

namespace zentavour {

// Files larger than this are not read: the biggest graphic needs a few kilobytes.
inline constexpr std::uint64_t kMaxBitmapFileSize = 64u * 1024 * 1024;
inline constexpr std::size_t kBmpHeaderSize = 54;

inline constexpr std::string_view kBmpOpenErrorText = "Error Opening Bitmap File";
inline constexpr std::string_view kBmpInvalidText = "This is not a valid bitmap file.";
inline constexpr std::string_view kBmpPlanesText =
    "This bitmap contains more than one plane.  This format is unsupported by Zentavour.";
inline constexpr std::string_view kBmpNotMonochromeText =
    "This is not a monochrome bitmap file.  If you are editing the bitmap with Paint, from the "
    "menu, select Image, Attributes, then under Colors select the Black and White button.";
inline constexpr std::string_view kBmpCompressedText =
    "This bitmap uses compression.  Zentavour can only load uncompressed monochrome bitmaps.";
inline constexpr std::string_view kBmpTooWideText =
    "The width of the bitmap is greater than the graphic you are editing.  The bitmap shall be "
    "truncated.";
inline constexpr std::string_view kBmpTooTallText =
    "The height of the bitmap is greater than the graphic you are editing.  The bitmap shall be "
    "truncated.";

// A monochrome bitmap read for a graphic editor: the picture's top rows, ready to go into the
// grid, and the warnings to show first (caption "Warning", width before height).
struct BmpImport {
  std::vector<Failure> warnings;
  int rows = 0;     // rows loaded: the bitmap's, at most the graphic's
  int columns = 0;  // cells per loaded row: the file's row stride x 8 (padding included), at
                    // most the grid's 288
  std::vector<std::uint8_t> cells;  // rows x columns, top row first; 1 = black

  // Writes the loaded cells from row 0, column 0; every other cell keeps its value.
  void ApplyTo(PixelGrid& grid) const;
};

// Reads an uncompressed one-bit-per-pixel BMP for a graphic of graphicBytesPerRow x 8 columns and
// graphicRows rows. A 0 bit is ink and a 1 bit background, unless the file's two-entry colour
// table has the lighter colour at index 0, as some programs write it: then a 1 bit is ink, so
// the picture comes in the way round every viewer shows it.
// Refusals (caption "File Error"), first match wins: not "BM" or shorter than its header,
// planes, bit depth, compression; then a width of 0 or less, a height of 0, or pixel rows that
// the file does not hold. Rows stored top-down (negative height) load in their own order.
[[nodiscard]] Result<BmpImport> ImportMonochromeBmp(ByteView file, int graphicBytesPerRow,
                                                    int graphicRows);

// Reads a bitmap file whole. "Error Opening Bitmap File" when it cannot be read.
[[nodiscard]] Result<Bytes> ReadBitmapFile(const std::string& path);

}  // namespace zentavour
