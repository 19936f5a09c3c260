#include "core/samples/sample_pcg_files.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "core/common/file_handle.h"
#include "core/programs/program_pack.h"

namespace zentavour {
namespace {

// Eight program names for each of the 16 categories, in category order.
constexpr std::array<std::array<std::string_view, 8>, 16> kProgramNames{{
    {"Concert Grand", "Bright Piano", "Warm Tines EP", "Vintage EP Suite", "Clav Funk",
     "Harpsi Court", "Stage Piano", "Soft Upright"},
    {"Full Drawbars", "Jazz Organ", "Perc Organ", "Cathedral Pipes", "Rock Organ", "Gospel Swell",
     "Reed Organ", "Mellow Combo"},
    {"Vibes Motor", "Marimba Wood", "Glock Sparkle", "Tubular Bells", "Music Box", "Celesta",
     "Crystal Mallet", "Kalimba Drops"},
    {"String Section", "Slow Strings", "Pizzicato", "Solo Violin", "Cello Ensemble",
     "Tremolo Strings", "Octave Strings", "Chamber Quartet"},
    {"Choir Aahs", "Airy Voices", "Breath Pad", "Angel Vox", "Whisper Choir", "Soft Ooh",
     "Glass Air", "Heaven Pad"},
    {"Brass Section", "Solo Trumpet", "Horn Swell", "Trombone Blast", "Muted Trumpet",
     "Synth Brass", "Big Band", "Fanfare"},
    {"Alto Sax", "Tenor Breath", "Clarinet", "Flute Solo", "Oboe", "Pan Flute", "Bassoon",
     "Reed Section"},
    {"Nylon Guitar", "Steel Strum", "Jazz Guitar", "Muted Picking", "Overdrive Lead", "Harp",
     "Sitar Drone", "Banjo Roll"},
    {"Finger Bass", "Pick Bass", "Fretless", "Slap Bass", "Upright Bass", "Analog Bass", "Sub Bass",
     "Acid Bass"},
    {"Warm Pad", "Slow Sweep", "Evolving Pad", "Dark Strings", "Soft Analog", "Glass Pad",
     "Polar Night", "Amber Wash"},
    {"Poly Stab", "Pluck Synth", "Bright Saw", "Resonant Hit", "Sync Stab", "Fast Attack",
     "Chord Pulse", "Snappy Brass"},
    {"Mono Lead", "Square Lead", "Sine Whistle", "Saw Solo", "Portamento Ld", "Hard Sync Ld",
     "Soft Lead", "Screamer"},
    {"Motion Pad", "Rhythmic Gate", "Wave Sequence", "Pulse Motion", "Filter Dance", "Arp Pad",
     "Spiral Pad", "Tidal Motion"},
    {"Wind Noise", "Space Ship", "Laser Zap", "Rain Drops", "Bird Calls", "Telephone", "Thunder",
     "Sci-Fi Sweep"},
    {"Orchestra Hit", "Arp Bells", "Disco Hit", "Arp Pluck", "Stab Hit", "Arp Sequence",
     "Power Hit", "Arp Motion"},
    {"Standard Kit", "Room Kit", "Power Kit", "Brush Kit", "Electronic Kit", "Analog Kit",
     "Jazz Kit", "Percussion Kit"},
}};

constexpr std::array<std::string_view, 20> kCombinationNames{
    "Piano & Strings", "Split Bass/Piano", "Orchestra Full", "Pad Layer",    "Rock Band",
    "Jazz Trio",       "Ambient Dream",    "Brass & Sax",    "Choir Stack",  "Synth Split",
    "Organ & Bass",    "Film Score",       "Dance Floor",    "World Layers", "Drum & Bass",
    "Guitar Duo",      "Bell Tower",       "Lead & Pad",     "Motion Split", "Wind Quintet"};

void PutName(std::span<std::uint8_t> out, std::string_view name) {
  const std::size_t length = std::min<std::size_t>(name.size(), 16);
  std::fill_n(out.begin(), 16, std::uint8_t{0});
  std::copy_n(name.begin(), length, out.begin());
}

// A byte that differs with the program, the bank and the position, so no two blocks look alike.
std::uint8_t Filler(int bank, int program, std::size_t at) {
  return static_cast<std::uint8_t>(
      (at * 7 + static_cast<std::size_t>(program) * 13 + static_cast<std::size_t>(bank) * 29 + 1) &
      0xFF);
}

ProgramSlot SampleProgram(int bank, int program) {
  ProgramSlot slot;
  auto& b = slot.bytes;
  for (std::size_t at = 19; at < ProgramSlot::kSize - 1; ++at) b[at] = Filler(bank, program, at);
  b[0] = 0;
  b[1] = static_cast<std::uint8_t>(program);
  const int category = program / 8;
  PutName(std::span(b).subspan(ProgramSlot::kNameOffset, 16),
          kProgramNames[static_cast<std::size_t>(category)]
                       [static_cast<std::size_t>((program + bank) % 8)]);
  b[18] = 0;
  b[ProgramSlot::kSize - 1] = 0;

  std::uint8_t* common = b.data() + ProgramSlot::kCommonBlockOffset;
  // Drums play drum kits; every third other program layers two oscillators.
  const int oscMode = category == 15 ? 2 : (program % 3 == 0 ? 1 : 0);
  const bool mono = category == 11;
  common[0] = static_cast<std::uint8_t>(oscMode | (mono ? 0x04 | 0x08 : 0) | ((program % 3) << 4) |
                                        (program % 5 == 0 ? 0x40 : 0));
  common[1] = 0;
  common[2] = static_cast<std::uint8_t>(category);
  common[3] = static_cast<std::uint8_t>(bank == 4 ? program % 27 : 0);
  common[4] = static_cast<std::uint8_t>(program % 12);
  common[5] = static_cast<std::uint8_t>(program % 4);
  common[6] = static_cast<std::uint8_t>(program % 20);
  common[7] = static_cast<std::uint8_t>(0x40 | (program % 12));
  common[8] = static_cast<std::uint8_t>(program % 40);
  common[9] = static_cast<std::uint8_t>(program % 30);
  common[10] = static_cast<std::uint8_t>(program % 25);
  common[11] = static_cast<std::uint8_t>(program % 35);

  for (int which = 0; which < 2; ++which) {
    std::uint8_t* osc =
        b.data() + (which == 0 ? ProgramSlot::kOscillator1Offset : ProgramSlot::kOscillator2Offset);
    const int high = (category * 26 + program % 8 + which * 3) % 425;
    const int low = (high + 5) % 425;
    osc[0] = static_cast<std::uint8_t>(high >> 8);
    osc[1] = static_cast<std::uint8_t>(high & 0xFF);
    osc[2] = 0;
    osc[3] = static_cast<std::uint8_t>(127 - program % 30);
    osc[4] = static_cast<std::uint8_t>((low >> 8) | (program % 7 == 0 ? 0x80 : 0));
    osc[5] = static_cast<std::uint8_t>(low & 0xFF);
    osc[6] = static_cast<std::uint8_t>(bank == 3 ? 1 : 0);
    osc[7] = static_cast<std::uint8_t>(100 + program % 20);
    osc[8] = static_cast<std::uint8_t>(which * 10);
    osc[10] = 1;
    osc[11] = 127;
    osc[32] = static_cast<std::uint8_t>(program % 4);
    osc[33] = 0;
    osc[34] = static_cast<std::uint8_t>(which * 7);
  }
  return slot;
}

std::string_view SampleFileName(int pcgModelCode) {
  switch (pcgModelCode) {
    case 1:
      return "orvane.PCG";
    case 2:
      return "orvane-mi.PCG";
    case 3:
      return "ossik.PCG";
    default:
      return "ossik-v2.PCG";
  }
}

}  // namespace

Bytes PcgChunk(std::string_view id, ByteView contents) {
  Bytes out(8 + contents.size());
  std::copy_n(id.begin(), std::min<std::size_t>(id.size(), 4), out.begin());
  WriteBe32(out, 4, static_cast<std::uint32_t>(contents.size()));
  std::copy(contents.begin(), contents.end(), out.begin() + 8);
  return out;
}

Bytes PcgBankChunk(std::string_view id, std::uint32_t bankNumber, std::uint32_t recordSize,
                   ByteView records) {
  Bytes contents(12 + records.size());
  WriteBe32(contents, 0, 128);
  WriteBe32(contents, 4, recordSize);
  WriteBe32(contents, 8, bankNumber);
  std::copy(records.begin(), records.end(), contents.begin() + 12);
  return PcgChunk(id, contents);
}

Bytes PcgFileBytes(std::uint8_t productByte, ByteView pcg1Contents) {
  Bytes header(16, 0);
  std::copy_n("VESK", 4, header.begin());
  header[4] = productByte;
  header[5] = 0x01;  // the bytes after the product byte are not read; give them a version look
  header[6] = 0x00;
  Bytes out = header;
  const Bytes pcg1 = PcgChunk("PCG1", pcg1Contents);
  out.insert(out.end(), pcg1.begin(), pcg1.end());
  return out;
}

std::uint8_t PcgProductByte(int pcgModelCode) {
  switch (pcgModelCode) {
    case 1:
      return 'P';
    case 2:
      return 'c';
    case 3:
    case 5:
      return ']';
    default:
      return 'X';
  }
}

Bytes Concat(std::initializer_list<ByteView> parts) {
  Bytes out;
  for (ByteView part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

ProgramBank SampleProgramBank(int bankNumber) {
  ProgramBank bank;
  for (int p = 0; p < 128; ++p) bank[static_cast<std::size_t>(p)] = SampleProgram(bankNumber, p);
  return bank;
}

Bytes SampleProgramRecords(RecordFormat format, int bankNumber) {
  const auto bank = std::make_unique<ProgramBank>(SampleProgramBank(bankNumber));
  Bytes out(PackedBankSize(format));
  (void)PackProgramBankAs(out, format, *bank, 0);
  return out;
}

Bytes SampleCombinationRecords(RecordFormat format, int bankNumber) {
  const RecordFormatInfo& info = RecordFormatTable(format);
  const std::size_t stride = info.combinationRecordSize;
  Bytes out(128 * stride);
  for (int n = 0; n < 128; ++n) {
    const std::size_t at = static_cast<std::size_t>(n) * stride;
    for (std::size_t i = 16; i < stride; ++i) out[at + i] = Filler(bankNumber, n, i);
    const std::size_t which =
        static_cast<std::size_t>(n + bankNumber * 7) % kCombinationNames.size();
    PutName(std::span(out).subspan(at, 16), kCombinationNames[which]);
    out[at + info.combinationCategoryOffset] = static_cast<std::uint8_t>((n + bankNumber) % 16);
  }
  return out;
}

SamplePcgFile BuildSamplePcgFile(int pcgModelCode) {
  SamplePcgFile sample;
  sample.modelCode = pcgModelCode;
  sample.fileName = std::string(SampleFileName(pcgModelCode));
  const RecordFormat format = *RecordFormatFromCode(pcgModelCode);
  const RecordFormatInfo& info = RecordFormatTable(format);

  // Each file lays its banks out differently, as files saved by different instruments would.
  switch (pcgModelCode) {
    case 1:
      sample.programBanks = {0, 1, 2, 3, 4};
      sample.combinationBanks = {0, 1, 3};
      break;
    case 2:
      sample.programBanks = {0, 1, 2, 3, 4};
      sample.combinationBanks = {0, 2};
      break;
    case 3:
      sample.programBanks = {2, 0, 4, 1, 3};
      sample.combinationBanks = {0, 1, 2, 3, 4};
      break;
    default:
      sample.programBanks = {0, 1, 2, 3, 4};
      sample.combinationBanks = {1, 0, 4};
      break;
  }

  Bytes programChunks;
  for (int bank : sample.programBanks) {
    const Bytes chunk = PcgBankChunk("PBK1", static_cast<std::uint32_t>(bank),
                                     static_cast<std::uint32_t>(info.programRecordSize),
                                     SampleProgramRecords(format, bank));
    programChunks.insert(programChunks.end(), chunk.begin(), chunk.end());
  }
  Bytes combinationChunks;
  for (int bank : sample.combinationBanks) {
    const Bytes chunk = PcgBankChunk("CBK1", static_cast<std::uint32_t>(bank),
                                     static_cast<std::uint32_t>(info.combinationRecordSize),
                                     SampleCombinationRecords(format, bank));
    combinationChunks.insert(combinationChunks.end(), chunk.begin(), chunk.end());
  }
  const Bytes extra(32, 0x11);
  if (pcgModelCode == 5) {
    const Bytes pv2 = PcgChunk("PV2P", PcgChunk("PV2B", extra));
    const Bytes cv2 = PcgChunk("CV2P", PcgChunk("CV2B", extra));
    programChunks.insert(programChunks.end(), pv2.begin(), pv2.end());
    combinationChunks.insert(combinationChunks.end(), cv2.begin(), cv2.end());
  }

  const Bytes div = PcgChunk("DIV1", Bytes(48, 0));
  const Bytes programs = PcgChunk("PRG1", programChunks);
  const Bytes combinations = PcgChunk("CMB1", combinationChunks);
  const Bytes global = PcgChunk("GLB1", Bytes(64, 0x22));
  Bytes contents;
  if (pcgModelCode == 3) {
    const Bytes drumKits = PcgChunk("DKT1", PcgBankChunk("DBK1", 0, 64, Bytes(128 * 64, 0x33)));
    const Bytes arpeggios = PcgChunk("ARP1", PcgBankChunk("ABK1", 0, 32, Bytes(128 * 32, 0x44)));
    contents = Concat({div, programs, combinations, drumKits, arpeggios, global});
  } else {
    contents = Concat({div, programs, combinations, global});
  }
  sample.bytes = PcgFileBytes(PcgProductByte(pcgModelCode), contents);
  return sample;
}

const std::vector<int>& SamplePcgModelCodes() {
  static const std::vector<int> codes{1, 2, 3, 5};
  return codes;
}

Status WriteAllSamplePcgFiles(const std::string& dir) {
  std::error_code error;
  std::filesystem::create_directories(PathFromUtf8(dir), error);
  if (error) return FileError("Could not create the folder \"" + dir + "\".");
  for (int code : SamplePcgModelCodes()) {
    const SamplePcgFile sample = BuildSamplePcgFile(code);
    const std::string path = Utf8FromPath(PathFromUtf8(dir) / PathFromUtf8(sample.fileName));
    if (Status written = WriteWholeFile(path, sample.bytes); !written) {
      Failure failure = FileError("Could not write the file \"" + path + "\".");
      failure.detail = written.failure().detail;
      return failure;
    }
  }
  return {};
}

}  // namespace zentavour
