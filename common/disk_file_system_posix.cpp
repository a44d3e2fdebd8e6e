// The disk through the POSIX calls. Files are opened in binary; the programs write their own
// CR LF. A new file is made with mode 0664, as the user's umask allows.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/disk_file_system.h"
#include "common/platform_paths.h"
#include "common/stdio_file.h"

namespace kelvarro {
namespace {

std::string NativePath(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

// Creates the file or cuts it to length zero; nullptr with the reason when it cannot.
std::FILE* OpenStream(const std::string& native, std::string& why_not) {
  const int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
  std::FILE* const file = fd < 0 ? nullptr : fdopen(fd, "wb");
  if (file == nullptr) why_not = ErrnoReason();
  if (file == nullptr && fd >= 0) close(fd);
  return file;
}

// Opens the file for writing and closes it again, changing nothing in it. Without waiting: a
// FIFO nobody reads from is no file to write into. A missing file is created empty when
// `create` says so, and is otherwise no failure.
std::string CheckWritable(const std::string& path, bool create) {
  const int fd = open(NativePath(path).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0), 0664);
  if (fd < 0) return !create && errno == ENOENT ? std::string() : ErrnoReason();
  return close(fd) == 0 || errno == EINTR ? std::string() : ErrnoReason();
}

// Whether a rename may put a new file in the place of `native`: nothing is there, or a plain
// file (not a link, whose target the user meant to be written, nor a device).
bool IsReplaceable(const std::string& native) {
  struct stat info {};
  if (lstat(native.c_str(), &info) != 0) return errno == ENOENT;
  return S_ISREG(info.st_mode);
}

std::string PutInPlaceByRename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : ErrnoReason();
}

}  // namespace

std::unique_ptr<InputFile> DiskFileSystem::OpenForReading(const std::string& path) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  std::FILE* const file = fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ? nullptr : fdopen(fd, "rb");
  if (file == nullptr) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<StdioInputFile>(file);
}

std::unique_ptr<OutputFile> DiskFileSystem::OpenForWriting(const std::string& path, std::string& why_not) {
  std::FILE* const file = OpenStream(NativePath(path), why_not);
  if (file == nullptr) return nullptr;
  return std::make_unique<StdioOutputFile>(file);
}

// A rename would replace even a read-only file, so the file's own right to be written is asked
// first. Where no new file can stand beside it (a folder that only lets its files be written)
// or the path is a link or a device, the file is written in place.
std::unique_ptr<OutputFile> DiskFileSystem::OpenForReplacing(const std::string& path, std::string& why_not) {
  why_not = CheckWritable(path, false);
  if (!why_not.empty()) return nullptr;
  const std::string native = NativePath(path);
  if (IsReplaceable(native)) {
    const std::string new_path = native + ".new";
    std::string ignored;
    if (std::FILE* const file = OpenStream(new_path, ignored)) {
      return std::make_unique<ReplacingOutputFile>(file, new_path, native, PutInPlaceByRename);
    }
  }
  return OpenForWriting(path, why_not);
}

std::string DiskFileSystem::EnsureWritable(const std::string& path) { return CheckWritable(path, true); }

std::string DiskFileSystem::Remove(const std::string& path) {
  return unlink(NativePath(path).c_str()) == 0 || errno == ENOENT ? std::string() : ErrnoReason();
}

bool DiskFileSystem::IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(NativePath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::uint64_t> DiskFileSystem::FileSize(const std::string& path) {
  struct stat info {};
  if (stat(NativePath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

// Opened without waiting, so that a FIFO named like a file is refused rather than waited on.
std::string DiskFileSystem::ReadPart(const std::string& path, std::uint64_t offset, std::size_t length,
                                     std::string& bytes) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    bytes.clear();
    return ErrnoReason();
  }
  struct stat info {};
  std::string why_not;
  std::size_t got = 0;
  if (fstat(fd, &info) != 0) {
    why_not = ErrnoReason();
  } else if (!S_ISREG(info.st_mode)) {
    why_not = std::strerror(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  } else {
    // A buffer handed in again at this size is not zeroed first.
    bytes.resize(length);
    while (got < length) {
      const ssize_t n = pread(fd, &bytes[got], length - got, static_cast<off_t>(offset + got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) why_not = ErrnoReason();
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
  }
  bytes.resize(got);
  close(fd);
  return why_not;
}

bool DiskFileSystem::Exists(const std::string& path) {
  struct stat info {};
  return lstat(NativePath(path).c_str(), &info) == 0;
}

// POSIX's rename replaces what stands at `to`, so that is looked for first; the wizard alone
// names files in its folder meanwhile.
std::string DiskFileSystem::Rename(const std::string& from, const std::string& to) {
  if (Exists(to)) return std::strerror(EEXIST);
  return PutInPlaceByRename(NativePath(from), NativePath(to));
}

std::vector<std::string> DiskFileSystem::List(const std::string& path) {
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

std::string DiskFileSystem::WorkingFolder() { return platform::WorkingFolder(); }

}  // namespace kelvarro
