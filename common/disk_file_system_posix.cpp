// The disk through the POSIX calls. Files are opened in binary; the programs write their own
// CR LF. A new file is made with mode 0664, as the user's umask allows.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// The new file that is to take the place of `native`, made where a rename may put one there:
// nothing is there, or a plain file (not a link, whose target the user meant to be written, nor
// a device), whose permission bits it gets. A stale one, left by a run that was killed, is
// removed first, and the new one is made afresh, following no link planted in its place.
// nullptr with the reason when it cannot be made; `replaceable` says whether it was tried.
std::FILE* OpenReplacement(const std::string& native, const std::string& new_path, bool& replaceable,
                           std::string& why_not) {
  struct stat info {};
  const bool there = lstat(native.c_str(), &info) == 0;
  replaceable = there ? S_ISREG(info.st_mode) : errno == ENOENT;
  if (!replaceable) return nullptr;
  unlink(new_path.c_str());
  const int fd = open(new_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0664);
  std::FILE* const file = fd < 0 || (there && fchmod(fd, info.st_mode & 07777) != 0) ? nullptr : fdopen(fd, "wb");
  if (file == nullptr) why_not = ErrnoReason();
  if (file == nullptr && fd >= 0) {
    close(fd);
    unlink(new_path.c_str());
  }
  return file;
}

std::string PutInPlaceByRename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : ErrnoReason();
}

// Whether two names differ at most in the case of their letters, as Windows compares the names
// the programs look for, which are plain ASCII.
bool SameLetters(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
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
// or the path is a link or a device, the file is written in place; where none is there yet,
// it is only ever made by the rename.
std::unique_ptr<OutputFile> DiskFileSystem::OpenForReplacing(const std::string& path, std::string& why_not) {
  why_not = CheckWritable(path, false);
  if (!why_not.empty()) return nullptr;
  const std::string native = NativePath(path);
  const std::string new_path = native + ".new";
  bool replaceable = false;
  if (std::FILE* const file = OpenReplacement(native, new_path, replaceable, why_not)) {
    return std::make_unique<ReplacingOutputFile>(file, new_path, native, PutInPlaceByRename);
  }
  if (replaceable && !Exists(path)) return nullptr;
  why_not.clear();
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
