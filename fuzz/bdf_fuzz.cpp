// The BDF reader, placing what it read on a slot, and exporting that again.
#include <cstdint>
#include <cstdlib>

#include "core/bitmaps/bdf_font.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentavour;
  const Result<BdfFont> font = ReadBdfFont(ByteView(data, size));
  if (!font) return 0;
  // The first byte picks an adjustment, so placements above and below the cell are reached too.
  const int adjustment = size > 0 ? static_cast<int>(data[0] % 64) - 32 : 0;
  const BdfImport imported = ImportBdfGlyphs(*font, GlyphWorkSet{}, 19, adjustment);
  // Whatever came in exports to a file that reads back and places to the very same glyphs.
  const Result<Bytes> again =
      BuildBdfFont(imported.glyphs, WorkstationModel::Orvane, FontSlot::Large);
  if (!again) std::abort();
  const Result<BdfFont> reread = ReadBdfFont(*again);
  if (!reread) std::abort();
  const BdfImport back = ImportBdfGlyphs(*reread, imported.glyphs, 19);
  if (back.glyphs != imported.glyphs || !back.missingCodes.empty()) std::abort();
  return 0;
}
