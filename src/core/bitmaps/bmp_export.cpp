#include "core/bitmaps/bmp_export.h"

#include <algorithm>

namespace zentavour {
namespace {

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

Bytes ExportMonochromeBmp(const PixelGrid& grid, int columns, int rows) {
  columns = std::clamp(columns, 0, PixelGrid::kColumns);
  rows = std::clamp(rows, 0, PixelGrid::kRows);
  const std::size_t stride = static_cast<std::size_t>((columns + 31) / 32) * 4;
  constexpr std::size_t kPixelOffset = 14 + 40 + 8;
  const std::size_t imageSize = stride * static_cast<std::size_t>(rows);
  Bytes file(kPixelOffset + imageSize, 0);
  file[0] = 'B';
  file[1] = 'M';
  PutLe(file, 2, static_cast<std::uint32_t>(file.size()), 4);
  PutLe(file, 10, kPixelOffset, 4);
  PutLe(file, 14, 40, 4);
  PutLe(file, 18, static_cast<std::uint32_t>(columns), 4);
  PutLe(file, 22, static_cast<std::uint32_t>(rows), 4);
  PutLe(file, 26, 1, 2);  // planes
  PutLe(file, 28, 1, 2);  // bits per pixel
  PutLe(file, 34, static_cast<std::uint32_t>(imageSize), 4);
  PutLe(file, 38, 2835, 4);  // 72 dots per inch
  PutLe(file, 42, 2835, 4);
  PutLe(file, 46, 2, 4);  // colours used
  // Colour table: index 0 black, index 1 white (blue, green, red, reserved).
  PutLe(file, 54 + 4, 0x00FFFFFF, 4);
  // Rows are stored bottom-up; a set bit is white.
  for (int r = 0; r < rows; ++r) {
    const std::size_t rowAt = kPixelOffset + static_cast<std::size_t>(rows - 1 - r) * stride;
    std::fill_n(file.begin() + static_cast<std::ptrdiff_t>(rowAt), stride, 0xFF);
    for (int c = 0; c < columns; ++c) {
      if (grid.at(r, c)) {
        file[rowAt + static_cast<std::size_t>(c / 8)] &= static_cast<std::uint8_t>(~(0x80 >> (c % 8)));
      }
    }
  }
  return file;
}

}  // namespace zentavour
