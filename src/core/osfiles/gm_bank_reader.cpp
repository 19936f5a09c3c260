#include "core/osfiles/gm_bank_reader.h"

#include <algorithm>

namespace zentavour {

bool ReadProgramBank(ByteView ext, ByteView ext2, std::size_t offset, ProgramBank& bank,
                     RecordFormat format) {
  const std::size_t size = PackedBankSize(format);
  if (offset > ext.size()) return false;
  const std::size_t inFirst = std::min(size, ext.size() - offset);
  const std::size_t inSecond = size - inFirst;
  // The second image continues the first after its own 2-byte checksum header.
  if (inSecond > 0 && ext2.size() < 2 + inSecond) return false;
  Bytes scratch(size);
  std::copy_n(ext.begin() + static_cast<std::ptrdiff_t>(offset), inFirst, scratch.begin());
  if (inSecond > 0) {
    std::copy_n(ext2.begin() + 2, inSecond, scratch.begin() + static_cast<std::ptrdiff_t>(inFirst));
  }
  (void)UnpackProgramBank(scratch, bank, format, 0);
  return true;
}

}  // namespace zentavour
