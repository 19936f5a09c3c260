// The file layer's shared part: what a save does, step by step, and what it says when a step
// fails. The system calls themselves are in file_handle_posix.cpp and file_handle_win32.cpp.
#include "core/common/file_handle.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <random>

#include "core/common/file_handle_platform.h"

namespace zentavour {
namespace {

using platform::NativeFile;
using platform::SystemError;

// A name beside path that no other file has yet (the create step checks it is new).
std::string TemporaryNameBeside(const std::string& path) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
  return path + suffix;
}

constexpr const char* kNotOpened = "The file could not be opened";
constexpr const char* kNotRead = "The file could not be read";
constexpr const char* kNotWrittenInPlace = "The file could not be written";
constexpr const char* kNotFlushedInPlace = "The file could not be flushed to the disk";
constexpr const char* kNotReplaceable = "This is not a file that can be replaced";
constexpr const char* kNotWritten = "The new contents could not be written completely";
constexpr const char* kNotFlushed = "The new contents could not be flushed to the disk";
constexpr const char* kNoPermissions = "The new file could not take the original's permissions";
constexpr const char* kNotReplaced = "The new file could not take the original's place";

// The system's words that injected faults stand for.
constexpr const char* kInjectedRefusal = "Permission denied";
constexpr const char* kInjectedNoSpace = "No space left on device";
constexpr const char* kInjectedIo = "Input/output error";
constexpr const char* kInjectedNotPermitted = "Operation not permitted";

// What was being done, the system's reason, and for which file.
Failure Explain(const std::string& path, std::string_view what, const Failure& system) {
  Failure failure = FileError(std::string(what) + " (" + system.text + ").");
  failure.detail = path + ": " + system.text;
  return failure;
}

Failure FolderRefused(const std::string& path, const Failure& system) {
  Failure failure = FileError(
      "The folder does not allow a new file to be created beside this one (" + system.text +
      "), so it cannot be replaced safely. Nothing was written to it. Save to a folder where you "
      "may create files.");
  failure.detail = path + ": " + system.text;
  return failure;
}

Failure Unverified(const std::string& path, const std::string& reason) {
  Failure failure = FileError(std::string(kReplacedUnverifiedText) + " (" + reason + ").");
  failure.detail = path + ": " + reason;
  return failure;
}

Status Interrupted() {
  return FileError("Saving was interrupted.");
}

Status ReadFully(const NativeFile& file, std::uint64_t offset, std::span<std::uint8_t> out) {
  std::size_t done = 0;
  while (done < out.size()) {
    const Result<std::size_t> got = platform::ReadSome(file, offset + done, out.subspan(done));
    if (!got) return got.failure();
    if (*got == 0) return SystemError("The file ends before the bytes asked for");
    done += *got;
  }
  return {};
}

Status WriteFully(const NativeFile& file, std::uint64_t offset,
                  std::span<const std::uint8_t> data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const Result<std::size_t> put = platform::WriteSome(file, offset + done, data.subspan(done));
    if (!put) return put.failure();
    if (*put == 0) return SystemError("No byte could be written");
    done += *put;
  }
  return {};
}

class LockedFile final : public FileHandle {
 public:
  LockedFile(NativeFile file, std::string path, SaveFaultSource faults)
      : file_(std::move(file)), path_(std::move(path)), faults_(std::move(faults)) {}

  std::int64_t Size() override {
    const Result<std::uint64_t> size = platform::SizeOf(file_);
    return size && *size <= INT64_MAX ? static_cast<std::int64_t>(*size) : -1;
  }
  Status ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    return Checked(kNotRead, [&] { return ReadFully(file_, offset, out); });
  }
  Status WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
    return Checked(kNotWrittenInPlace, [&] { return WriteFully(file_, offset, data); });
  }
  Status Flush() override {
    return Checked(kNotFlushedInPlace, [&] { return platform::Sync(file_); });
  }
  const std::string& Path() const override { return path_; }
  Status ReplaceWhole(ByteView data) override;

 private:
  // A save on Windows lets go of the file for a moment; if another program took it then, this
  // handle holds nothing and says so.
  template <class Step>
  Status Checked(const char* what, Step step) {
    if (!file_.valid()) {
      return Explain(path_, what, SystemError("This program no longer holds the file"));
    }
    if (Status done = step(); !done) return Explain(path_, what, done.failure());
    return {};
  }

  NativeFile file_;
  std::string path_;
  SaveFaultSource faults_;
};

Status LockedFile::ReplaceWhole(ByteView data) {
  if (!file_.valid()) {
    return Explain(path_, kNotReplaced, SystemError("This program no longer holds the file"));
  }
  const std::optional<SaveFaults> faults = faults_ ? faults_() : std::nullopt;
  const auto failsAt = [&](SaveStep step) { return faults && faults->failAt == step; };
  const bool crash = faults && faults->interrupt;

  const std::string temp = TemporaryNameBeside(path_);
  Result<NativeFile> created = failsAt(SaveStep::CreateTemporary)
                                   ? Result<NativeFile>(SystemError(kInjectedRefusal))
                                   : platform::CreateNew(temp, platform::NewFile::Private);
  if (!created) return crash ? Interrupted() : FolderRefused(path_, created.failure());
  NativeFile out = std::move(*created);

  // A crash leaves the new file behind and the original untouched.
  const auto stop = [&] { return Interrupted(); };
  const auto abandon = [&](const char* what, const Failure& why) -> Status {
    (void)out.Close();
    platform::Remove(temp);
    return Explain(path_, what, why);
  };

  if (failsAt(SaveStep::WriteTemporary)) {
    const std::size_t partial = std::min(faults->bytesBeforeFailure, data.size());
    (void)WriteFully(out, 0, data.first(partial));
    return crash ? stop() : abandon(kNotWritten, SystemError(kInjectedNoSpace));
  }
  if (Status written = WriteFully(out, 0, data); !written) {
    return abandon(kNotWritten, written.failure());
  }
  if (faults && faults->storesFirstByteWrong && !data.empty()) {
    const std::array<std::uint8_t, 1> wrong{static_cast<std::uint8_t>(~data[0])};
    (void)WriteFully(out, 0, wrong);
  }
  if (failsAt(SaveStep::KeepPermissions)) {
    return crash ? stop() : abandon(kNoPermissions, SystemError(kInjectedNotPermitted));
  }
  if (Status kept = platform::CopyPermissions(file_, out); !kept) {
    return abandon(kNoPermissions, kept.failure());
  }

  if (failsAt(SaveStep::FlushTemporary)) {
    return crash ? stop() : abandon(kNotFlushed, SystemError(kInjectedIo));
  }
  if (Status synced = platform::Sync(out); !synced) return abandon(kNotFlushed, synced.failure());
  if (crash && failsAt(SaveStep::Replace)) return stop();
  const std::optional<Failure> injected =
      failsAt(SaveStep::Replace) ? std::optional<Failure>(SystemError(kInjectedIo)) : std::nullopt;
  if (Status replaced = platform::ReplaceHeld(file_, out, temp, path_, injected); !replaced) {
    return abandon(kNotReplaced, replaced.failure());
  }

  // From here the new file carries the name and this handle holds it.
  if (crash && failsAt(SaveStep::Verify)) return Interrupted();
  const Result<std::uint64_t> size = platform::SizeOf(file_);
  if (!size) return Unverified(path_, size.failure().text);
  if (*size != data.size()) {
    return Unverified(path_, "it is " + std::to_string(*size) + " bytes long, not " +
                                 std::to_string(data.size()));
  }
  // Compared piece by piece through one small buffer: a fresh buffer the size of the file would
  // cost more in page faults than the reading itself.
  std::array<std::uint8_t, 65536> back;
  for (std::size_t at = 0; at < data.size(); at += back.size()) {
    const auto piece = std::span(back).first(std::min(back.size(), data.size() - at));
    if (Status read = ReadFully(file_, at, piece); !read) {
      return Unverified(path_, read.failure().text);
    }
    if (!std::equal(piece.begin(), piece.end(), data.begin() + static_cast<std::ptrdiff_t>(at))) {
      return Unverified(path_, "the bytes read back differ from those written");
    }
  }
  if (failsAt(SaveStep::Verify)) {
    return Unverified(path_, "the bytes read back differ from those written");
  }
  return {};
}

}  // namespace

Result<FileHandlePtr> TryOpenLockedFile(const std::string& path) {
  return OpenLockedFileWithFaults(path, {});
}

Result<FileHandlePtr> OpenLockedFileWithFaults(const std::string& path, SaveFaultSource faults) {
  Result<NativeFile> file = platform::OpenLocked(path);
  if (!file) return Explain(path, kNotOpened, file.failure());
  return FileHandlePtr(std::make_unique<LockedFile>(std::move(*file), path, std::move(faults)));
}

FileHandlePtr OpenLockedFile(const std::string& path) {
  Result<FileHandlePtr> file = OpenLockedFileWithFaults(path, {});
  return file ? std::move(*file) : nullptr;
}

Result<Bytes> ReadWholeFile(const std::string& path, std::uint64_t maxSize) {
  const Result<NativeFile> file = platform::OpenForReading(path);
  if (!file) return Explain(path, kNotOpened, file.failure());
  const auto tooLarge = [&] {
    return Explain(path, kNotRead,
                   SystemError("It is larger than " + std::to_string(maxSize) + " bytes"));
  };
  // Read to the end rather than trusting the size: the file may grow while it is read.
  const Result<std::uint64_t> size = platform::SizeOf(*file);
  if (size && *size > maxSize) return tooLarge();
  Bytes data;
  if (size) data.reserve(static_cast<std::size_t>(*size));
  std::array<std::uint8_t, 65536> chunk;
  for (;;) {
    const Result<std::size_t> got = platform::ReadSome(*file, data.size(), chunk);
    if (!got) return Explain(path, kNotRead, got.failure());
    if (*got == 0) return data;
    if (data.size() + *got > maxSize) return tooLarge();
    data.insert(data.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(*got));
  }
}

Status WriteWholeFile(const std::string& path, ByteView data) {
  const Result<bool> exists = platform::RegularFileExists(path);
  if (!exists) return Explain(path, kNotReplaceable, exists.failure());
  const std::string temp = TemporaryNameBeside(path);
  Result<NativeFile> created =
      platform::CreateNew(temp, *exists ? platform::NewFile::Private : platform::NewFile::Usual);
  if (!created) return FolderRefused(path, created.failure());
  NativeFile out = std::move(*created);
  const auto abandon = [&](const char* what, const Failure& why) -> Status {
    (void)out.Close();
    platform::Remove(temp);
    return Explain(path, what, why);
  };
  if (Status written = WriteFully(out, 0, data); !written) {
    return abandon(kNotWritten, written.failure());
  }
  if (Status synced = platform::Sync(out); !synced) return abandon(kNotFlushed, synced.failure());
  if (*exists) {
    if (Status kept = platform::CopyPermissionsOf(path, out); !kept) {
      return abandon(kNoPermissions, kept.failure());
    }
  }
  if (Status closed = out.Close(); !closed) return abandon(kNotWritten, closed.failure());
  if (Status moved = platform::MoveOver(temp, path); !moved) {
    platform::Remove(temp);
    return Explain(path, kNotReplaced, moved.failure());
  }
  return {};
}

Result<bool> FileExists(const std::string& path) {
  const Result<bool> exists = platform::RegularFileExists(path);
  if (!exists) return Explain(path, "The file's place could not be looked at", exists.failure());
  return *exists;
}

Status CreateFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(PathFromUtf8(path), error);
  if (error) return Explain(path, "The folder could not be created", SystemError(error.message()));
  // create_directories reports no error when a file, not a folder, has the name.
  if (!std::filesystem::is_directory(PathFromUtf8(path), error)) {
    return Explain(path, "The folder could not be created", SystemError("Not a directory"));
  }
  return {};
}

}  // namespace zentavour
