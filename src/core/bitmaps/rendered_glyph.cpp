#include "core/bitmaps/rendered_glyph.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace zentavour {

GlyphRecord GlyphFromRendering(const RenderedCharacter& character, int adjustment) {
  GlyphRecord record;
  const int width = character.advanceWidth;
  if (width <= 0 || width > kMaxImportedGlyphWidth) return record;

  const int lineBytes = (width + 7) / 8;
  const int rowBytes = std::min(lineBytes, kMaxGlyphRowBytes);
  // Only the last byte of a full line reaches past the advance; a clamped row ends inside it.
  const std::uint8_t lastMask =
      rowBytes == lineBytes ? static_cast<std::uint8_t>(0xFF << (8 * lineBytes - width)) : 0xFF;

  auto sourceByte = [&](std::int64_t line, int i) -> std::uint8_t {
    if (line < 0 || line >= character.cellHeight || i >= character.bytesPerLine) return 0;
    const std::uint64_t at =
        std::uint64_t(line) * std::uint64_t(character.bytesPerLine) + std::uint64_t(i);
    return at < character.bits.size() ? character.bits[at] : 0;
  };

  int out = 1;
  for (std::int64_t line = adjustment; line < character.cellHeight && out < kGlyphRecordSize;
       ++line) {
    for (int i = 0; i < rowBytes && out < kGlyphRecordSize; ++i) {
      std::uint8_t byte = sourceByte(line, i);
      if (i == rowBytes - 1) byte &= lastMask;
      record.bytes[static_cast<std::size_t>(out++)] = byte;
    }
  }
  record.bytes[0] = static_cast<std::uint8_t>(width);
  return record;
}

int ParseVerticalAdjustment(std::string_view text) {
  text = text.substr(0, 2);
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  int value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9')
    value = value * 10 + (text[at++] - '0');
  return negative ? -value : value;
}

}  // namespace zentavour
