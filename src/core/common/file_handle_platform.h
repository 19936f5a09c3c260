#pragma once

// The few calls of the file layer that differ per system: file_handle_posix.cpp and
// file_handle_win32.cpp each define them, file_handle.cpp builds everything else on top. A
// failure's text here is the system's own reason ("No space left on device"); file_handle.cpp
// says what was being done and for which file.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "core/common/failure.h"

namespace zentavour::platform {

// An open file of the system: a descriptor on Unix, a HANDLE on Windows. Closed when dropped.
class NativeFile {
 public:
  NativeFile() = default;
  explicit NativeFile(std::intptr_t raw) : raw_(raw) {}
  NativeFile(NativeFile&& other) noexcept : raw_(std::exchange(other.raw_, kNone)) {}
  NativeFile& operator=(NativeFile&& other) noexcept {
    if (this != &other) {
      (void)Close();
      raw_ = std::exchange(other.raw_, kNone);
    }
    return *this;
  }
  NativeFile(const NativeFile&) = delete;
  NativeFile& operator=(const NativeFile&) = delete;
  ~NativeFile() { (void)Close(); }

  bool valid() const { return raw_ != kNone; }
  std::intptr_t raw() const { return raw_; }
  // Closing can fail (a network file system may report a lost write only here).
  [[nodiscard]] Status Close();

 private:
  static constexpr std::intptr_t kNone = -1;  // -1 is also Windows' INVALID_HANDLE_VALUE
  std::intptr_t raw_ = kNone;
};

// A failure whose text is the system's reason.
inline Failure SystemError(std::string reason) {
  return Failure{"", std::move(reason)};
}

// Said instead of the system's words when another opener holds the file: Unix says "Resource
// temporarily unavailable", which would mislead.
inline constexpr const char* kHeldElsewhere =
    "The file is held open by another program, or by this one";

// An existing regular file, for reading and writing, alone: locked against every other opener.
[[nodiscard]] Result<NativeFile> OpenLocked(const std::string& path);
// An existing regular file, for reading only; others may read it meanwhile but not write it.
[[nodiscard]] Result<NativeFile> OpenForReading(const std::string& path);

// How a new file starts: private until it takes over an existing file's permissions, or with
// what new files in that folder usually get.
enum class NewFile { Private, Usual };
// A file that did not exist, for reading and writing, held alone from the start. On Windows it
// can still be renamed while held, which the replacing step needs.
[[nodiscard]] Result<NativeFile> CreateNew(const std::string& path, NewFile kind);

[[nodiscard]] Result<std::uint64_t> SizeOf(const NativeFile& file);
// Reads or writes at most data.size() bytes at offset; reading returns 0 at the end of the file.
[[nodiscard]] Result<std::size_t> ReadSome(const NativeFile& file, std::uint64_t offset,
                                           std::span<std::uint8_t> data);
[[nodiscard]] Result<std::size_t> WriteSome(const NativeFile& file, std::uint64_t offset,
                                            std::span<const std::uint8_t> data);
// Until the written bytes are on the disk itself, not in a cache.
[[nodiscard]] Status Sync(const NativeFile& file);

// Gives `to` the permissions (Unix) or attributes (Windows) of an open file, or of the file at
// a path.
[[nodiscard]] Status CopyPermissions(const NativeFile& from, const NativeFile& to);
[[nodiscard]] Status CopyPermissionsOf(const std::string& path, const NativeFile& to);

// True when a regular file is at path, false when nothing is; refuses anything else (a folder,
// a device), which must never be replaced.
[[nodiscard]] Result<bool> RegularFileExists(const std::string& path);

// The replacing step of a save: the new file (held as `replacement`, at replacementPath) takes
// path's name in one step, and `held`, which held the old file, then holds the new one. On a
// failure the old file keeps its name and bytes, and `held` holds it (on Windows, if it could be
// taken again). `injected` makes the step fail at its most exposed point (tests).
[[nodiscard]] Status ReplaceHeld(NativeFile& held, NativeFile& replacement,
                                 const std::string& replacementPath, const std::string& path,
                                 const std::optional<Failure>& injected);

// Renames from over to, durably; to may exist and is then replaced.
[[nodiscard]] Status MoveOver(const std::string& from, const std::string& to);
void Remove(const std::string& path);

}  // namespace zentavour::platform
