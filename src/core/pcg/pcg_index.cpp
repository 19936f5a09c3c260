#include "core/pcg/pcg_index.h"

#include <algorithm>
#include <cstring>

namespace zentavour {
namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kChunkHeadSize = 8;
constexpr std::size_t kBankHeaderSize = 12;
constexpr std::size_t kBankNumberByte = 11;  // low byte of the bank header's third field

bool IdIs(ByteView file, std::uint64_t at, const char (&id)[5]) {
  return std::memcmp(file.data() + at, id, 4) == 0;
}

int ModelCodeFromProduct(std::uint8_t product) {
  switch (product) {
    case 'P':
      return 1;
    case 'c':
      return 2;
    case ']':
      return 3;
    default:
      return kUnknownPcgModelCode;
  }
}

enum class ChunkAction { Leaf, Enter, Bank };

// Stores a bank chunk's number and first record position in its kind's list, unless the list
// is full or (for kinds with buffers) the number has no bank buffer.
void RecordBank(PcgIndex& index, PcgBankList& list, bool numberNeedsBuffer, std::uint8_t number,
                std::uint64_t firstRecord) {
  if (list.count >= kPcgBanksPerKind || (numberNeedsBuffer && number >= kPcgBanksPerKind)) {
    ++index.ignoredBankChunks;
    return;
  }
  list.numbers[list.count] = number;
  list.positions[list.count] = static_cast<std::uint32_t>(firstRecord);
  ++list.count;
}

}  // namespace

std::vector<Failure> PcgDamageWarnings(const PcgIndex& index) {
  std::vector<Failure> warnings;
  if (index.truncated) {
    warnings.push_back({"Warning",
                        "This PCG file ends before its last chunk does. The banks it holds whole "
                        "are shown; the rest of the file cannot be read.",
                        {}, Severity::Warning});
  }
  if (index.ignoredBankChunks > 0) {
    warnings.push_back({"Warning",
                        "This PCG file holds banks beyond the five banks A to E of a kind. Only "
                        "banks A to E are shown.",
                        {}, Severity::Warning});
  }
  return warnings;
}

Failure PcgAlreadyOpenFailure() {
  return Failure{"Sorry", std::string(kPcgAlreadyOpenText), {}, Severity::Information};
}

std::optional<RecordFormat> PcgIndex::recordFormat() const {
  switch (modelCode) {
    case 1:
      return RecordFormat::Orvane;
    case 2:
      return RecordFormat::OrvaneMi;
    case 3:
      return RecordFormat::Ossik;
    case 5:
      return RecordFormat::OssikV2;
    default:
      return std::nullopt;
  }
}

void ResetPcgIndex(PcgIndex& index) {
  index.modelCode = 0;
  index.programBanks = {};
  index.combinationBanks = {};
  index.dbk1Banks = {};
  index.abk1Banks = {};
  index.hasPrograms = index.hasCombinations = index.hasDkt1 = index.hasArp1 = false;
  index.ignoredBankChunks = 0;
  index.truncated = false;
  if (!index.programs) index.programs = std::make_unique<ProgramBanks>();
  if (!index.combinations) index.combinations = std::make_unique<CombinationBanks>();
  for (ProgramBank& bank : *index.programs) bank.fill(ProgramSlot{});
  for (CombinationBank& bank : *index.combinations) bank.fill(CombinationSlot{});
  index.programBankLoaded.fill(false);
  index.combinationBankLoaded.fill(false);
}

void ClosePcgFile(PcgIndex& index) {
  index.file.reset();
  index.path.clear();
  ResetPcgIndex(index);
}

void IndexPcgChunk(PcgIndex& index, ByteView file, std::uint64_t& position) {
  const std::uint64_t size = file.size();
  if (position >= size || size - position < kChunkHeadSize) {
    index.truncated = true;
    position = size;
    return;
  }
  const std::uint64_t at = position;
  const std::uint64_t body = at + kChunkHeadSize;
  const std::uint64_t end = body + ReadBe32(file, static_cast<std::size_t>(at + 4));

  ChunkAction action = ChunkAction::Enter;  // unknown ids are walked into
  PcgBankList* list = nullptr;
  bool numberNeedsBuffer = false;
  if (IdIs(file, at, "DIV1") || IdIs(file, at, "GLB1") || IdIs(file, at, "CSM1")) {
    action = ChunkAction::Leaf;
  } else if (IdIs(file, at, "PRG1")) {
    index.hasPrograms = true;
  } else if (IdIs(file, at, "CMB1")) {
    index.hasCombinations = true;
  } else if (IdIs(file, at, "DKT1")) {
    index.hasDkt1 = true;
  } else if (IdIs(file, at, "ARP1")) {
    index.hasArp1 = true;
  } else if (IdIs(file, at, "PV2P") || IdIs(file, at, "CV2P")) {
    index.modelCode = 5;
  } else if (IdIs(file, at, "PV2B") || IdIs(file, at, "CV2B")) {
    index.modelCode = 5;
    action = ChunkAction::Leaf;
  } else if (IdIs(file, at, "PBK1")) {
    action = ChunkAction::Bank;
    list = &index.programBanks;
    numberNeedsBuffer = true;
  } else if (IdIs(file, at, "CBK1")) {
    action = ChunkAction::Bank;
    list = &index.combinationBanks;
    numberNeedsBuffer = true;
  } else if (IdIs(file, at, "DBK1")) {
    action = ChunkAction::Bank;
    list = &index.dbk1Banks;
  } else if (IdIs(file, at, "ABK1")) {
    action = ChunkAction::Bank;
    list = &index.abk1Banks;
  }

  switch (action) {
    case ChunkAction::Enter:
      position = body;
      return;
    case ChunkAction::Leaf:
      position = end;
      break;
    case ChunkAction::Bank:
      if (size - body < kBankHeaderSize) {
        index.truncated = true;
        position = size;
        return;
      }
      RecordBank(index, *list, numberNeedsBuffer,
                 file[static_cast<std::size_t>(body + kBankNumberByte)], body + kBankHeaderSize);
      position = end;
      break;
  }
  if (position > size) index.truncated = true;
}

bool HasPcgSignature(ByteView head) {
  return head.size() >= kPcgSignatureSize && std::memcmp(head.data(), "VESK", 4) == 0 &&
         IdIs(head, 16, "PCG1");
}

Result<PcgIndex> IndexPcgBytes(ByteView file) {
  if (file.size() < kHeaderSize || !HasPcgSignature(file)) {
    return FileError(std::string(kPcgNotValidText));
  }
  if (file.size() > kMaxPcgFileSize) return FileError(std::string(kPcgTooLargeText));

  PcgIndex index;
  index.modelCode = ModelCodeFromProduct(file[4]);
  std::uint64_t walkEnd = kHeaderSize + std::uint64_t{ReadBe32(file, 20)};
  if (walkEnd > file.size()) {
    // A file cut short: index what is there rather than refuse the banks it does hold.
    index.truncated = true;
    walkEnd = file.size();
  }
  std::uint64_t position = kHeaderSize;
  while (position < walkEnd) IndexPcgChunk(index, file, position);

  if (!index.hasPrograms && !index.hasCombinations) return FileError(std::string(kPcgNoBanksText));
  const std::optional<RecordFormat> format = index.recordFormat();
  if (!format) return FileError(std::string(kPcgUnknownModelText));

  // Banks are read in chunk order, so of two chunks with one bank number the later one wins.
  // A bank whose records the file does not hold whole is not loaded.
  for (std::size_t i = 0; i < index.programBanks.count; ++i) {
    const std::size_t number = index.programBanks.numbers[i];
    const std::size_t start = index.programBanks.positions[i];
    if (UnpackProgramBank(file, (*index.programs)[number], *format, start) != start) {
      index.programBankLoaded[number] = true;
    }
  }
  for (std::size_t i = 0; i < index.combinationBanks.count; ++i) {
    const std::size_t number = index.combinationBanks.numbers[i];
    if (ReadCombinationBank(file, index.combinationBanks.positions[i],
                            (*index.combinations)[number], *format)) {
      index.combinationBankLoaded[number] = true;
    }
  }
  return index;
}

Result<PcgIndex> OpenPcgFile(const std::string& path, const FileOpener& opener) {
  if (!opener) return FileError(std::string(kPcgOpenErrorText));
  Result<FileHandlePtr> opened = opener(path);
  if (!opened) {
    Failure failure = FileError(std::string(kPcgOpenErrorText));
    failure.detail = opened.failure().detail;
    return failure;
  }
  FileHandlePtr file = std::move(*opened);
  const std::int64_t size = file->Size();
  if (size < 0) return FileError(std::string(kPcgReadErrorText));
  if (static_cast<std::uint64_t>(size) > kMaxPcgFileSize) {
    return FileError(std::string(kPcgTooLargeText));
  }
  Bytes bytes(static_cast<std::size_t>(size));
  if (!file->ReadAt(0, bytes)) return FileError(std::string(kPcgReadErrorText));

  Result<PcgIndex> index = IndexPcgBytes(bytes);
  if (!index) return index;  // the handle closes here, as a refused file must
  index->file = std::move(file);
  index->path = path;
  return index;
}

std::optional<ProgramSlot> ProgramForEdit(const PcgIndex& index, int bank, int program) {
  if (!index.programs || bank < 0 || bank >= static_cast<int>(kPcgBanksPerKind) || program < 0 ||
      program > 127) {
    return std::nullopt;
  }
  return (*index.programs)[static_cast<std::size_t>(bank)][static_cast<std::size_t>(program)];
}

}  // namespace zentavour
