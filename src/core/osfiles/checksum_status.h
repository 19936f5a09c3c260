#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// The checksum of one EXT file as found and as it should be.
struct ExtChecksumStatus {
  std::optional<std::uint16_t> stored;       // at offset 0; nothing for a file under 2 bytes
  std::optional<std::uint16_t> sysinfoCopy;  // nothing when SYSINFO is too short to hold it
  std::optional<std::uint16_t> computed;

  bool ok() const {
    return stored && sysinfoCopy && computed && *stored == *computed && *sysinfoCopy == *computed;
  }
};

// Each EXT file's checksum (two for the Orvane Salone), the copies found where the SYSINFO
// file's own marker byte says they are.
struct SetChecksumStatus {
  std::vector<ExtChecksumStatus> ext;

  bool ok() const {
    for (const ExtChecksumStatus& e : ext)
      if (!e.ok()) return false;
    return true;
  }
};

SetChecksumStatus ChecksumStatusOf(WorkstationModel model, ByteView sysinfo, ByteView ext,
                                   ByteView ext2);

// Renews each EXT image's checksum (at its offset 0) and its copy in SYSINFO, where the SYSINFO
// file's layout puts it; ext2 is used for the Orvane Salone only. Refused, changing nothing, when
// an image is under 2 bytes or SYSINFO is too short for its copies.
[[nodiscard]] Status RenewChecksums(WorkstationModel model, Bytes& sysinfo, Bytes& ext,
                                    Bytes& ext2);

}  // namespace zentavour
