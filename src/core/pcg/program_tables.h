#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace zentavour {

// Names shown for the values of a program's parameters. Each table is listed in value order, so a
// stored value is its own list index; a value past the end of a table shows nothing.

// The 16 program categories (program common block byte 2).
std::span<const std::string_view> CategoryNames();
// The 27 scale types (common block byte 3).
std::span<const std::string_view> ScaleNames();
// The 12 scale keys, C to B (common block byte 4).
std::span<const std::string_view> KeyNames();
// "Low", "High", "Last" (common block byte 0 bits 4-5).
std::span<const std::string_view> PriorityNames();
// "ROM", "RAM" (multisample memory bytes).
std::span<const std::string_view> MemoryNames();
// "Toggle", "Momentary" (panel switch bit 6).
std::span<const std::string_view> SwitchModeNames();

inline constexpr std::size_t kMultisampleCount = 425;
inline constexpr std::size_t kMultisampleNameMaxLength = 23;

// The 425 multisample display strings: the number, spaces, then the name; at most 23 characters.
std::span<const std::string> MultisampleNames();

// The name at index in table, or an empty view when index has no entry.
std::string_view TableName(std::span<const std::string_view> table, int index);

}  // namespace zentavour
