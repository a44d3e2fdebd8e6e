// The POSIX file calls. Files are opened in binary; the programs write their own CR LF.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform_files.h"

namespace kelvarro::platform {
namespace {

std::string NativePath(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

}  // namespace

FileHandle OpenFileForReading(const std::string& path) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kNoFile;
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    return kNoFile;
  }
  return fd;
}

FileHandle OpenFileForWriting(const std::string& path) {
  const int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
  return fd < 0 ? kNoFile : fd;
}

std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(file, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

bool WriteFile(FileHandle file, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(file, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void CloseFile(FileHandle file) { close(file); }

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace kelvarro::platform
