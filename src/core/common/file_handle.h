#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/failure.h"

namespace zentavour {

// The steps of saving a file whole, in order. Tests make any of them fail, or stop dead there as
// a crash or power cut would.
enum class SaveStep {
  CreateTemporary,  // a new file beside the original
  WriteTemporary,
  KeepPermissions,  // the new file takes the original's permissions (attributes on Windows)
  FlushTemporary,   // the new bytes, and those permissions, reach the disk
  Replace,          // the new file takes the original's name, in one step
  Verify,           // the bytes are read back and compared
};

// Faults injected into saving, for tests of failures and interruptions.
struct SaveFaults {
  std::optional<SaveStep> failAt;
  bool interrupt = false;              // stop at failAt without cleaning up, as a crash would
  std::size_t bytesBeforeFailure = 0;  // a failing WriteTemporary writes this much first
  bool storesFirstByteWrong = false;   // the disk keeps byte 0 inverted, as only reading back tells
};

// Where a file handle asks, at save time, which faults to inject; empty in the program.
using SaveFaultSource = std::function<std::optional<SaveFaults>()>;

// How ReplaceWhole's text begins when the new file took the file's name but did not read back
// as written: the one failure after which the file no longer holds its old bytes.
inline constexpr std::string_view kReplacedUnverifiedText =
    "The file was replaced, but it did not read back as written";

// A file the user works on, held open for as long as it is in use. Every read and write says
// whether it did all it was asked and, when not, why in the system's own words (the failure's
// detail: "path: reason").
class FileHandle {
 public:
  virtual ~FileHandle() = default;

  // The file's current length, or -1 when it cannot be told.
  [[nodiscard]] virtual std::int64_t Size() = 0;
  // Reads exactly out.size() bytes at offset; fails on an error or an early end of the file.
  [[nodiscard]] virtual Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
  // Writes all of data at offset.
  [[nodiscard]] virtual Status WriteAt(std::uint64_t offset,
                                       std::span<const std::uint8_t> data) = 0;
  // Pushes written bytes to the disk.
  [[nodiscard]] virtual Status Flush() = 0;
  virtual const std::string& Path() const = 0;

  // Replaces the whole file with data so that it holds either its old bytes or the new ones,
  // never a mix: the bytes go to a new file in the same folder, take the old file's permissions,
  // reach the disk, and take the old file's name in one step, and are read back and compared. The
  // handle then refers to the new file and still holds it locked. A failure before the replacing
  // step leaves the file as it was; only kReplacedUnverifiedText comes after it.
  // Handles that stand for files never written (PCG files, test doubles) keep this refusal.
  [[nodiscard]] virtual Status ReplaceWhole(ByteView) {
    return FileError("This file cannot be replaced.");
  }
};

using FileHandlePtr = std::unique_ptr<FileHandle>;

// Opens an existing file for reading and writing, alone: a second opener (another program, or
// this one) is refused. A refusal says the file and the system's reason in its detail.
using FileOpener = std::function<Result<FileHandlePtr>(const std::string& path)>;

// The real opener: read-write access with an exclusive, non-blocking lock (flock on Unix, no
// sharing on Windows). Only regular files are opened.
[[nodiscard]] FileHandlePtr OpenLockedFile(const std::string& path);

// The same, saying why a file could not be opened (the program's FileOpener).
[[nodiscard]] Result<FileHandlePtr> TryOpenLockedFile(const std::string& path);

// The same, with faults injected into ReplaceWhole (tests only).
[[nodiscard]] Result<FileHandlePtr> OpenLockedFileWithFaults(const std::string& path,
                                                             SaveFaultSource faults);

// Reads a whole regular file without keeping it open (font and bitmap files); refuses one
// larger than maxSize.
[[nodiscard]] Result<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxSize);

// Creates or replaces a regular file with data (font files, exports), whole or not at all: the
// bytes go to a new file beside it that reaches the disk and then takes its name. A replaced
// file keeps its permissions. Never writes through a device or folder of that name.
[[nodiscard]] Status WriteWholeFile(const std::string& path, ByteView data);

// True when a regular file is at path, false when nothing is; refuses a folder or a device.
[[nodiscard]] Result<bool> FileExists(const std::string& path);

// Creates a folder and the folders above it that are missing; an existing folder is fine.
[[nodiscard]] Status CreateFolders(const std::string& path);

// Paths are UTF-8 strings everywhere in the program. These convert them to and from the
// standard library's paths without going through Windows' ANSI code page.
[[nodiscard]] std::filesystem::path PathFromUtf8(std::string_view utf8);
[[nodiscard]] std::string Utf8FromPath(const std::filesystem::path& path);

// The arguments after the program's name, in UTF-8. On Windows they come from the wide command
// line, since argv there is in the ANSI code page and loses what it cannot spell; elsewhere argv
// is UTF-8 already.
[[nodiscard]] std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace zentavour
