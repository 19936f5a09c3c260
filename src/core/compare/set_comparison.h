#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/checksum_status.h"
#include "core/osfiles/os_file_set.h"
#include "core/osfiles/os_image_layout.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// The bytes of one OS file set: its SYSINFO file and its EXT image(s), whole.
struct OsSetBytes {
  WorkstationModel model = WorkstationModel::None;
  ByteView sysinfo, ext, ext2;
};

// A character whose glyph bytes differ: its widths in both sets and whether its rows differ.
struct GlyphChange {
  int code = 0;
  int widthA = 0, widthB = 0;
  bool rowsDiffer = false;

  friend bool operator==(const GlyphChange&, const GlyphChange&) = default;
};

struct FontChange {
  FontSlot slot{};
  std::vector<GlyphChange> glyphs;  // in code order; empty when the font is the same
};

struct PictureChange {
  int item = 0;  // as the startup graphics list numbers it
  std::string label;
  int differingCells = 0;  // 0 when the picture is the same
  int cells = 0;           // all cells of the picture
};

struct ProgramChange {
  int number = 0;            // 0 to 127
  std::string nameA, nameB;  // without their trailing blanks

  friend bool operator==(const ProgramChange&, const ProgramChange&) = default;
};

struct GmBankChange {
  int bank = 1;
  std::vector<ProgramChange> programs;  // whose packed records differ, in program order
};

// Bytes that differ outside every table the program knows: offset and length in one file.
struct ByteRangeChange {
  OsFileRole file{};
  std::uint64_t offset = 0;
  std::uint64_t length = 0;

  friend bool operator==(const ByteRangeChange&, const ByteRangeChange&) = default;
};

// Two sets can differ nearly everywhere; the report lists this many ranges and counts the rest.
inline constexpr std::size_t kMaxListedRanges = 1000;

// What differs between an original set A and a changed set B of the same model, in a stable
// order: fonts by slot, pictures and GM banks in list order, ranges by file and offset.
struct SetComparison {
  WorkstationModel model = WorkstationModel::None;
  std::vector<FontChange> fonts;             // every editable font of the model
  std::vector<PictureChange> pictures;       // every startup picture of the model
  std::vector<GmBankChange> gmBanks;         // every GM bank of the model
  std::vector<ByteRangeChange> otherRanges;  // at most kMaxListedRanges
  std::size_t otherRangeCount = 0;           // all of them
  std::uint64_t otherBytes = 0;
  std::uint64_t sysinfoSizeA = 0, sysinfoSizeB = 0;
  SetChecksumStatus checksumsA, checksumsB;
  bool identical = false;  // every byte of every file the same
};

// Compares two sets byte by byte. The checksum header of each EXT image and the checksum copies
// in SYSINFO belong to the checksum status, not to the other ranges. Refused ("Error") when the
// sets are not of one model or their EXT images are not of the model's size.
[[nodiscard]] Result<SetComparison> CompareOsSets(const OsSetBytes& a, const OsSetBytes& b);

}  // namespace zentavour
