#include "core/common/file_handle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zentavour {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

// A name beside path that no other file has yet (the create step checks it is new).
std::string TemporaryNameBeside(const std::string& path) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%012llx.tmp",
                static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
  return path + suffix;
}

constexpr const char* kFolderRefused =
    "The folder does not allow a new file to be created beside this one, so it cannot be "
    "replaced safely. Nothing was written to it. Save to a folder where you may create files.";
constexpr const char* kNotWritten = "The new contents could not be written completely";
constexpr const char* kNotFlushed = "The new contents could not be flushed to the disk";
constexpr const char* kNoPermissions = "The new file could not take the original's permissions";
constexpr const char* kNotReplaced = "The new file could not take the original's place";
constexpr const char* kReadBackDiffers =
    "The bytes read back from the disk differ from those written";
constexpr const char* kInterrupted = "Saving was interrupted";

std::string WithReason(const char* what, int error) {
  if (error == 0) return std::string(what) + ".";
  return std::string(what) + " (" + std::strerror(error) + ").";
}

#ifdef _WIN32

class LockedFile final : public FileHandle {
 public:
  LockedFile(HANDLE handle, std::string path, SaveFaultSource faults)
      : handle_(handle), path_(std::move(path)), faults_(std::move(faults)) {}
  ~LockedFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  std::int64_t Size() override {
    LARGE_INTEGER size;
    return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
  }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    return Transfer(handle_, offset, out.data(), out.size(), false);
  }
  bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
    return Transfer(handle_, offset, const_cast<std::uint8_t*>(data.data()), data.size(), true);
  }
  bool Flush() override { return FlushFileBuffers(handle_) != 0; }
  const std::string& Path() const override { return path_; }

  std::optional<std::string> ReplaceWhole(ByteView data) override {
    const std::optional<SaveFaults> faults = faults_ ? faults_() : std::nullopt;
    const auto failsAt = [&](SaveStep step) { return faults && faults->failAt == step; };
    const std::string temp = TemporaryNameBeside(path_);
    HANDLE out = failsAt(SaveStep::CreateTemporary)
                     ? INVALID_HANDLE_VALUE
                     : CreateFileA(temp.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return std::string(kFolderRefused);
    const auto abandon = [&](const char* why) {
      CloseHandle(out);
      DeleteFileA(temp.c_str());
      return std::optional<std::string>(std::string(why) + ".");
    };
    if (failsAt(SaveStep::WriteTemporary) ||
        !Transfer(out, 0, const_cast<std::uint8_t*>(data.data()), data.size(), true)) {
      return abandon(kNotWritten);
    }
    if (faults && faults->storesFirstByteWrong && !data.empty()) {
      std::uint8_t wrong = static_cast<std::uint8_t>(~data[0]);
      (void)Transfer(out, 0, &wrong, 1, true);
    }
    if (failsAt(SaveStep::FlushTemporary) || !FlushFileBuffers(out)) return abandon(kNotFlushed);
    CloseHandle(out);
    // Windows cannot rename over a file that is held open, so the lock is let go for the move.
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    const bool moved = !failsAt(SaveStep::Replace) &&
                       MoveFileExA(temp.c_str(), path_.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    handle_ = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (!moved) {
      DeleteFileA(temp.c_str());
      return std::string(kNotReplaced) + ".";
    }
    Bytes back(data.size());
    if (handle_ == INVALID_HANDLE_VALUE || failsAt(SaveStep::Verify) || Size() != static_cast<std::int64_t>(data.size()) ||
        !ReadAt(0, back) || !std::equal(back.begin(), back.end(), data.begin())) {
      return std::string(kReadBackDiffers) + ".";
    }
    return std::nullopt;
  }

 private:
  static bool Transfer(HANDLE handle, std::uint64_t offset, std::uint8_t* bytes, std::size_t size,
                       bool write) {
    std::size_t done = 0;
    while (done < size) {
      OVERLAPPED at{};
      const std::uint64_t pos = offset + done;
      at.Offset = static_cast<DWORD>(pos);
      at.OffsetHigh = static_cast<DWORD>(pos >> 32);
      DWORD moved = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
      const BOOL ok = write ? WriteFile(handle, bytes + done, want, &moved, &at)
                            : ReadFile(handle, bytes + done, want, &moved, &at);
      if (!ok || moved == 0) return false;
      done += moved;
    }
    return true;
  }

  HANDLE handle_;
  std::string path_;
  SaveFaultSource faults_;
};

#else

bool WriteAll(int fd, std::uint64_t offset, const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t put = ::pwrite(fd, data + done, size - done, static_cast<off_t>(offset + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

bool ReadAll(int fd, std::uint64_t offset, std::uint8_t* out, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

// Makes a rename durable; some file systems cannot sync a folder, which is not an error here.
void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  (void)::fsync(dir);
  ::close(dir);
}

class LockedFile final : public FileHandle {
 public:
  LockedFile(int fd, std::string path, SaveFaultSource faults)
      : fd_(fd), path_(std::move(path)), faults_(std::move(faults)) {}
  ~LockedFile() override { ::close(fd_); }  // closing releases the lock

  std::int64_t Size() override {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
  }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    return ReadAll(fd_, offset, out.data(), out.size());
  }
  bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
    return WriteAll(fd_, offset, data.data(), data.size());
  }
  bool Flush() override { return ::fsync(fd_) == 0; }
  const std::string& Path() const override { return path_; }

  std::optional<std::string> ReplaceWhole(ByteView data) override {
    const std::optional<SaveFaults> faults = faults_ ? faults_() : std::nullopt;
    const auto failsAt = [&](SaveStep step) { return faults && faults->failAt == step; };
    const bool crash = faults && faults->interrupt;

    const std::string temp = TemporaryNameBeside(path_);
    const int out = failsAt(SaveStep::CreateTemporary)
                        ? -1
                        : ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
      if (crash) return std::string(kInterrupted);
      return std::string(kFolderRefused);
    }
    // Locked from the start, so that once it carries the name no other program can take it.
    (void)::flock(out, LOCK_EX | LOCK_NB);
    // A crash leaves the temporary file behind and the original untouched.
    const auto stop = [&]() {
      ::close(out);
      return std::optional<std::string>(kInterrupted);
    };
    const auto abandon = [&](const char* why, int error) {
      ::close(out);
      ::unlink(temp.c_str());
      return std::optional<std::string>(WithReason(why, error));
    };

    if (failsAt(SaveStep::WriteTemporary)) {
      const std::size_t partial = std::min(faults->bytesBeforeFailure, data.size());
      (void)WriteAll(out, 0, data.data(), partial);
      return crash ? stop() : abandon(kNotWritten, ENOSPC);
    }
    if (!WriteAll(out, 0, data.data(), data.size())) return abandon(kNotWritten, errno);
    if (faults && faults->storesFirstByteWrong && !data.empty()) {
      const auto wrong = static_cast<std::uint8_t>(~data[0]);
      (void)WriteAll(out, 0, &wrong, 1);
    }
    if (failsAt(SaveStep::FlushTemporary)) return crash ? stop() : abandon(kNotFlushed, EIO);
    if (::fsync(out) != 0) return abandon(kNotFlushed, errno);

    struct stat original {};
    if (failsAt(SaveStep::KeepPermissions)) return crash ? stop() : abandon(kNoPermissions, EPERM);
    if (::fstat(fd_, &original) == 0) {
      if (::fchmod(out, original.st_mode & 07777) != 0) return abandon(kNoPermissions, errno);
      // Only root may give files away; for anyone else the new file stays their own. (A (void)
      // cast does not quiet warn_unused_result in fortified builds.)
      [[maybe_unused]] const int given = ::fchown(out, original.st_uid, original.st_gid);
    }

    if (failsAt(SaveStep::Replace)) return crash ? stop() : abandon(kNotReplaced, EIO);
    if (::rename(temp.c_str(), path_.c_str()) != 0) return abandon(kNotReplaced, errno);
    SyncFolder(FolderOf(path_));
    // From here the new file is the file; its lock was taken before it got the name.
    ::close(fd_);
    fd_ = out;

    if (crash && failsAt(SaveStep::Verify)) return std::string(kInterrupted);
    Bytes back(data.size());
    if (Size() != static_cast<std::int64_t>(data.size()) || !ReadAll(fd_, 0, back.data(), back.size()) ||
        failsAt(SaveStep::Verify) || !std::equal(back.begin(), back.end(), data.begin())) {
      return std::string(kReadBackDiffers) + ".";
    }
    return std::nullopt;
  }

 private:
  int fd_;
  std::string path_;
  SaveFaultSource faults_;
};

#endif

}  // namespace

FileHandlePtr OpenLockedFileWithFaults(const std::string& path, SaveFaultSource faults) {
#ifdef _WIN32
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<LockedFile>(handle, path, std::move(faults));
#else
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  // Only regular files: a folder or a device chosen by mistake is not an OS file.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<LockedFile>(fd, path, std::move(faults));
#endif
}

FileHandlePtr OpenLockedFile(const std::string& path) { return OpenLockedFileWithFaults(path, {}); }

bool ReadWholeFile(const std::string& path, std::uint64_t maxSize, Bytes& out) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  Bytes data;
  std::uint8_t chunk[65536];
  bool ok = true;
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (data.size() + got > maxSize) {
      ok = false;
      break;
    }
    data.insert(data.end(), chunk, chunk + got);
    if (got < sizeof chunk) {
      ok = !std::ferror(file);
      break;
    }
  }
  std::fclose(file);
  if (ok) out = std::move(data);
  return ok;
}

bool WriteWholeFile(const std::string& path, ByteView data) {
#ifdef _WIN32
  const std::string temp = TemporaryNameBeside(path);
  HANDLE out = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  const bool ok = data.empty() || (WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
                                   put == data.size());
  const bool flushed = FlushFileBuffers(out) != 0;
  CloseHandle(out);
  if (!ok || !flushed ||
      !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
#else
  // A replaced file keeps its permissions; a new one gets the usual ones for this user. Only a
  // regular file is ever replaced: never a device or anything else that bears the name.
  struct stat original {};
  const bool exists = ::stat(path.c_str(), &original) == 0;
  if (exists && !S_ISREG(original.st_mode)) return false;
  const std::string temp = TemporaryNameBeside(path);
  const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) return false;
  mode_t mode;
  if (exists) {
    mode = original.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const bool ok = WriteAll(out, 0, data.data(), data.size()) && ::fsync(out) == 0 &&
                  ::fchmod(out, mode) == 0;
  const bool closed = ::close(out) == 0;
  if (!ok || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
#endif
}

}  // namespace zentavour
