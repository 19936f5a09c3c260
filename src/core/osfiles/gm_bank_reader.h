#pragma once

#include <cstddef>

#include "core/common/bytes.h"
#include "core/programs/program_slot.h"
#include "core/programs/record_format.h"

namespace zentavour {

// Reads the bank at offset of an EXT image. For the Orvane Salone a bank running past the end of
// the first image continues in the second one at its offset 2, after its checksum header.
// Returns false, leaving bank as it was, when the bytes are not there.
[[nodiscard]] bool ReadProgramBank(ByteView ext, ByteView ext2, std::size_t offset,
                                   ProgramBank& bank, RecordFormat format);

}  // namespace zentavour
