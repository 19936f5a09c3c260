#include "core/osfiles/checksum_status.h"

#include "core/osfiles/os_image_layout.h"

namespace zentavour {

SetChecksumStatus ChecksumStatusOf(WorkstationModel model, ByteView sysinfo, ByteView ext,
                                   ByteView ext2) {
  const SysinfoChecksumOffsets copies =
      SysinfoChecksumOffsetsFor(model, SysinfoLayoutMarker(model, sysinfo));
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

Status RenewChecksums(WorkstationModel model, Bytes& sysinfo, Bytes& ext, Bytes& ext2) {
  const std::uint8_t marker = SysinfoLayoutMarker(model, sysinfo);
  const SysinfoChecksumOffsets copies = SysinfoChecksumOffsetsFor(model, marker);
  if (sysinfo.size() < MinimumSysinfoSize(model, marker)) {
    return FileError("The SYSINFO file is too short for its checksums.");
  }
  if (ext.size() < 2 || (copies.ext2 && ext2.size() < 2)) {
    return FileError("The EXT image is too short for its checksum.");
  }
  const std::uint16_t sum = ExtChecksum(ext);
  WriteBe16(ext, 0, sum);
  WriteBe16(sysinfo, copies.ext, sum);
  if (copies.ext2) {
    const std::uint16_t sum2 = ExtChecksum(ext2);
    WriteBe16(ext2, 0, sum2);
    WriteBe16(sysinfo, *copies.ext2, sum2);
  }
  return {};
}

}  // namespace zentavour
