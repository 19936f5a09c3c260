#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/programs/program_slot.h"
#include "core/programs/record_format.h"

namespace zentavour {

// Size of the model block of an 812-byte (format 6) record.
inline constexpr std::size_t kWidenedModelBlockSize = 284;

// The record format PackProgramBank writes for a PCG model code: 1 and 2 keep their format, the
// Ossik codes 3 and 5 are widened to the OS format 6. Nothing for any other code.
std::optional<RecordFormat> PackedGmFormat(int pcgModelCode);

// Packs the 128 slots of bank into dest from start in the GM bank form of the PCG model code
// (see PackedGmFormat): every block back to back, the Ossik model block widened to 284 bytes, and
// two zero tail bytes per record. Returns the offset after the last record; when the code has no
// packed form or dest cannot hold the bank from start, nothing is written and start is returned.
std::size_t PackProgramBank(std::span<std::uint8_t> dest, int pcgModelCode, const ProgramBank& bank,
                            std::size_t start);

// The exact inverse of UnpackProgramBank for one record format: the model block is written at
// the size the format has, nothing widened. Same return rule as PackProgramBank.
std::size_t PackProgramBankAs(std::span<std::uint8_t> dest, RecordFormat format,
                              const ProgramBank& bank, std::size_t start);

}  // namespace zentavour
