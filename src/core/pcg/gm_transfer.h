#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/failure.h"
#include "core/osfiles/os_file_set.h"
#include "core/osfiles/workstation_model.h"
#include "core/pcg/pcg_index.h"

namespace zentavour {

inline constexpr std::string_view kNoProgramBanksToTransferText =
    "This PCG file has no program banks that can be transferred.";
inline constexpr std::string_view kTransferDoesNotFitText =
    "The program banks of this PCG file do not fit the GM banks of the open OS files.";
inline constexpr std::string_view kTransferNoOsFilesText = "No OS files are open.";
inline constexpr std::string_view kTransferNoGmBankText = "The open OS files have no such GM bank.";

// Whether PCG banks of the model code have the record layout of the model's GM banks: the
// Orvane and the Orvane Salone take code 1, the Orvane Mi code 2, the Ossik codes 3 and 5.
bool PcgFitsWorkstation(int pcgModelCode, WorkstationModel model);

// The rule of "Prog Bank to GM Bank": the file has programs and fits the open model.
bool CanTransferProgramBank(const PcgIndex& index, WorkstationModel model);

// One entry of the transfer dialog's program bank list: its letter and the entry of the index's
// program bank list it stands for.
struct TransferSourceEntry {
  std::string label;  // "A" to "E"
  int slot;
};

// The program bank list: the index's program banks in file order, each by its letter. Banks that
// were not read whole from the file are left out, and a bank number that occurs twice is listed
// once, at its last chunk (whose records are the ones in memory). Bank A may be at any entry.
std::vector<TransferSourceEntry> TransferSourceEntries(const PcgIndex& index);

// The GM bank list: "GM1", and "GM2" unless the model is the Orvane Mi.
std::vector<std::string> TransferGmEntries(WorkstationModel model);

// Packs program bank list entry slot of the PCG file into GM bank gmBank (1 or 2) of the open OS
// images, across both EXT images for the Orvane Salone's GM bank 2, then refreshes that GM bank in
// memory from the packed bytes. Refused (changing nothing) when there is no program bank, the
// entry or GM bank does not exist, the file does not fit the model, or the images are too short.
[[nodiscard]] Status TransferProgramBankToGm(OsFileSet& set, const PcgIndex& index, int slot,
                                             int gmBank);

}  // namespace zentavour
