// The disk through the C runtime and the Windows API. Files are opened in binary; the programs
// write their own CR LF. Names go through the ANSI code page.

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "common/disk_file_system.h"
#include "common/platform_paths.h"
#include "common/stdio_file.h"

namespace kelvarro {
namespace {

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

// Opens the file for writing and closes it again, changing nothing in it. A missing file is
// created empty when `create` says so, and is otherwise no failure.
std::string CheckWritable(const std::string& path, bool create) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_BINARY | (create ? _O_CREAT : 0), _S_IREAD | _S_IWRITE);
  if (fd < 0) return !create && errno == ENOENT ? std::string() : ErrnoReason();
  return _close(fd) == 0 ? std::string() : ErrnoReason();
}

// Whether a rename may put a new file in the place of `path`: nothing is there, or a plain
// file (not a link, whose target the user meant to be written, nor a device).
bool IsReplaceable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// MoveFileEx refuses to replace a read-only file, as the programs want.
std::string PutInPlaceByMove(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0
             ? std::string()
             : SystemReason();
}

}  // namespace

std::unique_ptr<InputFile> DiskFileSystem::OpenForReading(const std::string& path) {
  std::FILE* const file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return nullptr;
  struct _stat64 info {};
  if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFDIR) != 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::make_unique<StdioInputFile>(file);
}

std::unique_ptr<OutputFile> DiskFileSystem::OpenForWriting(const std::string& path, std::string& why_not) {
  std::FILE* const file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    why_not = ErrnoReason();
    return nullptr;
  }
  return std::make_unique<StdioOutputFile>(file);
}

// The file's own right to be written is asked first, as on every platform. Where no new file
// can stand beside it (a folder that only lets its files be written) or the path is a link or
// a device, the file is written in place.
std::unique_ptr<OutputFile> DiskFileSystem::OpenForReplacing(const std::string& path, std::string& why_not) {
  why_not = CheckWritable(path, false);
  if (!why_not.empty()) return nullptr;
  if (IsReplaceable(path)) {
    const std::string new_path = path + ".new";
    if (std::FILE* const file = std::fopen(new_path.c_str(), "wb")) {
      return std::make_unique<ReplacingOutputFile>(file, new_path, path, PutInPlaceByMove);
    }
  }
  return OpenForWriting(path, why_not);
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
      if (ReadFile(file, &bytes[got], asked, &n, nullptr) == 0) why_not = SystemReason();
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

}  // namespace kelvarro
