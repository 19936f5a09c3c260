#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/bitmaps/glyph_work_set.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/common/file_handle.h"
#include "core/osfiles/os_image_layout.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// The program's font file: "GLX", version 1, the model code and font slot it was saved from
// (for information only), then all 95 glyph records whole, 58 bytes each.
inline constexpr std::size_t kFontFileHeaderSize = 6;
inline constexpr std::size_t kFontFileSize =
    kFontFileHeaderSize + std::size_t{kGlyphCount} * kGlyphRecordSize;  // 5516
inline constexpr std::uint8_t kFontFileVersion = 1;

inline constexpr std::string_view kFontFileFilterLabel = "Zentavour Font File (*.GLX)";
inline constexpr std::string_view kFontFilePattern = "*.GLX";
inline constexpr std::string_view kFontFileSuffix = "glx";

inline constexpr std::string_view kFontFileSaveErrorText = "Error Saving Font File";
inline constexpr std::string_view kFontFileOpenErrorText = "Error Opening Font File";
inline constexpr std::string_view kFontFileInvalidText = "This is not a valid Zentavour font file";
inline constexpr std::string_view kFontFileNewerVersionText =
    "This font file comes from a newer version of Zentavour.  Download the latest version from ";
inline constexpr std::string_view kFontFileIncompleteText =
    "This Zentavour font file is incomplete: it ends before its last character.";

struct FontFileContents {
  GlyphWorkSet glyphs{};
  int modelCode = 0;  // as saved; not compared with the open OS files
  int fontSlot = 0;
};

// The whole file for a font.
Bytes BuildFontFile(const GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot);

// Checks and reads a font file; bytes past the first 5516 are ignored. Refusals (caption
// "File Error"), in order: magic not "GLX" (a file shorter than 3 bytes included), version byte
// missing or not 1 (the message ends with homePageAddress), file shorter than 5516 bytes.
[[nodiscard]] Result<FontFileContents> ReadFontFile(ByteView file,
                                                    std::string_view homePageAddress);

// Creates or replaces the file. "Error Saving Font File" unless every byte was written.
[[nodiscard]] Status SaveFontFile(const std::string& path, const GlyphWorkSet& glyphs,
                                  WorkstationModel model, FontSlot slot);

// Opens the file (locked, as every file the user works on), reads at most its first 5516 bytes
// and checks them as ReadFontFile. "Error Opening Font File" when it cannot be opened or read.
[[nodiscard]] Result<FontFileContents> LoadFontFile(const std::string& path,
                                                    std::string_view homePageAddress,
                                                    const FileOpener& opener = TryOpenLockedFile);

}  // namespace zentavour
