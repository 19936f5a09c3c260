// The file layer's system calls on Windows. Paths arrive as UTF-8 and go to the wide (UTF-16)
// functions: the ANSI ones cannot name a file outside the system's code page.
#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>

#include "core/common/file_handle.h"
#include "core/common/file_handle_platform.h"

namespace zentavour {
namespace {

// flags 0 replaces what is not valid UTF-8 with U+FFFD; MB_ERR_INVALID_CHARS refuses it.
std::wstring Wide(std::string_view utf8, DWORD flags, bool& valid) {
  valid = true;
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int wide = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, nullptr, 0);
  if (wide <= 0) {
    valid = false;
    return {};
  }
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, out.data(), wide);
  return out;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  bool valid = true;
  return std::filesystem::path(Wide(utf8, 0, valid));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  return Utf8(path.native());
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) {
    if (argc < 1) return {};
    return std::vector<std::string>(argv + 1, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

namespace platform {
namespace {

HANDLE Handle(const NativeFile& file) {
  return reinterpret_cast<HANDLE>(file.raw());
}
NativeFile Own(HANDLE handle) {
  return NativeFile(reinterpret_cast<std::intptr_t>(handle));
}

// The system's words for an error code, without the closing full stop and line break.
Failure WindowsError(DWORD code) {
  if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) {
    return SystemError(kHeldElsewhere);
  }
  wchar_t buffer[512];
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
  std::string text = Utf8(std::wstring_view(buffer, length));
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  if (text.empty()) text = "Windows error " + std::to_string(code);
  return SystemError(std::move(text));
}

Failure LastError() {
  return WindowsError(GetLastError());
}

Result<std::wstring> WidePath(const std::string& path) {
  bool valid = true;
  std::wstring wide = Wide(path, MB_ERR_INVALID_CHARS, valid);
  if (!valid || wide.empty()) return SystemError("The file name is not valid UTF-8");
  return wide;
}

Result<NativeFile> Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  const Result<std::wstring> wide = WidePath(path);
  if (!wide) return wide.failure();
  const HANDLE handle = CreateFileW(wide->c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  NativeFile file = Own(handle);
  // Device names (NUL, COM1) open like files; only files on a disk are the user's files.
  if (GetFileType(handle) != FILE_TYPE_DISK) return SystemError("Not a regular file");
  return file;
}

// What a replaced file keeps of the original's attributes. Read-only is left out: a new file
// marked read-only could never be replaced by the next save.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

Status SetAttributes(const NativeFile& to, DWORD attributes) {
  FILE_BASIC_INFO info{};  // times left 0: unchanged
  info.FileAttributes =
      (attributes & kKeptAttributes) ? (attributes & kKeptAttributes) : FILE_ATTRIBUTE_NORMAL;
  if (!SetFileInformationByHandle(Handle(to), FileBasicInfo, &info, sizeof info)) {
    return LastError();
  }
  return {};
}

}  // namespace

Status NativeFile::Close() {
  if (!valid()) return {};
  if (!CloseHandle(reinterpret_cast<HANDLE>(std::exchange(raw_, kNone)))) return LastError();
  return {};
}

Result<NativeFile> OpenLocked(const std::string& path) {
  // Share mode 0: no other opener may read, write or delete the file while this one holds it.
  return Open(path, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
}

Result<NativeFile> OpenForReading(const std::string& path) {
  return Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

Result<NativeFile> CreateNew(const std::string& path, NewFile) {
  // New files take the folder's inherited access rights, as files made there by hand do. Sharing
  // deletion alone lets the file be renamed while held (see ReplaceHeld); nobody else can read
  // or write it.
  return Open(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, CREATE_NEW);
}

Result<std::uint64_t> SizeOf(const NativeFile& file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(Handle(file), &size)) return LastError();
  return static_cast<std::uint64_t>(size.QuadPart);
}

namespace {

OVERLAPPED At(std::uint64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return at;
}

constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;  // a DWORD count, kept round

}  // namespace

Result<std::size_t> ReadSome(const NativeFile& file, std::uint64_t offset,
                             std::span<std::uint8_t> data) {
  OVERLAPPED at = At(offset);
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min(data.size(), kLargestTransfer));
  if (!ReadFile(Handle(file), data.data(), want, &got, &at)) {
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF) return std::size_t{0};
    return WindowsError(error);
  }
  return static_cast<std::size_t>(got);
}

Result<std::size_t> WriteSome(const NativeFile& file, std::uint64_t offset,
                              std::span<const std::uint8_t> data) {
  OVERLAPPED at = At(offset);
  DWORD put = 0;
  const DWORD want = static_cast<DWORD>(std::min(data.size(), kLargestTransfer));
  if (!WriteFile(Handle(file), data.data(), want, &put, &at)) return LastError();
  return static_cast<std::size_t>(put);
}

Status Sync(const NativeFile& file) {
  if (!FlushFileBuffers(Handle(file))) return LastError();
  return {};
}

Status CopyPermissions(const NativeFile& from, const NativeFile& to) {
  FILE_BASIC_INFO info{};
  if (!GetFileInformationByHandleEx(Handle(from), FileBasicInfo, &info, sizeof info)) {
    return LastError();
  }
  // Made read-only while held: Windows would refuse the replacing step only after the hold on
  // the file was let go, so refuse here while it is still held.
  if (info.FileAttributes & FILE_ATTRIBUTE_READONLY) {
    return SystemError("The file has been made read-only");
  }
  return SetAttributes(to, info.FileAttributes);
}

Status CopyPermissionsOf(const std::string& path, const NativeFile& to) {
  const Result<std::wstring> wide = WidePath(path);
  if (!wide) return wide.failure();
  const DWORD attributes = GetFileAttributesW(wide->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  return SetAttributes(to, attributes);
}

Result<bool> RegularFileExists(const std::string& path) {
  const Result<std::wstring> wide = WidePath(path);
  if (!wide) return wide.failure();
  // No access asked, so a file another program holds can still be looked at; backup semantics
  // let a folder open too, to be refused below.
  const HANDLE handle =
      CreateFileW(wide->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
    return WindowsError(error);
  }
  const NativeFile file = Own(handle);
  if (GetFileType(handle) != FILE_TYPE_DISK) return SystemError("Not a regular file");
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return LastError();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return SystemError("Is a directory");
  return true;
}

Status ReplaceHeld(NativeFile& held, NativeFile& replacement, const std::string& replacementPath,
                   const std::string& path, const std::optional<Failure>& injected) {
  const Result<std::wstring> from = WidePath(replacementPath);
  const Result<std::wstring> to = WidePath(path);
  if (!from || !to) return SystemError("The file name is not valid UTF-8");
  // Windows refuses to rename over a file that is held open, however it is shared, so the hold
  // on the old file is let go for this one call: between this Close and MoveFileExW another
  // program could open the old file (the move then fails, below). The new file stays held
  // throughout: it shares only deletion, which lets it be renamed, and the same handle holds it
  // under its new name, so no gap follows the move. (Windows 10's rename with POSIX semantics,
  // FileRenameInfoEx, would close this gap too, but Wine, where these paths are tested, lacks it.)
  (void)held.Close();
  const bool moved =
      !injected && MoveFileExW(from->c_str(), to->c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!moved) {
    Failure why = injected ? *injected : LastError();
    Result<NativeFile> again = OpenLocked(path);
    if (again) {
      held = std::move(*again);
    } else {
      why.text += "; the file could not be held again (" + again.failure().text + ")";
    }
    return why;
  }
  held = std::move(replacement);
  return {};
}

Status MoveOver(const std::string& from, const std::string& to) {
  const Result<std::wstring> wideFrom = WidePath(from);
  const Result<std::wstring> wideTo = WidePath(to);
  if (!wideFrom || !wideTo) return SystemError("The file name is not valid UTF-8");
  if (!MoveFileExW(wideFrom->c_str(), wideTo->c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastError();
  }
  return {};
}

void Remove(const std::string& path) {
  const Result<std::wstring> wide = WidePath(path);
  if (wide) DeleteFileW(wide->c_str());
}

}  // namespace platform
}  // namespace zentavour

#endif  // _WIN32
