#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/bitmaps/glyph_record.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/os_image_layout.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// One font's 95 glyphs, for the character codes 33 to 127 in order.
inline constexpr int kGlyphCount = 95;
inline constexpr int kFirstGlyphCode = 33;

using GlyphWorkSet = std::array<GlyphRecord, kGlyphCount>;

// Copies the font of the model's slot out of the EXT image: the first bytes-per-glyph bytes of
// each record come from the table, the rest of each record is 0. Fails when the model has no
// such font or the image does not hold the whole table.
[[nodiscard]] Result<GlyphWorkSet> LoadGlyphWorkSet(ByteView extImage, WorkstationModel model,
                                                    FontSlot slot);

// Copies the first bytes-per-glyph bytes of every record back into the font table; nothing else
// of the image changes. A glyph packed wider than its slot loses its lower rows here. Fails,
// writing nothing, when the model has no such font or the image does not hold the whole table.
[[nodiscard]] Status StoreGlyphWorkSet(const GlyphWorkSet& glyphs, std::span<std::uint8_t> extImage,
                                       WorkstationModel model, FontSlot slot);

}  // namespace zentavour
