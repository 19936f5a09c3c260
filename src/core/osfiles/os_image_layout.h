#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/common/bytes.h"
#include "core/osfiles/workstation_model.h"
#include "core/programs/record_format.h"

namespace zentavour {

// Font slots as the OS Data panel numbers them.
enum class FontSlot : int { Small = 0, Medium = 1, Bold = 2, Large = 3 };

// The slot's name as the panel's buttons say it: "Small", "Medium", "Bold", "Large".
std::string_view FontSlotName(FontSlot slot);

// One editable font table: 95 glyphs (codes 33 to 127) of bytesPerGlyph bytes each.
struct FontSlotEntry {
  int rows;
  int bytesPerGlyph;
  std::uint32_t offset;

  std::uint32_t tableSize() const { return 95u * static_cast<std::uint32_t>(bytesPerGlyph); }
};

// The font table of a model's slot, or nothing where the model has no editable font there.
std::optional<FontSlotEntry> FontSlotTable(WorkstationModel model, FontSlot slot);

// One startup picture: rows of bytesPerRow bytes at offset. Unused items have label " " and
// all numbers 0.
struct StartupGraphicEntry {
  std::string_view label;
  std::uint32_t offset;
  int bytesPerRow;
  int rows;

  std::uint32_t size() const {
    return static_cast<std::uint32_t>(bytesPerRow) * static_cast<std::uint32_t>(rows);
  }
  bool used() const { return size() != 0; }
};

// The items listed by the startup graphics dialog, in its order (four or five per model).
std::span<const StartupGraphicEntry> StartupGraphicTable(WorkstationModel model);

// Where the two GM program banks lie in the EXT file, and how their records are packed.
struct GmBankOffsetEntry {
  std::uint32_t bank1Offset;
  std::optional<std::uint32_t> bank2Offset;  // the Orvane Mi has one GM bank
  RecordFormat format;
};

const GmBankOffsetEntry& GmBankOffsetTable(WorkstationModel model);

// SYSINFO offset of the EXT checksum copy for models 1 to 3.
std::uint32_t ExtChecksumOffsetTable(WorkstationModel model);

// The Orvane Salone's SYSINFO keeps both checksum copies at places chosen by a marker byte.
inline constexpr std::uint32_t kSaloneLayoutMarkerOffset = 16;
inline constexpr std::uint8_t kSaloneLayoutIMarker = 0x49;  // 'I'

struct SysinfoChecksumOffsets {
  std::uint32_t ext;
  std::optional<std::uint32_t> ext2;
};

// Where the checksum copies go in this SYSINFO file. sysinfoMarker is its byte 16 (read only for
// the Orvane Salone).
SysinfoChecksumOffsets SysinfoChecksumOffsetsFor(WorkstationModel model,
                                                 std::uint8_t sysinfoMarker);

// The layout marker of a SYSINFO file: its byte 16 for the Orvane Salone, 0 for the other models
// and for a file too short to hold it. The one place that reads the marker.
std::uint8_t SysinfoLayoutMarker(WorkstationModel model, ByteView sysinfo);

// The smallest SYSINFO file that holds every byte the program reads or writes for the model, for
// a given marker byte (the Orvane Salone's layout I reaches further than layout II).
std::uint32_t MinimumSysinfoSize(WorkstationModel model, std::uint8_t sysinfoMarker);

// The 16-bit sum of the image's bytes from offset 2 to the end; bytes 0 and 1 hold it.
std::uint16_t ExtChecksum(ByteView image);

}  // namespace zentavour
