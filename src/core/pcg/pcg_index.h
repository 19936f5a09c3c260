#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/common/file_handle.h"
#include "core/pcg/combination_slot.h"
#include "core/programs/program_slot.h"
#include "core/programs/record_format.h"

namespace zentavour {

// Banks A to E: the room the index and the bank buffers have for each kind of bank.
inline constexpr std::size_t kPcgBanksPerKind = 5;

// PCG files are read whole; anything larger is not one the instrument writes.
inline constexpr std::uint64_t kMaxPcgFileSize = 64ull * 1024 * 1024;

// The PCG model code of a file whose product byte is not one we know; it has no record format.
inline constexpr int kUnknownPcgModelCode = 99;

// Message texts, shown with the caption of the Failure that carries them.
inline constexpr std::string_view kPcgAlreadyOpenText =
    "At the moment, only one PCG file may be open at a time.";
inline constexpr std::string_view kPcgOpenErrorText = "Error Opening PCG File";
inline constexpr std::string_view kPcgNotValidText = "This is not a valid PCG file.";
inline constexpr std::string_view kPcgNoBanksText =
    "There are no program or combination banks in this PCG file.";
inline constexpr std::string_view kPcgUnknownModelText =
    "This PCG file comes from an instrument model that is not known, so its banks cannot be read.";
inline constexpr std::string_view kPcgTooLargeText =
    "This PCG file is larger than 64 MB and cannot be a valid PCG file.";
inline constexpr std::string_view kPcgReadErrorText = "Error Reading PCG File";

// "Sorry": a second PCG file while one is open.
Failure PcgAlreadyOpenFailure();

// Banks of one kind in the order their chunks were met: entry i is the i-th bank chunk.
struct PcgBankList {
  std::array<std::uint16_t, kPcgBanksPerKind> numbers{};    // 0 = bank A ... 4 = bank E
  std::array<std::uint32_t, kPcgBanksPerKind> positions{};  // file offset of the first record
  std::uint16_t count = 0;
};

using ProgramBanks = std::array<ProgramBank, kPcgBanksPerKind>;
using CombinationBanks = std::array<CombinationBank, kPcgBanksPerKind>;

// The open PCG file: its handle, what the chunk walk found, and its banks in memory.
struct PcgIndex {
  FileHandlePtr file;  // held open (and locked) while the file is in use; null for bytes
  std::string path;

  int modelCode = 0;  // 1 Orvane, 2 Orvane Mi, 3 Ossik, 5 Ossik with PV2/CV2 chunks, 99 unknown

  PcgBankList programBanks;      // PBK1
  PcgBankList combinationBanks;  // CBK1
  PcgBankList dbk1Banks;         // DBK1 (kept, not used)
  PcgBankList abk1Banks;         // ABK1 (kept, not used)

  bool hasPrograms = false;      // a PRG1 chunk was met
  bool hasCombinations = false;  // a CMB1 chunk was met
  bool hasDkt1 = false;
  bool hasArp1 = false;

  // Bank chunks left out: a sixth (or later) chunk of a kind, or a program or combination bank
  // numbered above E. They are not stored anywhere.
  int ignoredBankChunks = 0;
  // The file ends before its PCG1 chunk does; what lies within the file was indexed.
  bool truncated = false;

  // Banks A-E in memory, zero where no bank was loaded; slot p of bank b is program p of b.
  std::unique_ptr<ProgramBanks> programs = std::make_unique<ProgramBanks>();
  std::unique_ptr<CombinationBanks> combinations = std::make_unique<CombinationBanks>();
  // Which bank numbers hold a bank read whole from the file (their bank buttons are enabled).
  std::array<bool, kPcgBanksPerKind> programBankLoaded{};
  std::array<bool, kPcgBanksPerKind> combinationBankLoaded{};

  bool isOpen() const { return file != nullptr; }
  // The record format of the file's banks, or nothing for the unknown model code.
  std::optional<RecordFormat> recordFormat() const;
};

// Everything back to "no file": model code, lists, flags, counts and the bank buffers. The file
// handle and path are left alone (ClosePcgFile releases them).
void ResetPcgIndex(PcgIndex& index);

// Releases the file and resets the index.
void ClosePcgFile(PcgIndex& index);

// One step of the chunk walk: reads the chunk id and size at position and acts on the chunk:
// containers are entered, leaves skipped, bank chunks recorded in their kind's list and skipped.
// position always moves forward (by at least the 8-byte chunk head). A chunk head or bank header
// that the file does not hold ends the walk: position is set to file.size() and truncated is set.
void IndexPcgChunk(PcgIndex& index, ByteView file, std::uint64_t& position);

// Validates and indexes a whole PCG file held in memory and loads its banks, or says why not
// (caption "File Error"). The returned index holds no file handle.
[[nodiscard]] Result<PcgIndex> IndexPcgBytes(ByteView file);

// Bytes a PCG file begins with ("VESK", and "PCG1" at offset 16); the first 20 bytes suffice.
inline constexpr std::size_t kPcgSignatureSize = 20;
[[nodiscard]] bool HasPcgSignature(ByteView head);

// Opens the file through opener (kept open and locked in the returned index), reads it whole and
// indexes it with IndexPcgBytes. Refusals carry the caption "File Error".
// What an opened file's damage left out, as warnings to show (the window) or print (the CLI): a
// file cut before its last chunk ends, bank chunks beyond A to E. Empty for a whole file.
std::vector<Failure> PcgDamageWarnings(const PcgIndex& index);

[[nodiscard]] Result<PcgIndex> OpenPcgFile(const std::string& path, const FileOpener& opener);

// A copy of program (0-127) of program bank (0-4), for a view that outlives the index; nothing
// when either number is out of range.
std::optional<ProgramSlot> ProgramForEdit(const PcgIndex& index, int bank, int program);

}  // namespace zentavour
