#include "core/osfiles/checksum_status.h"

#include "core/osfiles/os_image_layout.h"

namespace zentavour {

SetChecksumStatus ChecksumStatusOf(WorkstationModel model, ByteView sysinfo, ByteView ext,
                                   ByteView ext2) {
  const std::uint8_t marker =
      sysinfo.size() > kSaloneLayoutMarkerOffset ? sysinfo[kSaloneLayoutMarkerOffset] : 0;
  const SysinfoChecksumOffsets copies = SysinfoChecksumOffsetsFor(model, marker);
  const auto statusOf = [&](ByteView image, std::uint32_t copyAt) {
    ExtChecksumStatus status;
    if (image.size() >= 2) {
      status.stored = ReadBe16(image, 0);
      status.computed = ExtChecksum(image);
    }
    if (sysinfo.size() >= std::size_t{copyAt} + 2) status.sysinfoCopy = ReadBe16(sysinfo, copyAt);
    return status;
  };
  SetChecksumStatus status;
  status.ext.push_back(statusOf(ext, copies.ext));
  if (copies.ext2) status.ext.push_back(statusOf(ext2, *copies.ext2));
  return status;
}

}  // namespace zentavour
