// The Windows file calls, through the C runtime. Files are opened in binary; the programs
// write their own CR LF.

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <climits>

#include "common/platform_files.h"

namespace kelvarro::platform {

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

FileHandle OpenFileForWriting(const std::string& path) {
  const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  return fd < 0 ? kNoFile : fd;
}

std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size) {
  const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
  const int n = _read(file, buffer, chunk);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool WriteFile(FileHandle file, const char* bytes, std::size_t size) {
  while (size > 0) {
    const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
    const int n = _write(file, bytes, chunk);
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void CloseFile(FileHandle file) { _close(file); }

// The name goes through the ANSI code page, as it does when the decoder opens it.
bool IsRegularFile(const std::string& path) {
  struct _stat64 info {};
  return _stat64(path.c_str(), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
}

}  // namespace kelvarro::platform
