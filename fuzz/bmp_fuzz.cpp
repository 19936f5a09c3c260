// The one-bit BMP import, for graphics of every size the tables hold.
#include <cstdint>

#include "core/bitmaps/bmp_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentavour;
  if (size < 2) return 0;
  // The first two bytes choose the graphic: 1 to 36 bytes per row, 1 to 125 rows.
  const int bytesPerRow = 1 + data[0] % 36;
  const int rows = 1 + data[1] % 125;
  Result<BmpImport> bitmap = ImportMonochromeBmp(ByteView(data + 2, size - 2), bytesPerRow, rows);
  if (!bitmap) return 0;
  PixelGrid grid;
  bitmap->ApplyTo(grid);
  return 0;
}
