#include "core/pcg/gm_transfer.h"

#include <algorithm>

#include "core/osfiles/os_image_layout.h"
#include "core/programs/program_pack.h"

namespace zentavour {
namespace {

Failure TransferError(std::string_view text) {
  return Failure{"Error", std::string(text)};
}

}  // namespace

bool PcgFitsWorkstation(int pcgModelCode, WorkstationModel model) {
  switch (model) {
    case WorkstationModel::Orvane:
    case WorkstationModel::OrvaneSalone:
      return pcgModelCode == 1;
    case WorkstationModel::OrvaneMi:
      return pcgModelCode == 2;
    case WorkstationModel::Ossik:
      return pcgModelCode == 3 || pcgModelCode == 5;
    case WorkstationModel::None:
      break;
  }
  return false;
}

bool CanTransferProgramBank(const PcgIndex& index, WorkstationModel model) {
  return index.hasPrograms && PcgFitsWorkstation(index.modelCode, model);
}

std::vector<TransferSourceEntry> TransferSourceEntries(const PcgIndex& index) {
  std::vector<TransferSourceEntry> entries;
  const auto& numbers = index.programBanks.numbers;
  const int count = index.programBanks.count;
  for (int s = 0; s < count; ++s) {
    const int number = numbers[static_cast<std::size_t>(s)];
    if (number >= static_cast<int>(kPcgBanksPerKind) ||
        !index.programBankLoaded[static_cast<std::size_t>(number)]) {
      continue;
    }
    // A bank number met again later was loaded over this one: list it once, at its last chunk.
    const bool repeated = std::find(numbers.begin() + s + 1, numbers.begin() + count, number) !=
                          numbers.begin() + count;
    if (repeated) continue;
    entries.push_back({std::string(1, static_cast<char>('A' + number)), s});
  }
  return entries;
}

std::vector<std::string> TransferGmEntries(WorkstationModel model) {
  if (model == WorkstationModel::OrvaneMi) return {"GM1"};
  return {"GM1", "GM2"};
}

Status TransferProgramBankToGm(OsFileSet& set, const PcgIndex& index, int slot, int gmBank) {
  if (!set.isOpen() || set.model == WorkstationModel::None) {
    return TransferError(kTransferNoOsFilesText);
  }
  const bool listed = std::ranges::any_of(
      TransferSourceEntries(index), [&](const TransferSourceEntry& e) { return e.slot == slot; });
  if (!listed) return TransferError(kNoProgramBanksToTransferText);
  if (!PcgFitsWorkstation(index.modelCode, set.model))
    return TransferError(kTransferDoesNotFitText);

  const GmBankOffsetEntry& gm = GmBankOffsetTable(set.model);
  if (gmBank != 1 && !(gmBank == 2 && gm.bank2Offset)) return TransferError(kTransferNoGmBankText);
  const std::size_t offset = gmBank == 1 ? gm.bank1Offset : *gm.bank2Offset;

  const ProgramBank& source =
      (*index.programs)[index.programBanks.numbers[static_cast<std::size_t>(slot)]];
  const std::size_t size = PackedBankSize(gm.format);
  Bytes packed(size);
  if (PackProgramBank(packed, index.modelCode, source, 0) != size) {
    return TransferError(kTransferDoesNotFitText);
  }

  // Where the packed bank lands: the first image from offset on, and whatever does not fit there
  // continues in the second image right after its 2-byte checksum.
  Bytes& ext = set.ExtImage;
  Bytes& ext2 = set.Ext2Image;
  if (offset > ext.size()) return FileError("The EXT image is too short for this GM bank.");
  const std::size_t inFirst = std::min(size, ext.size() - offset);
  const std::size_t inSecond = size - inFirst;
  if (inSecond > 0 && (set.model != WorkstationModel::OrvaneSalone || ext2.size() < 2 + inSecond)) {
    return FileError("The EXT image is too short for this GM bank.");
  }

  std::copy_n(packed.begin(), inFirst, ext.begin() + static_cast<std::ptrdiff_t>(offset));
  std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(inFirst), inSecond, ext2.begin() + 2);

  ProgramBank& target = gmBank == 1 ? *set.gmBank1 : *set.gmBank2;
  (void)UnpackProgramBank(packed, target, gm.format, 0);
  return {};
}

}  // namespace zentavour
