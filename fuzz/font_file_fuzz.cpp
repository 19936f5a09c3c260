// The program's font file reader, and writing back what it read.
#include <cstdint>
#include <cstdlib>

#include "core/bitmaps/font_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentavour;
  Result<FontFileContents> font = ReadFontFile(ByteView(data, size), "https://example/");
  if (!font) return 0;
  // A font that was read saves to a file that reads back to the same glyphs.
  const Bytes again = BuildFontFile(font->glyphs, WorkstationModel::Orvane, FontSlot::Large);
  Result<FontFileContents> back = ReadFontFile(again, "https://example/");
  if (!back || back->glyphs != font->glyphs) std::abort();
  return 0;
}
