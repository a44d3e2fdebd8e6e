// The disk through the C runtime and the Windows API. Files are opened in binary; the programs
// write their own CR LF. Names go through the ANSI code page.

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "common/disk_file_system.h"
#include "common/platform_paths.h"

namespace kelvarro {
namespace {

std::string ErrnoReason() {
  const int error = errno;
  std::string text = std::strerror(error);
  errno = error;
  return text;
}

// The system's own message for a failed call of its API, without the line end behind it.
std::string SystemReason() {
  const DWORD error = GetLastError();
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
  if (length == 0) return "system error " + std::to_string(error);
  return std::string(text, length);
}

// Opens the file for writing and closes it again, changing nothing in it. A missing file is no
// failure; with `try_create` it is created and removed at once, so that a folder where it
// cannot be made shows now and nothing stands there until it is written.
std::string CheckWritable(const std::string& path, bool try_create) {
  int fd = _open(path.c_str(), _O_WRONLY | _O_BINARY);
  const bool missing = fd < 0 && errno == ENOENT;
  if (missing && try_create) fd = _open(path.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
  if (fd < 0) return missing && !try_create ? std::string() : ErrnoReason();
  std::string why_not = _close(fd) == 0 ? std::string() : ErrnoReason();
  if (missing) _unlink(path.c_str());
  return why_not;
}

// Whether a rename may put a new file in the place of `path`: nothing is there, or a plain
// file (not a link, whose target the user meant to be written, nor a device).
bool IsReplaceable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Closes `fd`, keeping the first failure: `failure`, else the close's own.
std::string Close(int fd, std::string failure) {
  if (_close(fd) != 0 && failure.empty()) failure = ErrnoReason();
  return failure;
}

std::string WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto count = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), INT_MAX));
    const int written = _write(fd, bytes.data(), count);
    if (written < 0) return ErrnoReason();
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return "";
}

// Creates the file or cuts it to length zero (or, with _O_EXCL, only creates it), writes
// `contents` and closes it.
std::string CreateAndWrite(const std::string& path, int flags, std::string_view contents) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | flags, _S_IREAD | _S_IWRITE);
  if (fd < 0) return ErrnoReason();
  return Close(fd, WriteAll(fd, contents));
}

// Opens a file for reading that is not a directory: -1 with the reason when there is none.
int OpenForReading(const std::string& path, std::string& why_not) {
  const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) {
    why_not = ErrnoReason();
    return -1;
  }
  struct _stat64 info {};
  if (_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFDIR) != 0) {
    why_not = (info.st_mode & _S_IFDIR) != 0 ? std::strerror(EISDIR) : ErrnoReason();
    _close(fd);
    return -1;
  }
  return fd;
}

// Reads from `fd` to the end of the file.
std::string ReadToTheEnd(int fd, std::string& bytes) {
  bytes.clear();
  char block[65536];
  for (;;) {
    const int got = _read(fd, block, sizeof block);
    if (got < 0) return ErrnoReason();
    if (got == 0) return "";
    bytes.append(block, static_cast<std::size_t>(got));
  }
}

// A file opened without sharing; closing it lets the lock go and removes the file.
class UnsharedFile : public FolderLock {
 public:
  explicit UnsharedFile(HANDLE handle) : handle_(handle) {}
  ~UnsharedFile() override { CloseHandle(handle_); }
  UnsharedFile(const UnsharedFile&) = delete;
  UnsharedFile& operator=(const UnsharedFile&) = delete;

 private:
  HANDLE handle_;
};

}  // namespace

std::string DiskFileSystem::ReadFile(const std::string& path, std::string& contents) {
  std::string why_not;
  const int fd = OpenForReading(path, why_not);
  if (fd < 0) return why_not;
  return Close(fd, ReadToTheEnd(fd, contents));
}

std::string DiskFileSystem::WriteFile(const std::string& path, std::string_view contents) {
  return CreateAndWrite(path, _O_TRUNC, contents);
}

// The file's own right to be written is asked first, as on every platform. The new file is
// made afresh beside it, so that no stale one is followed, and takes its place through
// MoveFileEx, which refuses to replace a read-only file. Where no new file can stand beside it
// (a folder that only lets its files be written) or the path is a link or a device, the file
// is written in place; where none is there yet, it is only ever made by the move.
std::string DiskFileSystem::Replace(const std::string& path, std::string_view contents) {
  std::string why_not = CheckWritable(path, false);
  if (!why_not.empty()) return why_not;
  if (IsReplaceable(path)) {
    const std::string new_path = path + ".new";
    _unlink(new_path.c_str());
    why_not = CreateAndWrite(new_path, _O_EXCL, contents);
    if (why_not.empty() &&
        MoveFileExA(new_path.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
      why_not = SystemReason();
    }
    // A new file that could not even be made leaves the way to write in place, where one is.
    if (why_not.empty() || GetFileAttributesA(new_path.c_str()) != INVALID_FILE_ATTRIBUTES || !Exists(path)) {
      _unlink(new_path.c_str());
      return why_not;
    }
  }
  return WriteFile(path, contents);
}

std::string DiskFileSystem::EnsureWritable(const std::string& path) { return CheckWritable(path, true); }

std::string DiskFileSystem::Remove(const std::string& path) {
  return _unlink(path.c_str()) == 0 || errno == ENOENT ? std::string() : ErrnoReason();
}

bool DiskFileSystem::IsRegularFile(const std::string& path) {
  struct _stat64 info {};
  return _stat64(path.c_str(), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
}

std::optional<std::uint64_t> DiskFileSystem::FileSize(const std::string& path) {
  struct _stat64 info {};
  if (_stat64(path.c_str(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

// Only a file on a disk is read: a pipe or a device named like a file is refused, not waited on.
std::string DiskFileSystem::ReadPart(const std::string& path, std::uint64_t offset, std::size_t length,
                                     std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    bytes.clear();
    return SystemReason();
  }
  std::string why_not;
  std::size_t got = 0;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (GetFileType(file) != FILE_TYPE_DISK) {
    SetLastError(ERROR_INVALID_FUNCTION);
    why_not = SystemReason();
  } else if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) == 0) {
    why_not = SystemReason();
  } else {
    // A buffer handed in again at this size is not zeroed first.
    bytes.resize(length);
    while (got < length) {
      DWORD n = 0;
      const DWORD asked = static_cast<DWORD>(std::min<std::size_t>(length - got, 1U << 30));
      if (::ReadFile(file, &bytes[got], asked, &n, nullptr) == 0) why_not = SystemReason();
      if (!why_not.empty() || n == 0) break;
      got += n;
    }
  }
  bytes.resize(got);
  CloseHandle(file);
  return why_not;
}

bool DiskFileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Without MOVEFILE_REPLACE_EXISTING, MoveFileEx fails where something stands at `to`.
std::string DiskFileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0 ? std::string() : SystemReason();
}

bool DiskFileSystem::IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

std::string DiskFileSystem::WhyFolderCannotBeWritten(const std::string& path) {
  const std::string probe = path + "\\kelvarro-" + std::to_string(_getpid()) + ".tmp";
  const int fd = _open(probe.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL, _S_IREAD | _S_IWRITE);
  if (fd < 0) return ErrnoReason();
  _close(fd);
  return _unlink(probe.c_str()) == 0 ? std::string() : ErrnoReason();
}

std::vector<std::string> DiskFileSystem::List(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found) != 0);
  FindClose(search);
  return names;
}

std::string DiskFileSystem::WorkingFolder() { return platform::WorkingFolder(); }

// Shared with no one, so that a second open fails while this one lasts; not inherited by the
// programs the wizard starts; removed by the system when the handle closes, at the latest when
// the process ends.
std::unique_ptr<FolderLock> DiskFileSystem::LockFolder(const std::string& path, bool& held_elsewhere) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  held_elsewhere = handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<UnsharedFile>(handle);
}

platform::FolderMatch DiskFileSystem::IsWorkingFolder(const std::string& folder) {
  return platform::IsWorkingFolder(folder);
}

// The system itself finds a name whatever the case of its letters.
std::vector<std::string> DiskFileSystem::FindAnyCase(const std::string& path) {
  if (!Exists(path)) return {};
  return {path};
}

}  // namespace kelvarro
