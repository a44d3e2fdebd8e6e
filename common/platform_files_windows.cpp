// The Windows file calls, through the C runtime. Files are opened in binary; the programs
// write their own CR LF. Names go through the ANSI code page.

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "common/platform_files.h"

namespace kelvarro::platform {
namespace {

// errno in the C runtime's words; errno itself is left as it was.
std::string Reason() {
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

}  // namespace

FileHandle OpenFileForReading(const std::string& path) {
  const int fd = _open(path.c_str(), _O_RDONLY | _O_BINARY);
  if (fd < 0) return kNoFile;
  struct _stat64 info {};
  if (_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFDIR) != 0) {
    _close(fd);
    return kNoFile;
  }
  return fd;
}

FileHandle OpenFileForWriting(const std::string& path, std::string& why_not) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) why_not = Reason();
  return fd < 0 ? kNoFile : fd;
}

std::string CheckWritable(const std::string& path, bool create) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_BINARY | (create ? _O_CREAT : 0), _S_IREAD | _S_IWRITE);
  if (fd < 0) return !create && errno == ENOENT ? std::string() : Reason();
  return CloseFile(fd);
}

bool IsReplaceable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// MoveFileEx refuses to replace a read-only file, as the programs want.
std::string PutInPlace(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0
             ? std::string()
             : SystemReason();
}

std::string RemoveFile(const std::string& path) {
  return _unlink(path.c_str()) == 0 || errno == ENOENT ? std::string() : Reason();
}

std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size) {
  const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
  const int n = _read(file, buffer, chunk);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::string WriteFile(FileHandle file, const char* bytes, std::size_t size) {
  while (size > 0) {
    const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
    const int n = _write(file, bytes, chunk);
    if (n < 0) return Reason();
    if (n == 0) return std::strerror(ENOSPC);
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return {};
}

std::string CloseFile(FileHandle file) { return _close(file) == 0 ? std::string() : Reason(); }

bool IsRegularFile(const std::string& path) {
  struct _stat64 info {};
  return _stat64(path.c_str(), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Without MOVEFILE_REPLACE_EXISTING, MoveFileEx fails where something stands at `to`.
std::string RenameFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0 ? std::string() : SystemReason();
}

std::vector<std::string> ListFolder(const std::string& path) {
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

}  // namespace kelvarro::platform
