// The file layer's system calls on Linux, macOS and other Unix systems.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/common/file_handle.h"
#include "core/common/file_handle_platform.h"

namespace zentavour {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(utf8);
}
std::string Utf8FromPath(const std::filesystem::path& path) {
  return path.string();
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

namespace platform {
namespace {

Failure Errno(int error) {
  return SystemError(std::strerror(error));
}
int Fd(const NativeFile& file) {
  return static_cast<int>(file.raw());
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes a rename durable; some file systems cannot sync a folder, which is not an error here.
void SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  (void)::fsync(dir);
  ::close(dir);
}

// Opens an existing regular file. O_NONBLOCK keeps a FIFO chosen by mistake from blocking the
// open; it is cleared again, as it means nothing for a regular file.
Result<NativeFile> OpenRegular(const std::string& path, int access) {
  const int fd = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return Errno(errno);
  NativeFile file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) return Errno(errno);
  if (S_ISDIR(info.st_mode)) return Errno(EISDIR);
  if (!S_ISREG(info.st_mode)) return SystemError("Not a regular file");
  (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return file;
}

}  // namespace

Status NativeFile::Close() {
  if (!valid()) return {};
  const int fd = static_cast<int>(std::exchange(raw_, kNone));
  if (::close(fd) != 0 && errno != EINTR) return Errno(errno);  // closing releases the lock
  return {};
}

Result<NativeFile> OpenLocked(const std::string& path) {
  Result<NativeFile> file = OpenRegular(path, O_RDWR);
  if (!file) return file;
  if (::flock(Fd(*file), LOCK_EX | LOCK_NB) != 0) {
    return errno == EWOULDBLOCK ? SystemError(kHeldElsewhere) : Errno(errno);
  }
  return file;
}

Result<NativeFile> OpenForReading(const std::string& path) {
  return OpenRegular(path, O_RDONLY);
}

Result<NativeFile> CreateNew(const std::string& path, NewFile kind) {
  // The usual permissions are 0666 less the umask, which open() applies.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC,
                        kind == NewFile::Private ? 0600 : 0666);
  if (fd < 0) return Errno(errno);
  // Locked from the start, so that once it carries the name no other program can take it.
  (void)::flock(fd, LOCK_EX | LOCK_NB);
  return NativeFile(fd);
}

Result<std::uint64_t> SizeOf(const NativeFile& file) {
  struct stat info {};
  if (::fstat(Fd(file), &info) != 0) return Errno(errno);
  return static_cast<std::uint64_t>(info.st_size);
}

Result<std::size_t> ReadSome(const NativeFile& file, std::uint64_t offset,
                             std::span<std::uint8_t> data) {
  for (;;) {
    const ssize_t got = ::pread(Fd(file), data.data(), data.size(), static_cast<off_t>(offset));
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) return Errno(errno);
  }
}

Result<std::size_t> WriteSome(const NativeFile& file, std::uint64_t offset,
                              std::span<const std::uint8_t> data) {
  for (;;) {
    const ssize_t put = ::pwrite(Fd(file), data.data(), data.size(), static_cast<off_t>(offset));
    if (put >= 0) return static_cast<std::size_t>(put);
    if (errno != EINTR) return Errno(errno);
  }
}

Status Sync(const NativeFile& file) {
#ifdef F_FULLFSYNC
  // macOS: fsync only hands the bytes to the drive, whose cache may lose them in a power cut;
  // F_FULLFSYNC asks the drive to write them out. Some file systems refuse it: fsync then.
  if (::fcntl(Fd(file), F_FULLFSYNC) == 0) return {};
#endif
  if (::fsync(Fd(file)) != 0) return Errno(errno);
  return {};
}

Status CopyPermissions(const NativeFile& from, const NativeFile& to) {
  struct stat original {};
  if (::fstat(Fd(from), &original) != 0) return Errno(errno);
  if (::fchmod(Fd(to), original.st_mode & 07777) != 0) return Errno(errno);
  (void)::fchown(Fd(to), original.st_uid, original.st_gid);  // only root may give files away
  return {};
}

Status CopyPermissionsOf(const std::string& path, const NativeFile& to) {
  struct stat original {};
  if (::stat(path.c_str(), &original) != 0) return Errno(errno);
  if (::fchmod(Fd(to), original.st_mode & 07777) != 0) return Errno(errno);
  (void)::fchown(Fd(to), original.st_uid, original.st_gid);
  return {};
}

Result<bool> RegularFileExists(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return false;
    return Errno(errno);
  }
  if (S_ISDIR(info.st_mode)) return Errno(EISDIR);
  if (!S_ISREG(info.st_mode)) return SystemError("Not a regular file");
  return true;
}

Status ReplaceHeld(NativeFile& held, NativeFile& replacement, const std::string& replacementPath,
                   const std::string& path, const std::optional<Failure>& injected) {
  // The new file was locked when it was made, so the name is never without a holder: it passes
  // from the old file to the new one in the rename itself.
  if (injected) return *injected;
  if (::rename(replacementPath.c_str(), path.c_str()) != 0) return Errno(errno);
  SyncFolder(FolderOf(path));
  (void)held.Close();  // the old file has no name left; its lock goes with it
  held = std::move(replacement);
  return {};
}

Status MoveOver(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return Errno(errno);
  SyncFolder(FolderOf(to));
  return {};
}

void Remove(const std::string& path) {
  (void)::unlink(path.c_str());
}

}  // namespace platform
}  // namespace zentavour

#endif  // !_WIN32
