#include "core/bitmaps/graphic_packing.h"

namespace zentavour {
namespace {

Failure OutsideImage() {
  return Failure{"Error", "This graphic does not lie inside the open OS files."};
}

}  // namespace

bool GraphicFits(const GraphicTarget& target, std::size_t imageSize) {
  if (target.rows < 0 || target.bytesPerRow < 0) return false;
  if (target.rows == 0 || target.bytesPerRow == 0) return true;
  if (target.rows > PixelGrid::kRows || target.bytesPerRow * 8 > PixelGrid::kColumns) return false;
  const std::uint64_t size = std::uint64_t(target.rows) * std::uint64_t(target.bytesPerRow);
  return std::uint64_t{target.offset} + size <= imageSize;
}

Status UnpackGraphic(ByteView extImage, const GraphicTarget& target, PixelGrid& grid) {
  if (!GraphicFits(target, extImage.size())) return OutsideImage();
  grid.Clear();
  for (int r = 0; r < target.rows; ++r) {
    for (int i = 0; i < target.bytesPerRow; ++i) {
      const std::uint8_t byte = extImage[target.offset + std::size_t(r * target.bytesPerRow + i)];
      for (int j = 0; j < 8; ++j) grid.set(r, 8 * i + j, (byte >> (7 - j)) & 1);
    }
  }
  return {};
}

Status PackGraphic(const PixelGrid& grid, std::span<std::uint8_t> extImage,
                   const GraphicTarget& target) {
  if (!GraphicFits(target, extImage.size())) return OutsideImage();
  for (int r = 0; r < target.rows; ++r) {
    for (int i = 0; i < target.bytesPerRow; ++i) {
      std::uint8_t byte = 0;
      for (int j = 0; j < 8; ++j)
        byte |= static_cast<std::uint8_t>(grid.at(r, 8 * i + j) << (7 - j));
      extImage[target.offset + std::size_t(r * target.bytesPerRow + i)] = byte;
    }
  }
  return {};
}

}  // namespace zentavour
