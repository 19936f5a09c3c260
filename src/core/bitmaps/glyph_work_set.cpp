#include "core/bitmaps/glyph_work_set.h"

#include <algorithm>

namespace zentavour {
namespace {

Failure NoSuchFont() {
  return Failure{"Error", "This font does not exist in the open OS files."};
}

// The slot's table, if the model has it and the image holds all of it.
std::optional<FontSlotEntry> TableInImage(std::size_t imageSize, WorkstationModel model,
                                          FontSlot slot) {
  const auto entry = FontSlotTable(model, slot);
  if (!entry || entry->bytesPerGlyph <= 0 || entry->bytesPerGlyph > kGlyphRecordSize)
    return std::nullopt;
  if (std::uint64_t{entry->offset} + entry->tableSize() > imageSize) return std::nullopt;
  return entry;
}

}  // namespace

Result<GlyphWorkSet> LoadGlyphWorkSet(ByteView extImage, WorkstationModel model, FontSlot slot) {
  const auto entry = TableInImage(extImage.size(), model, slot);
  if (!entry) return NoSuchFont();
  const auto stride = static_cast<std::size_t>(entry->bytesPerGlyph);
  GlyphWorkSet glyphs{};
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    const auto source = extImage.subspan(entry->offset + k * stride, stride);
    std::copy(source.begin(), source.end(), glyphs[k].bytes.begin());
  }
  return glyphs;
}

Status StoreGlyphWorkSet(const GlyphWorkSet& glyphs, std::span<std::uint8_t> extImage,
                         WorkstationModel model, FontSlot slot) {
  const auto entry = TableInImage(extImage.size(), model, slot);
  if (!entry) return NoSuchFont();
  const auto stride = static_cast<std::size_t>(entry->bytesPerGlyph);
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    std::copy_n(glyphs[k].bytes.begin(), stride, extImage.begin() + entry->offset + k * stride);
  }
  return {};
}

}  // namespace zentavour
