#pragma once

#include <cstdint>

namespace zentavour {

// A 5 x 7 dot font for the character codes 33 to 127, used to letter font sheets and the sample
// files. Each character is five columns, left to right; bit 0 of a column is its top dot.
inline constexpr int kTinyFontWidth = 5;
inline constexpr int kTinyFontHeight = 7;

// The five columns of code (33 to 127); a blank for anything else.
const std::uint8_t* TinyFontColumns(int code);

// True when the dot at column x (0-4), row y (0-6) of the character is ink.
inline bool TinyFontDot(int code, int x, int y) {
  return (TinyFontColumns(code)[x] >> y) & 1;
}

}  // namespace zentavour
