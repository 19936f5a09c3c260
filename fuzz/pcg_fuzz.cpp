// The PCG chunk walk and bank reading, on any bytes.
#include <cstdint>
#include <cstdlib>

#include "core/pcg/pcg_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentavour;
  Result<PcgIndex> index = IndexPcgBytes(ByteView(data, size));
  if (!index) return 0;
  // Whatever was accepted must be consistent with what was read.
  if (index->programBanks.count > kPcgBanksPerKind || index->combinationBanks.count > kPcgBanksPerKind) {
    std::abort();
  }
  for (std::size_t b = 0; b < kPcgBanksPerKind; ++b) {
    if (!index->programBankLoaded[b]) continue;
    for (const ProgramSlot& slot : (*index->programs)[b]) {
      if (slot.name().size() > ProgramSlot::kNameSize) std::abort();
    }
    (void)ProgramForEdit(*index, static_cast<int>(b), 127);
  }
  return 0;
}
