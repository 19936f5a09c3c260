#include "render/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cctype>

#include "core/bitmaps/bmp_export.h"
#include "core/common/file_handle.h"

namespace zentavour {
namespace {

// Larger than any sheet or picture of this program by far.
constexpr std::uint64_t kLargestPictureFile = 64 * 1024 * 1024;

}  // namespace

QImage FontSheetImage(const SheetPicture& sheet) {
  QImage image(sheet.width, sheet.height, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < sheet.width; ++x) {
      switch (sheet.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(sheet.width) +
                           static_cast<std::size_t>(x)]) {
        case SheetShade::Paper: line[x] = qRgb(255, 255, 255); break;
        case SheetShade::Ink: line[x] = qRgb(0, 0, 0); break;
        case SheetShade::Guide: line[x] = qRgb(0xF0, 0xF0, 0xE0); break;
        case SheetShade::Label: line[x] = qRgb(0x60, 0x60, 0x90); break;
      }
    }
  }
  return image;
}

InkPicture InkOf(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  InkPicture ink{argb.width(), argb.height(),
                 std::vector<std::uint8_t>(static_cast<std::size_t>(argb.width()) *
                                           static_cast<std::size_t>(argb.height()))};
  for (int y = 0; y < argb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = line[x];
      const bool dark = qAlpha(p) >= 128 && qGray(p) < 128;
      ink.ink[static_cast<std::size_t>(y) * static_cast<std::size_t>(argb.width()) +
              static_cast<std::size_t>(x)] = dark ? 1 : 0;
    }
  }
  return ink;
}

QImage InkLineImage(const InkLine& line, int scale, QRgb ink, QRgb paper) {
  QImage image(std::max(line.width, 1) * scale, line.height * scale, QImage::Format_RGB32);
  image.fill(paper);
  for (int y = 0; y < line.height * scale; ++y) {
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < line.width * scale; ++x)
      if (line.ink[static_cast<std::size_t>(y / scale) * static_cast<std::size_t>(line.width) +
                   static_cast<std::size_t>(x / scale)])
        out[x] = ink;
  }
  return image;
}

Status WritePngFile(const QImage& image, const std::string& path) {
  // Encoded in memory first, then written as every file is: whole or not at all.
  QByteArray data;
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    return FileError("Error Writing PNG File " + path + "\n\nThe picture could not be encoded.");
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
  if (Status written = WriteWholeFile(path, ByteView(bytes, static_cast<std::size_t>(data.size())));
      !written) {
    Failure failed = FileError("Error Writing PNG File " + path + "\n\n" + written.failure().text);
    failed.detail = written.failure().detail;
    return failed;
  }
  return {};
}

Result<QImage> ReadPictureFile(const std::string& path) {
  const Result<Bytes> bytes = ReadWholeFile(path, kLargestPictureFile);
  if (!bytes) {
    Failure refused = FileError("Error Reading File " + path);
    refused.detail = bytes.failure().detail;
    return refused;
  }
  QImage image;
  if (!image.loadFromData(bytes->data(), static_cast<int>(bytes->size())) || image.isNull())
    return FileError("Not a picture this program reads: " + path);
  return image;
}

QImage MonochromeImage(const PixelGrid& grid, int columns, int rows) {
  QImage image(columns, rows, QImage::Format_Mono);
  image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) image.setPixel(c, r, grid.at(r, c) ? 1 : 0);
  return image;
}

Status ExportPicture(const PixelGrid& grid, int columns, int rows, const std::string& path,
                     bool png) {
  if (png) return WritePngFile(MonochromeImage(grid, columns, rows), path);
  if (Status written = WriteWholeFile(path, ExportMonochromeBmp(grid, columns, rows)); !written) {
    Failure failed = FileError("Error Writing Bitmap File " + path);
    failed.detail = written.failure().detail;
    return failed;
  }
  return {};
}

BmpImport PictureImport(const QImage& image, int bytesPerRow, int rows) {
  const int columns = bytesPerRow * 8;
  BmpImport picture;
  if (image.width() > columns) picture.warnings.push_back({"Warning", std::string(kBmpTooWideText)});
  if (image.height() > rows) picture.warnings.push_back({"Warning", std::string(kBmpTooTallText)});
  const InkPicture ink = InkOf(image);
  picture.rows = std::min(ink.height, rows);
  picture.columns = std::min(ink.width, columns);
  for (int r = 0; r < picture.rows; ++r)
    for (int c = 0; c < picture.columns; ++c) picture.cells.push_back(ink.at(c, r) ? 1 : 0);
  return picture;
}

Result<BmpImport> ImportPictureFile(const std::string& path, int bytesPerRow, int rows) {
  const std::size_t dot = path.find_last_of('.');
  std::string ext = dot == std::string::npos ? std::string() : path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext != "png") {
    const Result<Bytes> file = ReadBitmapFile(path);
    if (!file) return file.failure();
    return ImportMonochromeBmp(*file, bytesPerRow, rows);
  }
  const Result<Bytes> file = ReadBitmapFile(path);
  if (!file) return file.failure();
  QImage image;
  if (!image.loadFromData(file->data(), static_cast<int>(file->size()), "PNG"))
    return FileError("This is not a valid PNG file.");
  return PictureImport(image, bytesPerRow, rows);
}

Status ExportFontSheet(const GlyphWorkSet& glyphs, const FontSlotEntry& slot,
                       const std::string& path) {
  return WritePngFile(FontSheetImage(DrawFontSheet(glyphs, slot)), path);
}

Result<GlyphWorkSet> ImportFontSheet(const std::string& path, const GlyphWorkSet& current,
                                     const FontSlotEntry& slot) {
  Result<QImage> image = ReadPictureFile(path);
  if (!image) return image.failure();
  return ReadFontSheet(InkOf(*image), current, slot);
}

}  // namespace zentavour
