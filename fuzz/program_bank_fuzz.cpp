// Unpacking and packing program banks of every format: packing what was unpacked gives the bytes
// back (the ignored tail aside), and the widened Ossik form unpacks to the same programs.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/programs/program_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentavour;
  if (size < 1) return 0;
  const auto format = RecordFormatFromCode(1 + data[0] % 6);
  const RecordFormatInfo& info = RecordFormatTable(*format);
  const std::size_t bankSize = 128 * info.programRecordSize;
  // The input, repeated as needed, is the packed bank.
  Bytes packed(bankSize);
  for (std::size_t i = 0; i < bankSize; ++i) packed[i] = size > 1 ? data[1 + i % (size - 1)] : 0;

  auto bank = std::make_unique<ProgramBank>();
  if (UnpackProgramBank(packed, *bank, *format, 0) != bankSize) std::abort();
  Bytes repacked(bankSize);
  if (PackProgramBankAs(repacked, *format, *bank, 0) != bankSize) std::abort();
  for (std::size_t n = 0; n < 128; ++n) {
    const std::size_t at = n * info.programRecordSize;
    if (std::memcmp(&packed[at], &repacked[at], info.programRecordSize - 2) != 0) std::abort();
    if (repacked[at + info.programRecordSize - 2] != 0 || repacked[at + info.programRecordSize - 1] != 0) std::abort();
  }
  // The GM form of a PCG model code unpacks to the same common and oscillator blocks.
  const int code = static_cast<int>(*format);
  if (const auto gmFormat = PackedGmFormat(code)) {
    Bytes gm(PackedBankSize(*gmFormat));
    if (PackProgramBank(gm, code, *bank, 0) != gm.size()) std::abort();
    auto back = std::make_unique<ProgramBank>();
    (void)UnpackProgramBank(gm, *back, *gmFormat, 0);
    for (std::size_t n = 0; n < 128; ++n) {
      if (std::memcmp(&(*bank)[n].bytes[ProgramSlot::kCommonBlockOffset],
                      &(*back)[n].bytes[ProgramSlot::kCommonBlockOffset], 26 + 2 * 154) != 0) {
        std::abort();
      }
    }
  }
  return 0;
}
