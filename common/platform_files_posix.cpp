// The POSIX file calls. Files are opened in binary; the programs write their own CR LF.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

// errno in the system's words; errno itself is left as it was.
std::string Reason() {
  const int error = errno;
  std::string text = std::strerror(error);
  errno = error;
  return text;
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

FileHandle OpenFileForWriting(const std::string& path, std::string& why_not) {
  const int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
  if (fd < 0) why_not = Reason();
  return fd < 0 ? kNoFile : fd;
}

// Without waiting: a FIFO nobody reads from is no file to write into.
std::string CheckWritable(const std::string& path, bool create) {
  const int fd = open(NativePath(path).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0), 0664);
  if (fd < 0) return !create && errno == ENOENT ? std::string() : Reason();
  return CloseFile(fd);
}

bool IsReplaceable(const std::string& path) {
  struct stat info {};
  if (lstat(NativePath(path).c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode);
}

std::string PutInPlace(const std::string& from, const std::string& to) {
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? std::string() : Reason();
}

std::string RemoveFile(const std::string& path) {
  return unlink(NativePath(path).c_str()) == 0 || errno == ENOENT ? std::string() : Reason();
}

std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(file, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

std::string WriteFile(FileHandle file, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(file, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Reason();
    if (n == 0) return std::strerror(EIO);
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return {};
}

// A close that a signal interrupts has still closed the file on Linux, and retrying it could
// close another one: only other failures count.
std::string CloseFile(FileHandle file) { return close(file) == 0 || errno == EINTR ? std::string() : Reason(); }

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return lstat(NativePath(path).c_str(), &info) == 0;
}

// POSIX's rename replaces what stands at `to`, so that is looked for first; the wizard alone
// names files in its folder meanwhile.
std::string RenameFile(const std::string& from, const std::string& to) {
  if (Exists(to)) return std::strerror(EEXIST);
  return PutInPlace(from, to);
}

std::vector<std::string> ListFolder(const std::string& path) {
  std::vector<std::string> names;
  DIR* const folder = opendir(NativePath(path).c_str());
  if (folder == nullptr) return names;
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(folder);
  return names;
}

}  // namespace kelvarro::platform
