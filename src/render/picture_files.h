#pragma once

// PNG pictures in and out for the windows and the CLI alike: font sheets and one-bit pictures.
#include <QImage>
#include <string>

#include "core/bitmaps/bmp_import.h"
#include "core/bitmaps/font_sheet.h"
#include "core/bitmaps/glyph_edits.h"
#include "core/bitmaps/pixel_grid.h"
#include "core/common/failure.h"

namespace zentavour {

// The sheet in black ink on white, guides light, labels blue-grey.
QImage FontSheetImage(const SheetPicture& sheet);
// Dark pixels (luma under half) are ink; transparent pixels count as paper.
InkPicture InkOf(const QImage& image);

// A line of ink at `scale` screen pixels per pixel, in the given ink and paper colours.
QImage InkLineImage(const InkLine& line, int scale, QRgb ink, QRgb paper);

// Encodes the image as PNG and writes it whole, or says why not.
[[nodiscard]] Status WritePngFile(const QImage& image, const std::string& path);
// Reads a PNG (or any picture Qt reads) without keeping the file open.
[[nodiscard]] Result<QImage> ReadPictureFile(const std::string& path);

// A picture's top left columns x rows cells, ink black on white (what "graphic export" writes
// as PNG and the editors copy to the clipboard).
QImage MonochromeImage(const PixelGrid& grid, int columns, int rows);
// The same cells written as a one-bit BMP or as PNG, as "graphic export" writes them.
[[nodiscard]] Status ExportPicture(const PixelGrid& grid, int columns, int rows,
                                   const std::string& path, bool png);
// Any picture taken in for a graphic of bytesPerRow x 8 columns and rows rows, by the same rule
// as a PNG file: dark opaque pixels are ink. It warns as a BMP does when it is wider or taller.
BmpImport PictureImport(const QImage& image, int bytesPerRow, int rows);
// A picture file for a graphic editor: a BMP by its own rules (colour table included), anything
// else (PNG) by PictureImport.
[[nodiscard]] Result<BmpImport> ImportPictureFile(const std::string& path, int bytesPerRow,
                                                  int rows);

// The slot's sheet of glyphs written as PNG; and a PNG sheet read back into glyphs.
[[nodiscard]] Status ExportFontSheet(const GlyphWorkSet& glyphs, const FontSlotEntry& slot,
                                     const std::string& path);
[[nodiscard]] Result<GlyphWorkSet> ImportFontSheet(const std::string& path,
                                                   const GlyphWorkSet& current,
                                                   const FontSlotEntry& slot);

}  // namespace zentavour
