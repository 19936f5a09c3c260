#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/pcg/combination_slot.h"
#include "core/programs/program_slot.h"
#include "core/programs/record_format.h"

namespace zentavour {

// --- Pieces of the PCG container, for building files of any shape. ---

// A chunk: the 4-character id, the big-endian size of contents, then contents.
Bytes PcgChunk(std::string_view id, ByteView contents);
// A bank chunk: the 12-byte bank header (128 records, recordSize, bankNumber) and the records.
Bytes PcgBankChunk(std::string_view id, std::uint32_t bankNumber, std::uint32_t recordSize,
                   ByteView records);
// A whole file: "VESK", the product byte, 11 filler bytes, then the PCG1 chunk around contents.
Bytes PcgFileBytes(std::uint8_t productByte, ByteView pcg1Contents);
// The product byte of a PCG model code ("P", "c", "]"; code 5 files are Ossik files too).
std::uint8_t PcgProductByte(int pcgModelCode);
// Joins byte strings in order.
Bytes Concat(std::initializer_list<ByteView> parts);

// --- Plausible contents. ---

// Bank bankNumber (0-4) of sample programs: named, categorised programs whose other bytes all
// carry values, so that any byte lost or moved in packing shows.
ProgramBank SampleProgramBank(int bankNumber);
// The same bank packed as PBK1 records of the format.
Bytes SampleProgramRecords(RecordFormat format, int bankNumber);
// 128 packed combination records of the format, named and categorised.
Bytes SampleCombinationRecords(RecordFormat format, int bankNumber);

// A sample PCG file of one PCG model code (1, 2, 3 or 5): program banks A-E in varied chunk
// order, combination banks with a gap, leaf and unknown chunks between them.
struct SamplePcgFile {
  std::string fileName;  // "orvane.PCG", "orvane-mi.PCG", "ossik.PCG", "ossik-v2.PCG"
  int modelCode;
  std::vector<int> programBanks;      // bank numbers in chunk order
  std::vector<int> combinationBanks;  // bank numbers in chunk order
  Bytes bytes;
};

SamplePcgFile BuildSamplePcgFile(int pcgModelCode);

// The model codes that have a sample file, in the order they are written.
const std::vector<int>& SamplePcgModelCodes();

// Creates dir if needed and writes every sample PCG file into it.
[[nodiscard]] Status WriteAllSamplePcgFiles(const std::string& dir);

}  // namespace zentavour
