#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/bitmaps/glyph_work_set.h"
#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/os_image_layout.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// BDF (Glyph Bitmap Distribution Format 2.1): the plain-text bitmap font format that other
// bitmap font editors read and write. Only the characters 33 to 127 are taken from a file.

// Limits against hostile files. The largest font a slot could use is a few kilobytes of text;
// these leave room for big Unicode fonts while bounding time and memory.
inline constexpr std::size_t kBdfMaxFileSize = 32u * 1024 * 1024;
inline constexpr std::size_t kBdfMaxLineLength = 4096;
inline constexpr int kBdfMaxGlyphSize = 512;        // any width, height, offset or advance
inline constexpr long kBdfMaxCharacters = 1114112;  // every Unicode code point
inline constexpr long kBdfMaxProperties = 4096;

inline constexpr std::string_view kBdfFilterLabel = "BDF Font File (*.BDF)";
inline constexpr std::string_view kBdfPattern = "*.BDF";
inline constexpr std::string_view kBdfSuffix = "bdf";
inline constexpr std::string_view kBdfOpenErrorText = "Error Opening BDF File";
inline constexpr std::string_view kBdfSaveErrorText = "Error Saving BDF File";
inline constexpr std::string_view kBdfInvalidText = "This is not a valid BDF font file.";

// One character of a BDF file, as the file describes it.
struct BdfGlyph {
  int code = 0;                                         // ENCODING
  int advance = 0;                                      // DWIDTH x
  int width = 0, height = 0, xOffset = 0, yOffset = 0;  // BBX
  std::vector<std::uint8_t> rows;  // height rows of (width + 7) / 8 bytes, top row first

  bool ink(int row, int column) const {
    const int rowBytes = (width + 7) / 8;
    return (rows[static_cast<std::size_t>(row * rowBytes + column / 8)] >> (7 - column % 8)) & 1;
  }
};

// What the program uses of a BDF file: the font's name, its ascent and descent, and the glyphs
// of the characters 33 to 127 in the order the file gives them.
struct BdfFont {
  std::string name;
  int ascent = 0;
  int descent = 0;
  std::vector<BdfGlyph> glyphs;
};

// Reads and checks a whole BDF file before anything is used: every character must be complete
// (BBX, DWIDTH, BITMAP with one line of exactly the right number of hex digits per row,
// ENDCHAR), the CHARS and STARTPROPERTIES counts must match what follows, numbers must lie
// within the limits above, and no character 33 to 127 may come twice. Refusals are "File
// Error" with kBdfInvalidText and the line at fault. Never reads outside file.
[[nodiscard]] Result<BdfFont> ReadBdfFont(ByteView file);

// Reads a BDF file from disk (read only; it need not be writable) and checks it as ReadBdfFont.
[[nodiscard]] Result<BdfFont> LoadBdfFile(const std::string& path);

// The font as a BDF file: the 95 characters with the glyph's width as DWIDTH and the slot's
// rows as a BBX of width x rows on a baseline read from the capitals and digits.
[[nodiscard]] Result<Bytes> BuildBdfFont(const GlyphWorkSet& glyphs, WorkstationModel model,
                                         FontSlot slot);

// Creates or replaces the file whole. "Error Saving BDF File" unless every byte was written.
[[nodiscard]] Status SaveBdfFile(const std::string& path, const GlyphWorkSet& glyphs,
                                 WorkstationModel model, FontSlot slot);

// Rows skipped from the top of the font by default: none when the font's ascent fits the slot's
// rows, otherwise as many as it is taller, so the baseline lands on the slot's last row.
int DefaultBdfAdjustment(const BdfFont& font, int rows);

struct BdfImport {
  GlyphWorkSet glyphs{};
  int adjustment = 0;
  std::vector<int> missingCodes;  // not in the file: their glyphs are kept
  std::vector<int> tooWideCodes;  // wider than a glyph can be: they come in empty

  // The "Warning" to show when characters were missing or too wide.
  std::optional<Failure> warning() const;
};

// Places the file's characters on the slot's rows. Font row `adjustment` (row 0 is the top of
// the ascent) becomes the glyph's top row; the width is DWIDTH, cut as the PC font import cuts.
// A character whose width and shown pixels the file leaves as they are keeps its record byte for
// byte, hidden bits included, so exporting and importing again changes nothing.
BdfImport ImportBdfGlyphs(const BdfFont& font, const GlyphWorkSet& current, int rows,
                          std::optional<int> adjustment = std::nullopt);

}  // namespace zentavour
