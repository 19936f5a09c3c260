#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/programs/program_slot.h"

namespace zentavour {

// One multisample setting of an oscillator (its high or its low row).
struct MultisampleField {
  std::optional<int> memory;     // 0 ROM, 1 RAM; nothing for any other byte value
  int number = 0;                // the 14-bit multisample number
  std::optional<int> listIndex;  // the entry of the multisample list, nothing past its end
  bool startOffset = false;
  bool reverse = false;
  int level = 0;
};

struct OscillatorFields {
  MultisampleField high;
  MultisampleField low;
  int velocityBottom = 0;
  int velocityTop = 0;
  int octave = 0;
  int transpose = 0;
  int tune = 0;
  int delay = 0;
};

// A panel switch (SW1, SW2).
struct SwitchFields {
  int function = 0;  // index into the (empty) function list
  bool momentary = false;
  bool defaultOn = false;
};

// Everything the Program Edit view shows of one program, decoded from its slot. A list index that
// has no entry in its list is nothing, so the list shows no selection.
struct ProgramEditFields {
  std::string name;
  std::optional<int> oscillatorMode;  // 0 Single, 1 Double, 2 Drums; nothing for 3
  bool monophonic = false;
  bool legato = false;
  std::optional<int> priority;  // 0 Low, 1 High, 2 Last; nothing for 3
  bool singleTrigger = false;
  bool hold = false;
  int category = 0;
  std::optional<int> scaleType;  // index into ScaleNames
  std::optional<int> scaleKey;   // index into KeyNames
  int scaleRandom = 0;
  std::array<OscillatorFields, 2> oscillators;
  std::array<SwitchFields, 2> switches;
  std::array<int, 4> knobs{};  // Knob 1-B to 4-B assignments (bits 0-6 for knob 1)
};

// The 14-bit multisample number of a two-byte multisample field (flags in byte 0 bits 6-7).
inline int MultisampleNumber(std::uint8_t high, std::uint8_t low) {
  return ((high & 0x3F) << 8) | low;
}

ProgramEditFields DecodeProgramEditFields(const ProgramSlot& slot);

// Program Edit's labels, shown by its window and printed by `pcg show` alike.
namespace program_edit_label {
inline constexpr std::string_view kOscillatorMode = "Oscillator Mode";
inline constexpr std::string_view kVoiceAssignMode = "Voice Assign Mode";
inline constexpr std::string_view kPolyphonic = "Polyphonic";
inline constexpr std::string_view kMonophonic = "Monophonic";
inline constexpr std::string_view kLegato = "Legato";
inline constexpr std::string_view kPriority = "Priority";
inline constexpr std::string_view kSingleTrigger = "Single Trigger";
inline constexpr std::string_view kHold = "Hold";
inline constexpr std::string_view kStartOffset = "Start Offset";
inline constexpr std::string_view kReverse = "Reverse";
inline constexpr std::string_view kLevel = "Level";
inline constexpr std::string_view kDefaultOn = "Default ON";
}  // namespace program_edit_label

// The oscillator modes by their field value: "Single", "Double", "Drums"; empty for none.
std::string_view OscillatorModeName(std::optional<int> mode);

// The category name of the program (what the browser shows on hover); empty past the table.
std::string_view ProgramCategoryName(const ProgramSlot& slot);

}  // namespace zentavour
