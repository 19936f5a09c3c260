#include "core/bitmaps/glyph_edits.h"

#include <algorithm>
#include <string>

#include "core/bitmaps/pixel_grid.h"

namespace zentavour {
namespace {

constexpr std::uint8_t kSignature[] = {'Z', 'G', 'L', 'Y'};
constexpr std::size_t kHeader = sizeof(kSignature) + 2;  // signature, rows, count
constexpr std::size_t kEntry = 1 + kGlyphRecordSize;

}  // namespace

int MaxGlyphWidth(const FontSlotEntry& slot) {
  const int rows = std::max(slot.rows, 1);
  const int room = std::min(slot.bytesPerGlyph - 1, kGlyphPixelBytes);
  int width = 0;
  while (width < 24 && GlyphBytesPerRow(width + 1) * rows <= room) ++width;
  return width;
}

Status SetGlyphWidths(GlyphWorkSet& glyphs, const std::vector<int>& indices, int width,
                      const FontSlotEntry& slot) {
  const int most = MaxGlyphWidth(slot);
  if (width < 0 || width > most)
    return Failure{"Set Width", "The width must be between 0 and " + std::to_string(most) + ".",
                   {}, Severity::Information};
  for (int index : indices)
    if (index < 0 || index >= kGlyphCount) return Failure{"Set Width", "No such character.", {}, Severity::Information};
  for (int index : indices) {
    GlyphRecord& record = glyphs[static_cast<std::size_t>(index)];
    PixelGrid grid;
    UnpackGlyph(record, slot.rows, grid);
    PackGlyph(record, width, slot.rows, grid);
  }
  return {};
}

Bytes EncodeCopiedGlyphs(const std::vector<CopiedGlyph>& glyphs, int rows) {
  Bytes bytes(std::begin(kSignature), std::end(kSignature));
  bytes.push_back(static_cast<std::uint8_t>(std::clamp(rows, 0, 255)));
  bytes.push_back(static_cast<std::uint8_t>(std::min<std::size_t>(glyphs.size(), kGlyphCount)));
  for (std::size_t i = 0; i < glyphs.size() && i < kGlyphCount; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(glyphs[i].code));
    bytes.insert(bytes.end(), glyphs[i].record.bytes.begin(), glyphs[i].record.bytes.end());
  }
  return bytes;
}

Result<std::vector<CopiedGlyph>> DecodeCopiedGlyphs(ByteView bytes) {
  const Failure notGlyphs{"Paste", "The clipboard holds no copied characters."};
  if (bytes.size() < kHeader ||
      !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
    return notGlyphs;
  const std::size_t count = bytes[kHeader - 1];
  if (count > kGlyphCount || bytes.size() != kHeader + count * kEntry) return notGlyphs;
  std::vector<CopiedGlyph> glyphs(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeader + i * kEntry;
    glyphs[i].code = bytes[at];
    if (glyphs[i].code < kFirstGlyphCode || glyphs[i].code >= kFirstGlyphCode + kGlyphCount)
      return notGlyphs;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at + 1), kGlyphRecordSize,
                glyphs[i].record.bytes.begin());
  }
  return glyphs;
}

std::vector<CopiedGlyph> CopyGlyphs(const GlyphWorkSet& glyphs, const std::vector<int>& indices) {
  std::vector<CopiedGlyph> copied;
  for (int index : indices)
    if (index >= 0 && index < kGlyphCount)
      copied.push_back({kFirstGlyphCode + index, glyphs[static_cast<std::size_t>(index)]});
  return copied;
}

std::vector<int> PasteGlyphs(GlyphWorkSet& glyphs, const std::vector<CopiedGlyph>& copied,
                             int first) {
  std::vector<int> changed;
  if (first < 0 || first >= kGlyphCount) return changed;
  for (std::size_t i = 0; i < copied.size() && first + static_cast<int>(i) < kGlyphCount; ++i) {
    const int index = first + static_cast<int>(i);
    glyphs[static_cast<std::size_t>(index)] = copied[i].record;
    changed.push_back(index);
  }
  return changed;
}

InkLine SetTextInFont(const GlyphWorkSet& glyphs, int rows, const std::string& text) {
  rows = std::clamp(rows, 1, PixelGrid::kRows);
  const int space = std::max(1, rows / 3);
  InkLine line;
  line.height = rows;
  for (char c : text) {
    const int code = static_cast<unsigned char>(c);
    if (code == ' ')
      line.width += space;
    else if (code >= kFirstGlyphCode && code < kFirstGlyphCode + kGlyphCount)
      line.width += glyphs[static_cast<std::size_t>(code - kFirstGlyphCode)].width();
  }
  line.ink.assign(static_cast<std::size_t>(line.width) * static_cast<std::size_t>(rows), 0);
  int left = 0;
  for (char c : text) {
    const int code = static_cast<unsigned char>(c);
    if (code == ' ') left += space;
    if (code < kFirstGlyphCode || code >= kFirstGlyphCode + kGlyphCount) continue;
    PixelGrid grid;
    const int width =
        UnpackGlyph(glyphs[static_cast<std::size_t>(code - kFirstGlyphCode)], rows, grid);
    for (int r = 0; r < rows; ++r)
      for (int x = 0; x < width; ++x)
        if (grid.at(r, x))
          line.ink[static_cast<std::size_t>(r) * static_cast<std::size_t>(line.width) +
                   static_cast<std::size_t>(left + x)] = 1;
    left += width;
  }
  return line;
}

}  // namespace zentavour
