// The disk through the POSIX calls. Files are opened in binary; the programs write their own
// CR LF. A new file is made with mode 0664, as the user's umask allows.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "common/disk_file_system.h"
#include "common/platform_paths.h"

namespace kelvarro {
namespace {

std::string NativePath(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

std::string ErrnoReason() {
  const int error = errno;
  std::string text = std::strerror(error);
  errno = error;
  return text;
}

// Closes `fd`, keeping the first failure: `failure`, else the close's own.
std::string Close(int fd, std::string failure) {
  if (close(fd) != 0 && errno != EINTR && failure.empty()) failure = ErrnoReason();
  return failure;
}

std::string WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return ErrnoReason();
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return "";
}

// Opens a file for reading that is not a directory: -1 with the reason when there is none.
int OpenForReading(const std::string& path, std::string& why_not) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    why_not = ErrnoReason();
    return -1;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    why_not = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : ErrnoReason();
    close(fd);
    return -1;
  }
  return fd;
}

// Reads from `fd` to the end of the file.
std::string ReadToTheEnd(int fd, std::string& bytes) {
  bytes.clear();
  char block[65536];
  for (;;) {
    const ssize_t got = read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ErrnoReason();
    if (got == 0) return "";
    bytes.append(block, static_cast<std::size_t>(got));
  }
}

// Opens the file for writing and closes it again, changing nothing in it. Without waiting: a
// FIFO nobody reads from is no file to write into. A missing file is no failure; with
// `try_create` it is created and removed at once, so that a folder where it cannot be made
// shows now and nothing stands there until it is written.
std::string CheckWritable(const std::string& path, bool try_create) {
  const std::string native = NativePath(path);
  const int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC;
  int fd = open(native.c_str(), flags);
  const bool missing = fd < 0 && errno == ENOENT;
  if (missing && try_create) fd = open(native.c_str(), flags | O_CREAT | O_EXCL, 0664);
  if (fd < 0) return missing && !try_create ? std::string() : ErrnoReason();
  std::string why_not = close(fd) == 0 || errno == EINTR ? std::string() : ErrnoReason();
  if (missing) unlink(native.c_str());
  return why_not;
}

// An flock on an open file; closing the file lets it go.
class FlockedFile : public FolderLock {
 public:
  explicit FlockedFile(int fd) : fd_(fd) {}
  ~FlockedFile() override { close(fd_); }
  FlockedFile(const FlockedFile&) = delete;
  FlockedFile& operator=(const FlockedFile&) = delete;

 private:
  int fd_;
};

// Whether two names differ at most in the case of their letters, as Windows compares the names
// the programs look for, which are plain ASCII.
bool SameLetters(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string DiskFileSystem::ReadFile(const std::string& path, std::string& contents) {
  std::string why_not;
  const int fd = OpenForReading(path, why_not);
  if (fd < 0) return why_not;
  return Close(fd, ReadToTheEnd(fd, contents));
}

std::string DiskFileSystem::WriteFile(const std::string& path, std::string_view contents) {
  const int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
  if (fd < 0) return ErrnoReason();
  return Close(fd, WriteAll(fd, contents));
}

// A rename would replace even a read-only file, so the file's own right to be written is asked
// first. The new file is made afresh beside it, so that no stale one, nor a link planted in its
// place, is followed, and it takes the old one's permission bits. Where no new file can stand
// beside it (a folder that only lets its files be written) or the path is a link or a device,
// the file is written in place; where none is there yet, it is only ever made by the rename, so
// that no half-written one can stand there.
std::string DiskFileSystem::Replace(const std::string& path, std::string_view contents) {
  std::string why_not = CheckWritable(path, false);
  if (!why_not.empty()) return why_not;
  const std::string native = NativePath(path);
  struct stat old {};
  const bool had_one = lstat(native.c_str(), &old) == 0;
  if (!had_one || S_ISREG(old.st_mode)) {
    const std::string new_path = native + ".new";
    unlink(new_path.c_str());
    const mode_t mode = had_one ? old.st_mode & 07777 : 0664;
    const int fd = open(new_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && !had_one) return ErrnoReason();
    if (fd >= 0) {
      // The mode asked for at the open is cut by the umask; the old file's bits are kept whole.
      if (had_one && fchmod(fd, mode) != 0) why_not = ErrnoReason();
      why_not = Close(fd, why_not.empty() ? WriteAll(fd, contents) : why_not);
      if (why_not.empty() && std::rename(new_path.c_str(), native.c_str()) != 0) why_not = ErrnoReason();
      if (!why_not.empty()) unlink(new_path.c_str());
      return why_not;
    }
  }
  return WriteFile(path, contents);
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
    // Read no further than the size it has now: a short file costs one read.
    const auto size = static_cast<std::uint64_t>(info.st_size);
    const std::size_t wanted =
        offset >= size ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(length, size - offset));
    bytes.resize(wanted);
    while (got < wanted) {
      const ssize_t n = pread(fd, &bytes[got], wanted - got, static_cast<off_t>(offset + got));
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
  return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0 ? std::string() : ErrnoReason();
}

bool DiskFileSystem::IsFolder(const std::string& path) {
  struct stat info {};
  return lstat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string DiskFileSystem::WhyFolderCannotBeWritten(const std::string& path) {
  const std::string probe = NativePath(path) + "/kelvarro-" + std::to_string(getpid()) + ".tmp";
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0664);
  if (fd < 0) return ErrnoReason();
  close(fd);
  return unlink(probe.c_str()) == 0 ? std::string() : ErrnoReason();
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

// Opened close-on-exec: a lock that Wine's server inherits would outlive the wizard. Read-only,
// so that a lock file left by another user serves too; never through a link, nor waiting on a
// FIFO.
std::unique_ptr<FolderLock> DiskFileSystem::LockFolder(const std::string& path, bool& held_elsewhere) {
  held_elsewhere = false;
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0664);
  if (fd < 0) return nullptr;
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) return std::make_unique<FlockedFile>(fd);
  held_elsewhere = errno == EWOULDBLOCK;
  close(fd);
  return nullptr;
}

platform::FolderMatch DiskFileSystem::IsWorkingFolder(const std::string& folder) {
  return platform::IsWorkingFolder(folder);
}

// Part by part, as Wine looks a path up: each name that stands there, then every other that
// differs from it only in the case of its letters.
std::vector<std::string> DiskFileSystem::FindAnyCase(const std::string& path) {
  std::vector<std::string> found = {""};
  for (std::size_t start = 0; start <= path.size() && !found.empty();) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string part = path.substr(start, end - start);
    std::vector<std::string> next;
    for (const std::string& folder : found) {
      const std::string prefix = folder.empty() ? "" : folder + "\\";
      if (Exists(prefix + part)) next.push_back(prefix + part);
      for (const std::string& name : List(folder.empty() ? "." : folder)) {
        if (name != part && SameLetters(name, part)) next.push_back(prefix + name);
      }
    }
    found = std::move(next);
    start = end + 1;
  }
  return found;
}

}  // namespace kelvarro
