#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"
#include "core/osfiles/workstation_model.h"

namespace zentavour {

// The folder, inside the program's data folder, that holds the kept originals.
inline constexpr std::string_view kKeptOriginalsFolderName = "Kept Originals";

// One file of a set as it was when the set was opened.
struct OriginalFile {
  std::string name;  // the file's own name, without its folder ("SYSINFO.420")
  Bytes bytes;
};

struct OsFileSet;

// The files of a set just opened, as they are on disk: SYSINFO read through its handle, the EXT
// files from their images. Taken before any edit, for KeepOriginals at the first save.
[[nodiscard]] Result<std::vector<OriginalFile>> OriginalsOf(const OsFileSet& set);

// Before the first save of a set changes a byte, keeps a copy of each of its files as they were
// opened in dataFolder/"Kept Originals"/"<model> <fingerprint>", each through the crash-safe
// write. The fingerprint is taken from the names and bytes, so the same original always lands in
// the same folder: a copy already there is left as it is, never written again or overwritten.
// Should a folder of that name hold other bytes, the next free "... (2)", "... (3)" is used.
// Returns the folder of the copy, or why it could not be written (the save must then stop).
[[nodiscard]] Result<std::string> KeepOriginals(const std::string& dataFolder,
                                                WorkstationModel model,
                                                std::span<const OriginalFile> files);

// "Kept Originals" inside the data folder, where every kept copy goes.
[[nodiscard]] std::string KeptOriginalsFolder(const std::string& dataFolder);

// The one-line note that the copy was kept, for status lines and the CLI.
[[nodiscard]] std::string KeptOriginalsNote(const std::string& folder);

}  // namespace zentavour
