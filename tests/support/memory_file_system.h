#pragma once

// Files kept in memory, so that tests see the exact bytes a program writes, with each step of
// writing a file able to fail.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace kelvarro::testing {

// The reasons the fake gives, as a POSIX system words them.
inline const std::string kNoRight = "Permission denied";
inline const std::string kDiskFull = "No space left on device";
inline const std::string kCloseFailed = "Input/output error";
inline const std::string kExists = "File exists";
inline const std::string kMissing = "No such file or directory";

// A path with its letters in lower case, as Windows compares names.
inline std::string Folded(std::string path) {
  for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  // Paths that cannot be opened for writing nor removed (a read-only file, a missing directory).
  std::set<std::string> unwritable;
  // Paths whose write fails (a full disk), and those whose close fails, every byte written
  // before; an empty file is written whole on either.
  std::set<std::string> full;
  std::set<std::string> failing_close;
  // Paths that cannot be opened for reading although they may exist (a directory, no rights).
  std::set<std::string> unreadable;
  // Lock files whose folder's lock is held, by another program or by one of this fake's locks.
  std::set<std::string> locked;
  // Where the program runs, as WorkingFolder tells it.
  std::string working_folder = "d:\\divxstuff\\kelvarro0.7.1\\";
  // Its other names (a link, a short form); why no folder can be told to be it, if so.
  std::set<std::string> working_folder_names;
  std::string folder_unknown_why;

  bool Has(const std::string& path) const { return files.count(path) != 0; }
  const std::string& At(const std::string& path) const { return files.at(path); }

  std::string ReadFile(const std::string& path, std::string& contents) override {
    const auto it = files.find(path);
    if (it == files.end()) return kMissing;
    if (unreadable.count(path) != 0) return kNoRight;
    contents = it->second;
    return {};
  }

  // Only the part is copied: a long title is read in many parts.
  std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length, std::string& bytes) override {
    bytes.clear();
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) != 0) return it == files.end() ? kMissing : kNoRight;
    if (offset < it->second.size()) bytes = it->second.substr(static_cast<std::size_t>(offset), length);
    return {};
  }

  // A full disk keeps nothing of the file, a failing close every byte.
  std::string WriteFile(const std::string& path, std::string_view contents) override {
    if (unwritable.count(path) != 0) return kNoRight;
    files[path] = full.count(path) != 0 ? "" : contents;
    return WhyNotWritten(path, contents);
  }

  // The new content takes the file's place only when complete.
  std::string Replace(const std::string& path, std::string_view contents) override {
    if (unwritable.count(path) != 0) return kNoRight;
    std::string why_not = WhyNotWritten(path, contents);
    if (why_not.empty()) files[path] = contents;
    return why_not;
  }

  std::string EnsureWritable(const std::string& path) override { return unwritable.count(path) != 0 ? kNoRight : ""; }

  std::string Remove(const std::string& path) override {
    if (unwritable.count(path) != 0 && Has(path)) return kNoRight;
    files.erase(path);
    return {};
  }

  // Every file held is a regular one, the unreadable ones too. A folder is there when a file is
  // in it; paths are taken as given, "." and all.
  bool IsRegularFile(const std::string& path) override { return Has(path); }
  bool Exists(const std::string& path) override { return Has(path) || !List(path).empty(); }
  bool IsFolder(const std::string& path) override { return !Has(path) && !List(path).empty(); }
  std::string WhyFolderCannotBeWritten(const std::string& path) override {
    return unwritable.count(path) != 0 ? kNoRight : "";
  }
  std::unique_ptr<FolderLock> LockFolder(const std::string& path, bool& held_elsewhere) override {
    held_elsewhere = locked.count(path) != 0;
    return held_elsewhere || unwritable.count(path) != 0 ? nullptr : std::make_unique<Lock>(locked, path);
  }
  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    if (!Has(path)) return std::nullopt;
    return At(path).size();
  }

  std::string Rename(const std::string& from, const std::string& to) override {
    if (Exists(to)) return kExists;
    if (unwritable.count(from) != 0 || unwritable.count(to) != 0) return kNoRight;
    if (!Has(from)) return kMissing;
    files[to] = files[from];
    files.erase(from);
    return {};
  }

  std::string WorkingFolder() override { return working_folder; }

  std::string WhyNotWritten(const std::string& path, std::string_view contents) const {
    if (contents.empty()) return {};
    if (full.count(path) != 0) return kDiskFull;
    return failing_close.count(path) != 0 ? kCloseFailed : "";
  }

  platform::FolderMatch IsWorkingFolder(const std::string& folder) override {
    using Outcome = platform::FolderMatch::Outcome;
    if (!folder_unknown_why.empty()) return {Outcome::kUnknown, folder_unknown_why};
    return {folder == working_folder || working_folder_names.count(folder) != 0 ? Outcome::kSame : Outcome::kOther, ""};
  }

  // As on POSIX: the files whose paths differ from `path` in case alone, the exact one first.
  std::vector<std::string> FindAnyCase(const std::string& path) override {
    std::vector<std::string> found;
    if (Has(path)) found.push_back(path);
    for (const auto& [file, content] : files) {
      if (file != path && Folded(file) == Folded(path)) found.push_back(file);
    }
    return found;
  }

  std::vector<std::string> List(const std::string& path) override {
    std::vector<std::string> names;
    const std::string prefix = path + "\\";
    for (const auto& [file, content] : files) {
      if (file.compare(0, prefix.size(), prefix) != 0) continue;
      const std::string name = file.substr(prefix.size(), file.find('\\', prefix.size()) - prefix.size());
      if (names.empty() || names.back() != name) names.push_back(name);
    }
    return names;
  }

 private:
  // Holds its path in `held` while it lasts.
  struct Lock : FolderLock {
    Lock(std::set<std::string>& in, const std::string& name) : held(in), path(*in.insert(name).first) {}
    ~Lock() override { held.erase(path); }
    std::set<std::string>& held;
    std::string path;
  };
};

}  // namespace kelvarro::testing
