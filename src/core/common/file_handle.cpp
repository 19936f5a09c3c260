#include "core/common/file_handle.h"

#include <algorithm>
#include <cstdio>

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

#ifdef _WIN32

class LockedFile final : public FileHandle {
 public:
  LockedFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  ~LockedFile() override { CloseHandle(handle_); }

  std::int64_t Size() override {
    LARGE_INTEGER size;
    return GetFileSizeEx(handle_, &size) ? size.QuadPart : -1;
  }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    std::size_t done = 0;
    while (done < out.size()) {
      OVERLAPPED at{};
      const std::uint64_t pos = offset + done;
      at.Offset = static_cast<DWORD>(pos);
      at.OffsetHigh = static_cast<DWORD>(pos >> 32);
      DWORD got = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(out.size() - done, 1u << 30));
      if (!ReadFile(handle_, out.data() + done, want, &got, &at) || got == 0) return false;
      done += got;
    }
    return true;
  }
  bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
    std::size_t done = 0;
    while (done < data.size()) {
      OVERLAPPED at{};
      const std::uint64_t pos = offset + done;
      at.Offset = static_cast<DWORD>(pos);
      at.OffsetHigh = static_cast<DWORD>(pos >> 32);
      DWORD put = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
      if (!WriteFile(handle_, data.data() + done, want, &put, &at) || put == 0) return false;
      done += put;
    }
    return true;
  }
  bool Flush() override { return FlushFileBuffers(handle_) != 0; }
  const std::string& Path() const override { return path_; }

 private:
  HANDLE handle_;
  std::string path_;
};

#else

class LockedFile final : public FileHandle {
 public:
  LockedFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~LockedFile() override { ::close(fd_); }  // closing releases the lock

  std::int64_t Size() override {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
  }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    std::size_t done = 0;
    while (done < out.size()) {
      const ssize_t got = ::pread(fd_, out.data() + done, out.size() - done,
                                  static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      done += static_cast<std::size_t>(got);
    }
    return true;
  }
  bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> data) override {
    std::size_t done = 0;
    while (done < data.size()) {
      const ssize_t put = ::pwrite(fd_, data.data() + done, data.size() - done,
                                   static_cast<off_t>(offset + done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      done += static_cast<std::size_t>(put);
    }
    return true;
  }
  bool Flush() override { return ::fsync(fd_) == 0; }
  const std::string& Path() const override { return path_; }

 private:
  int fd_;
  std::string path_;
};

#endif

}  // namespace

FileHandlePtr OpenLockedFile(const std::string& path) {
#ifdef _WIN32
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<LockedFile>(handle, path);
#else
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  // Only regular files: a folder or a device chosen by mistake is not an OS file.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<LockedFile>(fd, path);
#endif
}

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
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool wrote = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  return wrote && flushed && closed;
}

}  // namespace zentavour
