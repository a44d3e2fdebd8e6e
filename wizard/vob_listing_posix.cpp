// "dir input\*.vob > temp\menulst.tmp" where there is no Windows command interpreter: the
// VOB files of input, listed in dir's shape into the listing file.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "common/platform_files.h"
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

std::vector<DirEntry> VobEntries(const std::string& directory) {
  std::vector<DirEntry> entries;
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) return entries;
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (!MatchesVobPattern(name)) continue;
    struct stat info {};
    if (stat((directory + "/" + name).c_str(), &info) != 0) continue;
    DirEntry entry;
    entry.name = name;
    entry.is_directory = S_ISDIR(info.st_mode);
    entry.size = static_cast<std::uint64_t>(info.st_size);
    const std::time_t modified = info.st_mtime;
    localtime_r(&modified, &entry.modified);
    entries.push_back(entry);
  }
  closedir(dir);
  return entries;
}

}  // namespace

// Like the Windows interpreter, the redirection is set up first; when it cannot be, nothing
// is listed. What the interpreter says goes to standard error, as there.
void WriteVobListing() {
  const platform::FileHandle out = platform::OpenFileForWriting(kListingPath);
  if (out == platform::kNoFile) {
    std::cerr << "The system cannot find the path specified.\n";
    return;
  }
  std::vector<DirEntry> entries = VobEntries("input");
  const bool none = entries.empty();
  const std::string listing = FormatDirListing(CurrentDirectory() + "/input", std::move(entries));
  platform::WriteFile(out, listing.data(), listing.size());
  platform::CloseFile(out);
  if (none) std::cerr << "File Not Found\n";
}

}  // namespace kelvarro
