#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/common/bytes.h"

namespace zentavour {

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
};

using FileHandlePtr = std::unique_ptr<FileHandle>;

// Opens an existing file for reading and writing, alone: a second opener (another program, or
// this one) is refused. Returns null when the file cannot be opened that way.
using FileOpener = std::function<FileHandlePtr(const std::string& path)>;

// The real opener: read-write access with an exclusive, non-blocking lock.
[[nodiscard]] FileHandlePtr OpenLockedFile(const std::string& path);

// Reads a whole file without keeping it open (font and bitmap files). Returns false when it
// cannot be opened or read, or is larger than maxSize.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::uint64_t maxSize, Bytes& out);

// Creates or replaces a file with data (font files). Returns false unless every byte was written.
[[nodiscard]] bool WriteWholeFile(const std::string& path, ByteView data);

}  // namespace zentavour
