#include "core/osfiles/kept_originals.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/common/file_handle.h"
#include "core/osfiles/os_set_document.h"

namespace zentavour {
namespace {

// More than any set has: each further folder means a foreign file already took the name.
constexpr int kMostFolderTries = 20;
// An OS file is a few MB at most; a kept copy read back for comparison is bounded by it.
constexpr std::uint64_t kLargestKeptFile = 64ull * 1024 * 1024;

// FNV-1a over the names and bytes: the same original always gets the same folder.
std::uint64_t Fingerprint(std::span<const OriginalFile> files) {
  std::uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](std::uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  for (const OriginalFile& file : files) {
    for (const char c : file.name) mix(static_cast<std::uint8_t>(c));
    mix(0);
    for (const std::uint8_t byte : file.bytes) mix(byte);
    mix(0);
  }
  return hash;
}

std::string Join(const std::string& folder, const std::string& name) {
  return Utf8FromPath(PathFromUtf8(folder) / PathFromUtf8(name));
}

Failure NotKept(const Failure& why) {
  Failure failure = FileError(
      "The original OS files could not be kept in the program's data folder, so nothing was "
      "saved and the OS files are as they were. " +
      why.text +
      " Check that folder and its disk, or turn keeping originals off to save without a copy.");
  failure.detail = why.detail;
  return failure;
}

enum class Placement { Kept, Taken };

// Writes each file missing from folder; a file already there with the same bytes stays as it
// is. A file of the same name with other bytes means the folder is another original's.
Result<Placement> PlaceIn(const std::string& folder, std::span<const OriginalFile> files) {
  for (const OriginalFile& file : files) {
    const Result<bool> exists = FileExists(Join(folder, file.name));
    if (!exists) return exists.failure();
    if (!*exists) continue;
    const Result<Bytes> held = ReadWholeFile(Join(folder, file.name), kLargestKeptFile);
    if (!held) return held.failure();
    if (!std::equal(held->begin(), held->end(), file.bytes.begin(), file.bytes.end())) {
      return Placement::Taken;
    }
  }
  if (Status made = CreateFolders(folder); !made) return made.failure();
  for (const OriginalFile& file : files) {
    const std::string path = Join(folder, file.name);
    const Result<bool> exists = FileExists(path);
    if (!exists) return exists.failure();
    if (*exists) continue;
    if (Status written = WriteWholeFile(path, file.bytes); !written) return written.failure();
  }
  return Placement::Kept;
}

std::string NameOf(const std::string& path) {
  return Utf8FromPath(PathFromUtf8(path).filename());
}

}  // namespace

std::vector<OriginalFile> OriginalsOf(const OsSetDocument& document) {
  const OsFileSet& set = document.set();
  std::vector<OriginalFile> files{{NameOf(set.sysinfoPath), document.openedSysinfo()},
                                  {NameOf(set.extPath), document.openedExt()}};
  if (!set.ext2Path.empty()) files.push_back({NameOf(set.ext2Path), document.openedExt2()});
  return files;
}

std::function<Status(const OsSetDocument&)> KeepOriginalsBeforeWrite(std::string dataFolder,
                                                                     std::string& keptFolder) {
  return [dataFolder = std::move(dataFolder), &keptFolder](const OsSetDocument& document) {
    const Result<std::string> kept =
        KeepOriginals(dataFolder, document.model(), OriginalsOf(document));
    if (!kept) return Status(kept.failure());
    keptFolder = *kept;
    return Status();
  };
}

std::string KeptOriginalsFolder(const std::string& dataFolder) {
  return Join(dataFolder, std::string(kKeptOriginalsFolderName));
}

std::string KeptOriginalsNote(const std::string& folder) {
  return "The original OS files were kept in " + folder;
}

Result<std::string> KeepOriginals(const std::string& dataFolder, WorkstationModel model,
                                  std::span<const OriginalFile> files) {
  if (files.empty()) return NotKept(FileError("No file of the set was taken when it was opened."));
  char fingerprint[20];
  std::snprintf(fingerprint, sizeof fingerprint, "%016llx",
                static_cast<unsigned long long>(Fingerprint(files)));
  const std::string base =
      Join(KeptOriginalsFolder(dataFolder), std::string(ModelInfo(model).name) + " " + fingerprint);
  for (int attempt = 1; attempt <= kMostFolderTries; ++attempt) {
    const std::string folder = attempt == 1 ? base : base + " (" + std::to_string(attempt) + ")";
    const Result<Placement> placed = PlaceIn(folder, files);
    if (!placed) return NotKept(placed.failure());
    if (*placed == Placement::Kept) return folder;
  }
  return NotKept(FileError("Every folder for this copy already holds other files."));
}

}  // namespace zentavour
