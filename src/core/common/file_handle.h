#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/common/bytes.h"

namespace zentavour {

// The steps of saving a file whole, in order. Tests make any of them fail, or stop dead there as
// a crash or power cut would.
enum class SaveStep {
  CreateTemporary,  // a new file beside the original
  WriteTemporary,
  FlushTemporary,   // the new bytes reach the disk
  KeepPermissions,  // the new file takes the original's permissions
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

// A file the user works on, held open for as long as it is in use. Every read and write says
// whether it did all it was asked; nothing is assumed.
class FileHandle {
 public:
  virtual ~FileHandle() = default;

  // The file's current length, or -1 when it cannot be told.
  [[nodiscard]] virtual std::int64_t Size() = 0;
  // Reads exactly out.size() bytes at offset; false on error or end of file.
  [[nodiscard]] virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
  // Writes all of data at offset; false on any error.
  [[nodiscard]] virtual bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) = 0;
  // Pushes written bytes to the disk; false on error.
  [[nodiscard]] virtual bool Flush() = 0;
  virtual const std::string& Path() const = 0;

  // Replaces the whole file with data so that it holds either its old bytes or the new ones,
  // never a mix: the bytes go to a new file in the same folder, reach the disk, take the old
  // file's permissions and then its name in one step, and are read back and compared. The
  // handle then refers to the new file and still holds it locked. Returns nothing on success,
  // or why it failed; a failure before the replacing step leaves the file as it was.
  // Handles that stand for files never written (PCG files, test doubles) keep this refusal.
  [[nodiscard]] virtual std::optional<std::string> ReplaceWhole(ByteView) {
    return std::string("This file cannot be replaced.");
  }
};

using FileHandlePtr = std::unique_ptr<FileHandle>;

// Opens an existing file for reading and writing, alone: a second opener (another program, or
// this one) is refused. Returns null when the file cannot be opened that way.
using FileOpener = std::function<FileHandlePtr(const std::string& path)>;

// The real opener: read-write access with an exclusive, non-blocking lock.
[[nodiscard]] FileHandlePtr OpenLockedFile(const std::string& path);

// The same, with faults injected into ReplaceWhole (tests only).
[[nodiscard]] FileHandlePtr OpenLockedFileWithFaults(const std::string& path,
                                                     SaveFaultSource faults);

// Reads a whole file without keeping it open (font and bitmap files). Returns false when it
// cannot be opened or read, or is larger than maxSize.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::uint64_t maxSize, Bytes& out);

// Creates or replaces a file with data (font files), whole or not at all: the bytes go to a new
// file beside it that then takes its name. Returns false unless every byte was written.
[[nodiscard]] bool WriteWholeFile(const std::string& path, ByteView data);

}  // namespace zentavour
