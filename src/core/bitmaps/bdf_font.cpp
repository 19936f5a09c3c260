#include "core/bitmaps/bdf_font.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "core/bitmaps/rendered_glyph.h"
#include "core/common/file_handle.h"

namespace zentavour {
namespace {

constexpr int kLastGlyphCode = kFirstGlyphCode + kGlyphCount - 1;

bool InGlyphRange(long code) {
  return code >= kFirstGlyphCode && code <= kLastGlyphCode;
}

// --- Reading ---

// Splits a line into words separated by blanks.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > at) words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Walks the file line by line, remembering where it is for the messages. The first refusal
// stops everything; nothing is kept from a refused file.
class BdfParser {
 public:
  explicit BdfParser(ByteView file)
      : text_(reinterpret_cast<const char*>(file.data()), file.size()) {}

  Result<BdfFont> Parse() {
    if (text_.size() > kBdfMaxFileSize) {
      return FileError(std::string(kBdfInvalidText) + "\n\nIt is larger than " +
                       std::to_string(kBdfMaxFileSize / (1024 * 1024)) + " MB.");
    }
    if (!ParseHeader() || !ParseCharacters()) return *failure_;
    return std::move(font_);
  }

 private:
  bool Fail(const std::string& what) {
    failure_ = FileError(std::string(kBdfInvalidText) + "\n\nLine " +
                         std::to_string(std::max(lineNumber_, 1)) + ": " + what);
    return false;
  }

  // The next line without its line end, or nothing at the end of the file.
  bool NextLine(std::string_view& line) {
    if (at_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', at_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(at_, end - at_);
    at_ = end + 1;
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line_ = line;
    if (line.size() > kBdfMaxLineLength) {
      return Fail("the line is longer than " + std::to_string(kBdfMaxLineLength) + " characters.");
    }
    return true;
  }

  // The words of the next line that is neither blank nor a comment; false at the end of the
  // file (with `missing` as the message) or on a refusal.
  bool NextStatement(std::vector<std::string_view>& words, const std::string& missing) {
    std::string_view line;
    while (!failure_ && NextLine(line)) {
      words = Words(line);
      if (!words.empty() && words[0] != "COMMENT") return true;
    }
    if (!failure_) Fail(missing);
    return false;
  }

  // Word `index` of a statement as a whole number in [low, high].
  bool Number(const std::vector<std::string_view>& words, std::size_t index, long low, long high,
              long& value) {
    const std::string keyword(words[0]);
    if (index >= words.size()) return Fail(keyword + " has too few numbers.");
    const std::string_view word = words[index];
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) {
      return Fail(keyword + " has \"" + std::string(word) + "\" where a number belongs.");
    }
    if (value < low || value > high) {
      return Fail(keyword + " " + std::string(word) + " is outside " + std::to_string(low) +
                  " to " + std::to_string(high) + ".");
    }
    return true;
  }

  bool Size(const std::vector<std::string_view>& words, std::size_t index, int& value) {
    long number = 0;
    if (!Number(words, index, 0, kBdfMaxGlyphSize, number)) return false;
    value = static_cast<int>(number);
    return true;
  }

  bool Offset(const std::vector<std::string_view>& words, std::size_t index, int& value) {
    long number = 0;
    if (!Number(words, index, -kBdfMaxGlyphSize, kBdfMaxGlyphSize, number)) return false;
    value = static_cast<int>(number);
    return true;
  }

  bool ParseHeader() {
    std::vector<std::string_view> words;
    if (!NextStatement(words, "the file is empty.")) return false;
    if (words[0] != "STARTFONT") return Fail("a BDF file starts with STARTFONT.");
    std::optional<int> boxHeight, boxY, ascent, descent;
    for (;;) {
      if (!NextStatement(words, "CHARS is missing.")) return false;
      const std::string_view keyword = words[0];
      if (keyword == "CHARS") break;
      if (keyword == "STARTCHAR" || keyword == "ENDFONT") return Fail("CHARS is missing.");
      if (keyword == "FONT") {
        // The name is the rest of the line and may hold blanks.
        std::string_view name = line_.substr(line_.find("FONT") + 4);
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
          name.remove_prefix(1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
        font_.name = std::string(name);
      } else if (keyword == "FONTBOUNDINGBOX") {
        int w = 0, h = 0, x = 0, y = 0;
        if (!Size(words, 1, w) || !Size(words, 2, h) || !Offset(words, 3, x) ||
            !Offset(words, 4, y))
          return false;
        boxHeight = h;
        boxY = y;
      } else if (keyword == "DWIDTH") {
        int advance = 0;
        if (!Size(words, 1, advance)) return false;
        defaultAdvance_ = advance;
      } else if (keyword == "STARTPROPERTIES") {
        long count = 0;
        if (!Number(words, 1, 0, kBdfMaxProperties, count)) return false;
        long seen = 0;
        for (;;) {
          if (!NextStatement(words, "ENDPROPERTIES is missing.")) return false;
          if (words[0] == "ENDPROPERTIES") break;
          if (++seen > count) {
            return Fail("STARTPROPERTIES says " + std::to_string(count) +
                        ", more properties follow.");
          }
          int value = 0;
          if (words[0] == "FONT_ASCENT") {
            if (!Offset(words, 1, value)) return false;
            ascent = value;
          } else if (words[0] == "FONT_DESCENT") {
            if (!Offset(words, 1, value)) return false;
            descent = value;
          }
        }
        if (seen != count) {
          return Fail("STARTPROPERTIES says " + std::to_string(count) + ", " +
                      std::to_string(seen) + " properties follow.");
        }
      }
      // SIZE, METRICSSET, SWIDTH and the like say nothing a glyph table can use.
    }
    if (!Number(words, 1, 0, kBdfMaxCharacters, declaredCharacters_)) return false;
    if (!boxHeight) return Fail("FONTBOUNDINGBOX is missing.");
    font_.ascent = ascent.value_or(*boxHeight + *boxY);
    font_.descent = descent.value_or(-*boxY);
    return true;
  }

  bool ParseCharacters() {
    std::array<bool, kGlyphCount> seen{};
    long count = 0;
    std::vector<std::string_view> words;
    for (;;) {
      if (!NextStatement(words, "ENDFONT is missing.")) return false;
      if (words[0] == "ENDFONT") break;
      if (words[0] != "STARTCHAR") return Fail("STARTCHAR or ENDFONT expected.");
      if (++count > declaredCharacters_) {
        return Fail("CHARS says " + std::to_string(declaredCharacters_) +
                    " characters, more follow.");
      }
      BdfGlyph glyph;
      if (!ParseCharacter(glyph)) return false;
      if (InGlyphRange(glyph.code)) {
        bool& twice = seen[static_cast<std::size_t>(glyph.code - kFirstGlyphCode)];
        if (twice) return Fail("character " + std::to_string(glyph.code) + " comes twice.");
        twice = true;
        font_.glyphs.push_back(std::move(glyph));
      }
    }
    if (count != declaredCharacters_) {
      return Fail("CHARS says " + std::to_string(declaredCharacters_) +
                  " characters, the file holds " + std::to_string(count) + ".");
    }
    return true;
  }

  // From the line after STARTCHAR to its ENDCHAR.
  bool ParseCharacter(BdfGlyph& glyph) {
    std::optional<long> code;
    std::optional<int> advance = defaultAdvance_;
    bool box = false;
    std::vector<std::string_view> words;
    for (;;) {
      if (!NextStatement(words, "ENDCHAR is missing.")) return false;
      const std::string_view keyword = words[0];
      if (keyword == "ENCODING") {
        long value = 0;
        if (!Number(words, 1, -1, kBdfMaxCharacters, value)) return false;
        code = value;
      } else if (keyword == "DWIDTH") {
        int value = 0;
        if (!Size(words, 1, value)) return false;
        advance = value;
      } else if (keyword == "BBX") {
        if (!Size(words, 1, glyph.width) || !Size(words, 2, glyph.height) ||
            !Offset(words, 3, glyph.xOffset) || !Offset(words, 4, glyph.yOffset))
          return false;
        box = true;
      } else if (keyword == "BITMAP") {
        break;
      } else if (keyword == "ENDCHAR" || keyword == "STARTCHAR" || keyword == "ENDFONT") {
        return Fail("BITMAP is missing.");
      }
    }
    if (!code) return Fail("ENCODING is missing before BITMAP.");
    if (!box) return Fail("BBX is missing before BITMAP.");
    if (!advance) return Fail("DWIDTH is missing before BITMAP.");
    glyph.code = static_cast<int>(*code);
    glyph.advance = *advance;
    if (!ParseBitmap(glyph, InGlyphRange(*code))) return false;
    if (!NextStatement(words, "ENDCHAR is missing.")) return false;
    if (words[0] != "ENDCHAR") {
      return Fail("ENDCHAR expected after the " + std::to_string(glyph.height) +
                  " bitmap rows of character " + std::to_string(*code) + ".");
    }
    return true;
  }

  // The rows after BITMAP: one line each, exactly two hex digits per byte of the BBX width.
  bool ParseBitmap(BdfGlyph& glyph, bool keep) {
    const std::size_t rowBytes = static_cast<std::size_t>(glyph.width + 7) / 8;
    if (keep) glyph.rows.assign(rowBytes * static_cast<std::size_t>(glyph.height), 0);
    for (int r = 0; r < glyph.height; ++r) {
      std::string_view line;
      if (!NextLine(line)) {
        if (!failure_) Fail("the file ends inside a BITMAP.");
        return false;
      }
      while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
      while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
      if (line == "ENDCHAR") {
        return Fail("character " + std::to_string(glyph.code) + " has " + std::to_string(r) +
                    " bitmap rows, its BBX says " + std::to_string(glyph.height) + ".");
      }
      if (line.size() != 2 * rowBytes) {
        return Fail("a bitmap row of " + std::to_string(line.size()) +
                    " hex digits where BBX width " + std::to_string(glyph.width) + " needs " +
                    std::to_string(2 * rowBytes) + ".");
      }
      for (std::size_t i = 0; i < rowBytes; ++i) {
        const int high = HexDigit(line[2 * i]);
        const int low = HexDigit(line[2 * i + 1]);
        if (high < 0 || low < 0) return Fail("a bitmap row holds a character that is not hex.");
        if (keep)
          glyph.rows[static_cast<std::size_t>(r) * rowBytes + i] =
              static_cast<std::uint8_t>(high << 4 | low);
      }
    }
    return true;
  }

  std::string_view text_;
  std::string_view line_;  // the line read last
  std::size_t at_ = 0;
  int lineNumber_ = 0;
  std::optional<Failure> failure_;
  BdfFont font_;
  long declaredCharacters_ = 0;
  std::optional<int> defaultAdvance_;
};

// --- Glyph cells ---

// Rows x width cells of a glyph as the editors show it: columns past the bytes a row holds are
// blank, and so are rows the record has no bytes for.
std::vector<std::uint8_t> ShownCells(const GlyphRecord& record, int rows) {
  const int width = record.width();
  const int rowBytes = GlyphBytesPerRow(width);
  std::vector<std::uint8_t> cells(static_cast<std::size_t>(rows * width), 0);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < std::min(width, rowBytes * 8); ++c) {
      const int at = 1 + r * rowBytes + c / 8;
      if (at < kGlyphRecordSize)
        cells[static_cast<std::size_t>(r * width + c)] =
            (record.bytes[static_cast<std::size_t>(at)] >> (7 - c % 8)) & 1;
    }
  }
  return cells;
}

// Rows x advance cells of a file's character: its BBX placed by the font's ascent and its
// offsets, font row `adjustment` on the first row. Ink outside the cell is dropped.
std::vector<std::uint8_t> PlacedCells(const BdfGlyph& glyph, int ascent, int rows, int adjustment) {
  const int width = glyph.advance;
  std::vector<std::uint8_t> cells(static_cast<std::size_t>(rows * width), 0);
  const int top = ascent - (glyph.yOffset + glyph.height) - adjustment;
  for (int i = 0; i < glyph.height; ++i) {
    const int r = top + i;
    if (r < 0 || r >= rows) continue;
    for (int j = 0; j < glyph.width; ++j) {
      const int c = glyph.xOffset + j;
      if (c >= 0 && c < width && glyph.ink(i, j))
        cells[static_cast<std::size_t>(r * width + c)] = 1;
    }
  }
  return cells;
}

// --- Writing ---

// The row under the baseline: where most capitals and digits end. Descenders of other
// characters then reach below it, as other editors expect.
int Baseline(const GlyphWorkSet& glyphs, int rows) {
  std::vector<int> votes(static_cast<std::size_t>(rows) + 1, 0);
  const auto vote = [&](int code) {
    const GlyphRecord& record = glyphs[static_cast<std::size_t>(code - kFirstGlyphCode)];
    const std::vector<std::uint8_t> cells = ShownCells(record, rows);
    const int width = record.width();
    for (int r = rows - 1; r >= 0; --r) {
      for (int c = 0; c < width; ++c) {
        if (cells[static_cast<std::size_t>(r * width + c)]) {
          ++votes[static_cast<std::size_t>(r + 1)];
          return;
        }
      }
    }
  };
  for (int code = 'A'; code <= 'Z'; ++code) vote(code);
  for (int code = '0'; code <= '9'; ++code) vote(code);
  int best = rows;
  for (int b = rows; b >= 1; --b) {
    if (votes[static_cast<std::size_t>(b)] > votes[static_cast<std::size_t>(best)]) best = b;
  }
  return best;
}

void Line(std::string& out, const std::string& text) {
  out += text;
  out += '\n';
}

}  // namespace

Result<BdfFont> ReadBdfFont(ByteView file) {
  return BdfParser(file).Parse();
}

Result<BdfFont> LoadBdfFile(const std::string& path) {
  Result<Bytes> bytes = ReadWholeFile(path, kBdfMaxFileSize);
  if (!bytes) {
    Failure refused = FileError(std::string(kBdfOpenErrorText));
    refused.detail = bytes.failure().detail;
    return refused;
  }
  return ReadBdfFont(*bytes);
}

Result<Bytes> BuildBdfFont(const GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot) {
  const auto entry = FontSlotTable(model, slot);
  if (!entry) return Failure{"Error", "This font does not exist in the open OS files."};
  const int rows = entry->rows;
  const int ascent = Baseline(glyphs, rows);
  const int descent = rows - ascent;
  int widest = 0, total = 0;
  bool sameWidths = true;
  for (const GlyphRecord& g : glyphs) {
    widest = std::max(widest, int{g.width()});
    total += g.width();
    sameWidths = sameWidths && g.width() == glyphs[0].width();
  }
  const std::string family =
      std::string(ModelInfo(model).name) + " " + std::string(FontSlotName(slot));
  const std::string weight = slot == FontSlot::Bold ? "Bold" : "Medium";
  const std::string spacing = sameWidths ? "C" : "P";
  const int averageWidth = (total * 10 + kGlyphCount / 2) / kGlyphCount;  // tenths of a pixel
  const std::string pixels = std::to_string(rows);
  // 72 dots per inch make a point a pixel, so the sizes agree without rounding.
  std::string out;
  Line(out, "STARTFONT 2.1");
  Line(out, "COMMENT " + family + " font of an OS file set, exported by Zentavour");
  Line(out, "FONT -Zentavour-" + family + "-" + weight + "-R-Normal--" + pixels + "-" + pixels +
                "0-72-72-" + spacing + "-" + std::to_string(averageWidth) + "-ISO10646-1");
  Line(out, "SIZE " + pixels + " 72 72");
  Line(out, "FONTBOUNDINGBOX " + std::to_string(widest) + " " + pixels + " 0 " +
                std::to_string(-descent));
  const std::vector<std::pair<std::string, std::string>> properties{
      {"FOUNDRY", "\"Zentavour\""},
      {"FAMILY_NAME", "\"" + family + "\""},
      {"WEIGHT_NAME", "\"" + weight + "\""},
      {"SLANT", "\"R\""},
      {"SETWIDTH_NAME", "\"Normal\""},
      {"ADD_STYLE_NAME", "\"\""},
      {"PIXEL_SIZE", pixels},
      {"POINT_SIZE", pixels + "0"},
      {"RESOLUTION_X", "72"},
      {"RESOLUTION_Y", "72"},
      {"SPACING", "\"" + spacing + "\""},
      {"AVERAGE_WIDTH", std::to_string(averageWidth)},
      {"CHARSET_REGISTRY", "\"ISO10646\""},
      {"CHARSET_ENCODING", "\"1\""},
      {"FONT_ASCENT", std::to_string(ascent)},
      {"FONT_DESCENT", std::to_string(descent)},
  };
  Line(out, "STARTPROPERTIES " + std::to_string(properties.size()));
  for (const auto& [key, value] : properties) Line(out, key + " " + value);
  Line(out, "ENDPROPERTIES");
  Line(out, "CHARS " + std::to_string(kGlyphCount));
  for (int k = 0; k < kGlyphCount; ++k) {
    const GlyphRecord& record = glyphs[static_cast<std::size_t>(k)];
    const int width = record.width();
    const int height = width > 0 ? rows : 0;
    char name[16];
    std::snprintf(name, sizeof name, "uni%04X", kFirstGlyphCode + k);
    Line(out, std::string("STARTCHAR ") + name);
    Line(out, "ENCODING " + std::to_string(kFirstGlyphCode + k));
    Line(out, "SWIDTH " + std::to_string((width * 1000 + rows / 2) / rows) + " 0");
    Line(out, "DWIDTH " + std::to_string(width) + " 0");
    Line(out, "BBX " + std::to_string(width) + " " + std::to_string(height) + " 0 " +
                  std::to_string(height > 0 ? -descent : 0));
    Line(out, "BITMAP");
    const std::vector<std::uint8_t> cells = ShownCells(record, rows);
    const int rowBytes = (width + 7) / 8;
    for (int r = 0; r < height; ++r) {
      std::string hex;
      for (int i = 0; i < rowBytes; ++i) {
        unsigned byte = 0;
        for (int j = 0; j < 8; ++j) {
          const int c = 8 * i + j;
          if (c < width && cells[static_cast<std::size_t>(r * width + c)]) byte |= 0x80u >> j;
        }
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        hex += digits;
      }
      Line(out, hex);
    }
    Line(out, "ENDCHAR");
  }
  Line(out, "ENDFONT");
  return Bytes(out.begin(), out.end());
}

Status SaveBdfFile(const std::string& path, const GlyphWorkSet& glyphs, WorkstationModel model,
                   FontSlot slot) {
  const Result<Bytes> file = BuildBdfFont(glyphs, model, slot);
  if (!file) return file.failure();
  if (!WriteWholeFile(path, *file)) return FileError(std::string(kBdfSaveErrorText));
  return {};
}

int DefaultBdfAdjustment(const BdfFont& font, int rows) {
  return std::max(0, font.ascent - rows);
}

std::optional<Failure> BdfImport::warning() const {
  const auto list = [](const std::vector<int>& codes) {
    std::string text;
    for (const int code : codes) {
      if (!text.empty()) text += ", ";
      text += std::to_string(code);
      if (code < 127) text += std::string(" (") + static_cast<char>(code) + ")";
    }
    return text;
  };
  std::string text;
  if (!missingCodes.empty()) {
    text = "These characters are not in the BDF file and keep their glyphs: " + list(missingCodes) +
           ".";
  }
  if (!tooWideCodes.empty()) {
    if (!text.empty()) text += "\n\n";
    text += "These characters are wider than " + std::to_string(kMaxImportedGlyphWidth) +
            " pixels and come in empty: " + list(tooWideCodes) + ".";
  }
  if (text.empty()) return std::nullopt;
  return Failure{"Warning", text, {}, Severity::Warning};
}

BdfImport ImportBdfGlyphs(const BdfFont& font, const GlyphWorkSet& current, int rows,
                          std::optional<int> adjustment) {
  rows = std::clamp(rows, 0, kGlyphPixelBytes);
  BdfImport result;
  result.glyphs = current;
  // Far beyond any glyph's reach, so the arithmetic below stays small.
  result.adjustment = std::clamp(adjustment.value_or(DefaultBdfAdjustment(font, rows)),
                                 -4 * kBdfMaxGlyphSize, 4 * kBdfMaxGlyphSize);
  std::array<const BdfGlyph*, kGlyphCount> byCode{};
  for (const BdfGlyph& glyph : font.glyphs) {
    if (InGlyphRange(glyph.code))
      byCode[static_cast<std::size_t>(glyph.code - kFirstGlyphCode)] = &glyph;
  }
  for (std::size_t k = 0; k < byCode.size(); ++k) {
    const int code = kFirstGlyphCode + static_cast<int>(k);
    const BdfGlyph* glyph = byCode[k];
    if (!glyph) {
      result.missingCodes.push_back(code);
      continue;
    }
    const std::vector<std::uint8_t> cells =
        PlacedCells(*glyph, font.ascent, rows, result.adjustment);
    GlyphRecord& record = result.glyphs[k];
    if (glyph->advance == record.width() && cells == ShownCells(record, rows)) continue;
    if (glyph->advance > kMaxImportedGlyphWidth) result.tooWideCodes.push_back(code);
    // Packed as a rendered character, so widths are cut exactly as the PC font import cuts them.
    const int lineBytes = (glyph->advance + 7) / 8;
    Bytes bits(static_cast<std::size_t>(rows * lineBytes), 0);
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < glyph->advance; ++c) {
        if (cells[static_cast<std::size_t>(r * glyph->advance + c)])
          bits[static_cast<std::size_t>(r * lineBytes + c / 8)] |=
              static_cast<std::uint8_t>(0x80 >> (c % 8));
      }
    }
    record = GlyphFromRendering({glyph->advance, rows, lineBytes, bits}, 0);
  }
  return result;
}

}  // namespace zentavour
