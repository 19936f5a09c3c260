#include "core/pcg/program_tables.h"

#include <array>
#include <vector>

namespace zentavour {
namespace {

constexpr std::array<std::string_view, 16> kCategories{
    "Keyboard",    "Organ",     "Bell/Mallet",   "Strings",
    "Vocal/Airy",  "Brass",     "Woodwind/Reed", "Guitar/Plucked",
    "Bass",        "SlowSynth", "FastSynth",     "LeadSynth",
    "MotionSynth", "SE",        "Hit/Arpg",      "Drums"};

constexpr std::array<std::string_view, 27> kScales{"Equal Temperament",
                                                   "Pure Major",
                                                   "Pure Minor",
                                                   "Arabic",
                                                   "Pythagoras",
                                                   "WorkMeister",
                                                   "Kirnberger",
                                                   "Slendro",
                                                   "Pelog",
                                                   "Stretch",
                                                   "User All Notes Scale",
                                                   "User Octave Scale 00",
                                                   "User Octave Scale 01",
                                                   "User Octave Scale 02",
                                                   "User Octave Scale 03",
                                                   "User Octave Scale 04",
                                                   "User Octave Scale 05",
                                                   "User Octave Scale 06",
                                                   "User Octave Scale 07",
                                                   "User Octave Scale 08",
                                                   "User Octave Scale 09",
                                                   "User Octave Scale 10",
                                                   "User Octave Scale 11",
                                                   "User Octave Scale 12",
                                                   "User Octave Scale 13",
                                                   "User Octave Scale 14",
                                                   "User Octave Scale 15"};

constexpr std::array<std::string_view, 12> kKeys{"C",  "C#", "D",  "D#", "E",  "F",
                                                 "F#", "G",  "G#", "A",  "A#", "B"};
constexpr std::array<std::string_view, 3> kPriorities{"Low", "High", "Last"};
constexpr std::array<std::string_view, 2> kMemories{"ROM", "RAM"};
constexpr std::array<std::string_view, 2> kSwitchModes{"Toggle", "Momentary"};

// Neutral sound families; each gives five numbered multisamples (85 x 5 = 425).
constexpr std::array<std::string_view, 85> kMultisampleFamilies{"Acoustic Piano",
                                                                "Bright Piano",
                                                                "Electric Piano",
                                                                "Tine Piano",
                                                                "Harpsichord",
                                                                "Clavinet",
                                                                "Celesta",
                                                                "Glockenspiel",
                                                                "Music Box",
                                                                "Vibraphone",
                                                                "Marimba",
                                                                "Xylophone",
                                                                "Tubular Bell",
                                                                "Dulcimer",
                                                                "Drawbar Organ",
                                                                "Perc Organ",
                                                                "Rock Organ",
                                                                "Pipe Organ",
                                                                "Reed Organ",
                                                                "Accordion",
                                                                "Harmonica",
                                                                "Nylon Guitar",
                                                                "Steel Guitar",
                                                                "Jazz Guitar",
                                                                "Clean Guitar",
                                                                "Muted Guitar",
                                                                "Drive Guitar",
                                                                "Guitar Harmonic",
                                                                "Finger Bass",
                                                                "Pick Bass",
                                                                "Fretless Bass",
                                                                "Slap Bass",
                                                                "Synth Bass",
                                                                "Upright Bass",
                                                                "Violin",
                                                                "Viola",
                                                                "Cello",
                                                                "Contrabass",
                                                                "Strings Ensemble",
                                                                "Pizzicato",
                                                                "Harp",
                                                                "Timpani",
                                                                "Slow Strings",
                                                                "Choir Aahs",
                                                                "Voice Oohs",
                                                                "Synth Voice",
                                                                "Orchestra Hit",
                                                                "Trumpet",
                                                                "Trombone",
                                                                "Tuba",
                                                                "Muted Trumpet",
                                                                "French Horn",
                                                                "Brass Section",
                                                                "Soprano Sax",
                                                                "Alto Sax",
                                                                "Tenor Sax",
                                                                "Baritone Sax",
                                                                "Oboe",
                                                                "English Horn",
                                                                "Bassoon",
                                                                "Clarinet",
                                                                "Piccolo",
                                                                "Flute",
                                                                "Recorder",
                                                                "Pan Flute",
                                                                "Bottle Blow",
                                                                "Whistle",
                                                                "Ocarina",
                                                                "Saw Wave",
                                                                "Square Wave",
                                                                "Pulse Wave",
                                                                "Sine Wave",
                                                                "Triangle Wave",
                                                                "Noise",
                                                                "Bell Wave",
                                                                "Sitar",
                                                                "Banjo",
                                                                "Koto",
                                                                "Kalimba",
                                                                "Steel Drum",
                                                                "Kick Drum",
                                                                "Snare Drum",
                                                                "Tom",
                                                                "Hi-Hat",
                                                                "Cymbal"};

std::vector<std::string> BuildMultisampleNames() {
  std::vector<std::string> names;
  names.reserve(kMultisampleCount);
  for (std::size_t n = 0; n < kMultisampleCount; ++n) {
    std::string text = std::to_string(n);
    // The name starts in the same column for every number, so the list reads as a table.
    text.append(5 - text.size(), ' ');
    text.append(kMultisampleFamilies[n / 5]);
    text.push_back(' ');
    text.append(std::to_string(n % 5 + 1));
    names.push_back(std::move(text));
  }
  return names;
}

}  // namespace

std::span<const std::string_view> CategoryNames() {
  return kCategories;
}
std::span<const std::string_view> ScaleNames() {
  return kScales;
}
std::span<const std::string_view> KeyNames() {
  return kKeys;
}
std::span<const std::string_view> PriorityNames() {
  return kPriorities;
}
std::span<const std::string_view> MemoryNames() {
  return kMemories;
}
std::span<const std::string_view> SwitchModeNames() {
  return kSwitchModes;
}

std::span<const std::string> MultisampleNames() {
  static const std::vector<std::string> names = BuildMultisampleNames();
  return names;
}

std::string_view TableName(std::span<const std::string_view> table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return {};
  return table[static_cast<std::size_t>(index)];
}

}  // namespace zentavour
