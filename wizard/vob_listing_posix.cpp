// "dir input\*.vob > temp\menulst.tmp" where there is no Windows command interpreter: the
// VOB files of input, listed in dir's shape into the listing file.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/disk_file_system.h"
#include "wizard/dir_listing.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// Each name is looked up relative to the open directory, so the path to it is walked once.
std::vector<DirEntry> VobEntries(const char* directory) {
  std::vector<DirEntry> entries;
  DIR* dir = opendir(directory);
  if (dir == nullptr) return entries;
  const int dir_fd = dirfd(dir);
  while (const dirent* item = readdir(dir)) {
    if (!MatchesVobPattern(item->d_name)) continue;
    struct stat info {};
    if (fstatat(dir_fd, item->d_name, &info, 0) != 0) continue;
    DirEntry& entry = entries.emplace_back();
    entry.name = item->d_name;
    entry.is_directory = S_ISDIR(info.st_mode);
    entry.size = static_cast<std::uint64_t>(info.st_size);
    const std::time_t modified = info.st_mtime;
    localtime_r(&modified, &entry.modified);
  }
  closedir(dir);
  return entries;
}

// What the Windows interpreter says when it cannot set up the redirection, for the causes it
// tells apart.
const char* RedirectionComplaint(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return "Access denied.";
    case ENOSPC:
    case EDQUOT:
      return "There is not enough space on the disk.";
    default:
      return "The system cannot find the path specified.";
  }
}

}  // namespace

// Like the Windows interpreter, the redirection is set up first; when it cannot be, nothing
// is listed. What the interpreter says goes to standard error, as there.
std::optional<std::string> WriteVobListing() {
  DiskFileSystem files;
  std::string why_not;
  const std::unique_ptr<OutputFile> out = files.OpenForWriting(kListingPath, why_not);
  if (!out) {
    std::cerr << RedirectionComplaint(errno) << "\n";
    return why_not;
  }
  std::vector<DirEntry> entries = VobEntries("input");
  const bool none = entries.empty();
  WriteDirListing(CurrentDirectory() + "/input", std::move(entries), *out);
  std::string failure = out->Close();
  if (none) std::cerr << "File Not Found\n";
  if (!failure.empty()) return failure;
  return std::nullopt;
}

}  // namespace kelvarro
