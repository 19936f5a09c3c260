#pragma once

#include <functional>
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
  ByteView bytes;
};

class OsSetDocument;

// Before the first save of a set changes a byte, keeps a copy of each of its files as they were
// opened in dataFolder/"Kept Originals"/"<model> <fingerprint>", each through the crash-safe
// write. The fingerprint is taken from the names and bytes, so the same original always lands in
// the same folder: a copy already there is left as it is, never written again or overwritten.
// Should a folder of that name hold other bytes, the next free "... (2)", "... (3)" is used.
// Returns the folder of the copy, or why it could not be written (the save must then stop).
[[nodiscard]] Result<std::string> KeepOriginals(const std::string& dataFolder,
                                                WorkstationModel model,
                                                std::span<const OriginalFile> files);

// The document's files as they were opened, under their names on disk.
[[nodiscard]] std::vector<OriginalFile> OriginalsOf(const OsSetDocument& document);

// The step a save runs before it writes (OsSetSaveOptions::beforeWrite): keeps the document's
// files as opened in dataFolder and puts the copy's folder in keptFolder. A copy that cannot be
// kept stops the save with nothing written.
[[nodiscard]] std::function<Status(const OsSetDocument&)> KeepOriginalsBeforeWrite(
    std::string dataFolder, std::string& keptFolder);

// "Kept Originals" inside the data folder, where every kept copy goes.
[[nodiscard]] std::string KeptOriginalsFolder(const std::string& dataFolder);

// The one-line note that the copy was kept, for status lines and the CLI.
[[nodiscard]] std::string KeptOriginalsNote(const std::string& folder);

}  // namespace zentavour
