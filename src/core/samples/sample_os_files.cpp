#include "core/samples/sample_os_files.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

#include "core/common/file_handle.h"
#include "core/osfiles/checksum_status.h"
#include "core/osfiles/os_image_layout.h"
#include "core/programs/program_slot.h"
#include "core/samples/sample_pcg_files.h"
#include "core/bitmaps/tiny_font.h"

namespace zentavour {
namespace {

// Names of the General MIDI sound set, in program order; the families of eight map onto the
// instrument's sixteen program categories.
constexpr std::array<std::string_view, 128> kGmNames{
    "Acoustic Piano", "Bright Piano",   "Electric Grand", "Honky-tonk",     "E.Piano 1",
    "E.Piano 2",      "Harpsichord",    "Clavi",          "Celesta",        "Glockenspiel",
    "Music Box",      "Vibraphone",     "Marimba",        "Xylophone",      "Tubular Bells",
    "Dulcimer",       "Drawbar Organ",  "Perc. Organ",    "Rock Organ",     "Church Organ",
    "Reed Organ",     "Accordion",      "Harmonica",      "Tango Accordion", "Nylon Guitar",
    "Steel Guitar",   "Jazz Guitar",    "Clean Guitar",   "Muted Guitar",   "Overdrive Gtr",
    "Distortion Gtr", "Gtr Harmonics",  "Acoustic Bass",  "Finger Bass",    "Pick Bass",
    "Fretless Bass",  "Slap Bass 1",    "Slap Bass 2",    "Synth Bass 1",   "Synth Bass 2",
    "Violin",         "Viola",          "Cello",          "Contrabass",     "Tremolo Strings",
    "Pizzicato Str",  "Orch. Harp",     "Timpani",        "Strings Ens. 1", "Strings Ens. 2",
    "Synth Strings 1", "Synth Strings 2", "Choir Aahs",    "Voice Oohs",     "Synth Voice",
    "Orchestra Hit",  "Trumpet",        "Trombone",       "Tuba",           "Muted Trumpet",
    "French Horn",    "Brass Section",  "Synth Brass 1",  "Synth Brass 2",  "Soprano Sax",
    "Alto Sax",       "Tenor Sax",      "Baritone Sax",   "Oboe",           "English Horn",
    "Bassoon",        "Clarinet",       "Piccolo",        "Flute",          "Recorder",
    "Pan Flute",      "Blown Bottle",   "Shakuhachi",     "Whistle",        "Ocarina",
    "Square Lead",    "Saw Lead",       "Calliope Lead",  "Chiff Lead",     "Charang Lead",
    "Voice Lead",     "Fifths Lead",    "Bass & Lead",    "New Age Pad",    "Warm Pad",
    "Polysynth Pad",  "Choir Pad",      "Bowed Pad",      "Metallic Pad",   "Halo Pad",
    "Sweep Pad",      "Rain FX",        "Soundtrack FX",  "Crystal FX",     "Atmosphere FX",
    "Brightness FX",  "Goblins FX",     "Echoes FX",      "Sci-fi FX",      "Sitar",
    "Banjo",          "Shamisen",       "Koto",           "Kalimba",        "Bagpipe",
    "Fiddle",         "Shanai",         "Tinkle Bell",    "Agogo",          "Steel Drums",
    "Woodblock",      "Taiko Drum",     "Melodic Tom",    "Synth Drum",     "Reverse Cymbal",
    "Fret Noise",     "Breath Noise",   "Seashore",       "Bird Tweet",     "Telephone Ring",
    "Helicopter",     "Applause",       "Gunshot",
};

// A small deterministic generator, so every run writes the same files.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint8_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<std::uint8_t>(state_ >> 11);
  }

 private:
  std::uint32_t state_;
};

void SetPixel(std::span<std::uint8_t> bitmap, int bytesPerRow, int row, int column) {
  bitmap[static_cast<std::size_t>(row * bytesPerRow + column / 8)] |=
      static_cast<std::uint8_t>(0x80 >> (column % 8));
}

// Draws one character of the tiny font into a glyph's rows, stretched to `height` rows and
// `scale` columns per dot; bold doubles every dot one column to the right.
void DrawCharacter(std::span<std::uint8_t> rows, int bytesPerRow, int rowLimit, int code,
                   int left, int top, int height, int scale, bool bold) {
  for (int y = 0; y < height; ++y) {
    const int sourceRow = y * kTinyFontHeight / height;
    for (int x = 0; x < kTinyFontWidth * scale; ++x) {
      if (!TinyFontDot(code, x / scale, sourceRow)) continue;
      const int row = top + y;
      if (row < 0 || row >= rowLimit) continue;
      for (int extra = 0; extra <= (bold ? 1 : 0); ++extra) {
        const int column = left + x + extra;
        if (column >= 0 && column < bytesPerRow * 8) SetPixel(rows, bytesPerRow, row, column);
      }
    }
  }
}

void FillFontTable(Bytes& ext, const FontSlotEntry& slot, FontSlot which) {
  const int rows = slot.rows;
  const int scale = which == FontSlot::Large ? 2 : 1;
  const bool bold = which == FontSlot::Bold;
  // Letters take most of the cell and leave the bottom row or two for spacing.
  const int height = rows >= 10 ? rows - 2 : std::min(rows, kTinyFontHeight);
  for (int k = 0; k < 95; ++k) {
    const int code = 33 + k;
    const int width = kTinyFontWidth * scale + (bold ? 1 : 0) + 1;
    const int bytesPerRow = width < 9 ? 1 : (width < 17 ? 2 : 3);
    const std::size_t at = slot.offset + static_cast<std::size_t>(k * slot.bytesPerGlyph);
    std::fill_n(ext.begin() + static_cast<std::ptrdiff_t>(at), slot.bytesPerGlyph, 0);
    ext[at] = static_cast<std::uint8_t>(width);
    const int storedRows = std::min(rows, (slot.bytesPerGlyph - 1) / bytesPerRow);
    std::span<std::uint8_t> pixels(ext.data() + at + 1,
                                   static_cast<std::size_t>(slot.bytesPerGlyph - 1));
    DrawCharacter(pixels, bytesPerRow, storedRows, code, 0, 0, height, scale, bold);
  }
}

// Splits the label into at most `lines` lines of whole words, each as short as it can be.
std::vector<std::string> WrapWords(std::string_view text, int lines) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t space = text.find(' ', at);
    const std::size_t end = space == std::string_view::npos ? text.size() : space;
    if (end > at) words.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  if (words.empty()) return {std::string(text)};
  const std::size_t target = (text.size() + static_cast<std::size_t>(lines) - 1) /
                             static_cast<std::size_t>(lines);
  std::vector<std::string> wrapped(1);
  for (const std::string& word : words) {
    if (!wrapped.back().empty() && wrapped.back().size() + 1 + word.size() > target &&
        static_cast<int>(wrapped.size()) < lines) {
      wrapped.emplace_back();
    }
    if (!wrapped.back().empty()) wrapped.back() += ' ';
    wrapped.back() += word;
  }
  return wrapped;
}

// The label lettered as large as it fits, on one or more lines, centred, inside a frame.
void FillStartupGraphic(Bytes& ext, const StartupGraphicEntry& item) {
  std::span<std::uint8_t> bitmap(ext.data() + item.offset, item.size());
  std::fill(bitmap.begin(), bitmap.end(), 0);
  const int width = item.bytesPerRow * 8;
  const int rows = item.rows;
  const bool framed = rows >= 10;
  const int inner = framed ? 4 : 0;
  const int advance = kTinyFontWidth + 1;
  std::vector<std::string> best = {std::string(item.label)};
  int bestScale = 0;
  for (int lines = 1; lines <= 4; ++lines) {
    const std::vector<std::string> wrapped = WrapWords(item.label, lines);
    std::size_t longest = 0;
    for (const std::string& line : wrapped) longest = std::max(longest, line.size());
    const int lineWidth = static_cast<int>(longest) * advance - 1;
    const int scale = std::min((rows - inner) / (static_cast<int>(wrapped.size()) * (kTinyFontHeight + 1)),
                               (width - inner) / lineWidth);
    if (scale > bestScale) {
      bestScale = scale;
      best = wrapped;
    }
  }
  const int scale = std::max(1, bestScale);
  const int height = std::min(kTinyFontHeight * scale, rows);
  const int lineHeight = (kTinyFontHeight + 1) * scale;
  const int blockHeight = static_cast<int>(best.size()) * lineHeight - scale;
  int top = std::max(0, (rows - blockHeight) / 2);
  for (const std::string& line : best) {
    const int lineWidth = (static_cast<int>(line.size()) * advance - 1) * scale;
    const int left = std::max(0, (width - lineWidth) / 2);
    for (std::size_t i = 0; i < line.size(); ++i) {
      DrawCharacter(bitmap, item.bytesPerRow, rows, static_cast<unsigned char>(line[i]),
                    left + static_cast<int>(i) * advance * scale, top, height, scale, false);
    }
    top += lineHeight;
  }
  if (framed) {
    for (int x = 0; x < width; ++x) {
      SetPixel(bitmap, item.bytesPerRow, 0, x);
      SetPixel(bitmap, item.bytesPerRow, rows - 1, x);
    }
    for (int y = 0; y < rows; ++y) {
      SetPixel(bitmap, item.bytesPerRow, y, 0);
      SetPixel(bitmap, item.bytesPerRow, y, width - 1);
    }
  }
}

// One packed program record of the format, named and with plausible parameters.
Bytes PackedGmProgram(RecordFormat format, int number, int bank, Noise& noise) {
  const RecordFormatInfo& info = RecordFormatTable(format);
  Bytes record(info.programRecordSize, 0);
  const std::string_view name = kGmNames[static_cast<std::size_t>(number)];
  for (std::size_t i = 0; i < ProgramSlot::kNameSize; ++i) {
    record[i] = i < name.size() ? static_cast<std::uint8_t>(name[i]) : ' ';
  }
  if (bank == 2 && name.size() < 15) {  // the second bank holds variations
    record[15] = '2';
    record[14] = ' ';
  }
  const std::size_t common = info.commonBlockOffset();
  for (std::size_t i = 16; i < common; ++i) record[i] = noise.next() & 0x7F;
  const int family = number / 8;
  record[common + 0] = static_cast<std::uint8_t>((number % 5 == 0 ? 1 : 0) | (1 << 4));
  record[common + 2] = static_cast<std::uint8_t>(family);  // category
  record[common + 3] = static_cast<std::uint8_t>(number % 3 == 0 ? 0 : 1);
  record[common + 4] = static_cast<std::uint8_t>(number % 12);
  record[common + 6] = 0x41;
  record[common + 7] = 0x02;
  for (int knob = 0; knob < 4; ++knob) record[common + 8 + knob] = static_cast<std::uint8_t>(knob + 1);
  for (int osc = 0; osc < 2; ++osc) {
    const std::size_t at = common + 26 + static_cast<std::size_t>(osc) * 154;
    const int high = (number * 3 + osc) % 420;
    const int low = (number * 3 + osc + 1) % 420;
    record[at + 0] = static_cast<std::uint8_t>(high >> 8);
    record[at + 1] = static_cast<std::uint8_t>(high & 0xFF);
    record[at + 3] = 110;
    record[at + 4] = static_cast<std::uint8_t>(low >> 8);
    record[at + 5] = static_cast<std::uint8_t>(low & 0xFF);
    record[at + 7] = 96;
    record[at + 10] = 1;
    record[at + 11] = 127;
    record[at + 32] = static_cast<std::uint8_t>(2 + osc);  // octave code
    record[at + 34] = 64;
  }
  return record;  // the tail's two bytes stay zero
}

// Writes a bank of packed records at offset, continuing in the second image after its header.
void PlaceBank(Bytes& ext, Bytes& ext2, std::size_t offset, const Bytes& packed) {
  for (std::size_t i = 0; i < packed.size(); ++i) {
    const std::size_t at = offset + i;
    if (at < ext.size()) {
      ext[at] = packed[i];
    } else {
      ext2[2 + (at - ext.size())] = packed[i];
    }
  }
}

Bytes SampleSysinfo(WorkstationModel model, SaloneLayout layout) {
  Bytes sysinfo(512, 0);
  const std::string header = "SYSTEM INFO " + std::string(ModelInfo(model).sysinfoName);
  std::copy(header.begin(), header.end(), sysinfo.begin() + 32 * 0);
  Noise noise(0x5151u + static_cast<std::uint32_t>(ModelCode(model)));
  for (std::size_t i = 256; i < sysinfo.size(); ++i) sysinfo[i] = noise.next();
  if (model == WorkstationModel::OrvaneSalone) {
    sysinfo[kSaloneLayoutMarkerOffset] = layout == SaloneLayout::I ? kSaloneLayoutIMarker : 'H';
  }
  return sysinfo;
}

}  // namespace

SampleOsFiles BuildSampleOsFiles(WorkstationModel model, SaloneLayout layout) {
  const WorkstationModelInfo& info = ModelInfo(model);
  SampleOsFiles files{model, SampleSysinfo(model, layout), Bytes(info.extImageSize), Bytes()};
  Noise noise(0xC0FFEEu * static_cast<std::uint32_t>(ModelCode(model)));
  for (std::size_t i = 2; i < files.ext.size(); ++i) files.ext[i] = noise.next();
  if (info.hasSecondExt()) {
    files.ext2.resize(info.extImageSize);
    for (std::size_t i = 2; i < files.ext2.size(); ++i) files.ext2[i] = noise.next();
  }

  for (int s = 0; s < 4; ++s) {
    const auto slot = static_cast<FontSlot>(s);
    if (auto entry = FontSlotTable(model, slot)) FillFontTable(files.ext, *entry, slot);
  }
  for (const StartupGraphicEntry& item : StartupGraphicTable(model)) {
    if (item.used()) FillStartupGraphic(files.ext, item);
  }
  const GmBankOffsetEntry& gm = GmBankOffsetTable(model);
  for (int bank = 1; bank <= 2; ++bank) {
    const std::optional<std::uint32_t> offset = bank == 1 ? gm.bank1Offset : gm.bank2Offset;
    if (!offset) continue;
    Bytes packed;
    for (int n = 0; n < 128; ++n) {
      const Bytes record = PackedGmProgram(gm.format, n, bank, noise);
      packed.insert(packed.end(), record.begin(), record.end());
    }
    PlaceBank(files.ext, files.ext2, *offset, packed);
  }

  // The sample's SYSINFO is made long enough for its copies, so renewal cannot be refused.
  (void)RenewChecksums(model, files.sysinfo, files.ext, files.ext2);
  return files;
}

const std::vector<SampleOsFolder>& SampleOsFolders() {
  static const std::vector<SampleOsFolder> folders{
      {"orvane", WorkstationModel::Orvane, SaloneLayout::II},
      {"orvane-mi", WorkstationModel::OrvaneMi, SaloneLayout::II},
      {"ossik", WorkstationModel::Ossik, SaloneLayout::II},
      {"orvane-salone-I", WorkstationModel::OrvaneSalone, SaloneLayout::I},
      {"orvane-salone-II", WorkstationModel::OrvaneSalone, SaloneLayout::II},
  };
  return folders;
}

Status WriteSampleOsFiles(const SampleOsFiles& files, const std::string& dir) {
  const WorkstationModelInfo& info = ModelInfo(files.model);
  const auto write = [&](std::string_view name, const Bytes& bytes) {
    return WriteWholeFile(Utf8FromPath(PathFromUtf8(dir) / PathFromUtf8(name)), bytes);
  };
  Status written = write(info.sysinfoName, files.sysinfo);
  if (written) written = write(info.extName, files.ext);
  if (written && info.hasSecondExt()) written = write(info.ext2Name, files.ext2);
  if (!written) {
    Failure failure = FileError("Error Writing Sample Files in " + dir);
    failure.detail = written.failure().detail;
    return failure;
  }
  return {};
}

Status WriteAllSamples(const std::string& dir) {
  for (const SampleOsFolder& folder : SampleOsFolders()) {
    const std::filesystem::path path = PathFromUtf8(dir) / PathFromUtf8(folder.folder);
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) return FileError("Error Creating Folder " + Utf8FromPath(path));
    if (Status status =
            WriteSampleOsFiles(BuildSampleOsFiles(folder.model, folder.layout), Utf8FromPath(path));
        !status) {
      return status;
    }
  }
  const std::filesystem::path pcg = PathFromUtf8(dir) / "pcg";
  std::error_code error;
  std::filesystem::create_directories(pcg, error);
  if (error) return FileError("Error Creating Folder " + Utf8FromPath(pcg));
  return WriteAllSamplePcgFiles(Utf8FromPath(pcg));
}

}  // namespace zentavour
