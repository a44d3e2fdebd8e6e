#pragma once

// Files kept in memory, so that tests see the exact bytes a program writes, with each step of
// writing a file able to fail.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace kelvarro::testing {

// The reasons the fake gives, as a POSIX system words them.
inline const std::string kNoRight = "Permission denied";
inline const std::string kDiskFull = "No space left on device";
inline const std::string kCloseFailed = "Input/output error";
inline const std::string kExists = "File exists";
inline const std::string kMissing = "No such file or directory";

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  // Paths that cannot be opened for writing nor removed (a read-only file, a missing directory).
  std::set<std::string> unwritable;
  // Paths whose first write fails (a full disk): what came before it stays.
  std::set<std::string> full;
  // Paths whose close fails, every byte written before.
  std::set<std::string> failing_close;
  // Paths that cannot be opened for reading although they may exist (a directory, no rights).
  std::set<std::string> unreadable;
  // Where the program runs, as WorkingFolder tells it.
  std::string working_folder = "d:\\divxstuff\\kelvarro0.7.1\\";

  bool Has(const std::string& path) const { return files.count(path) != 0; }
  const std::string& At(const std::string& path) const { return files.at(path); }

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) != 0) return nullptr;
    return std::make_unique<Reader>(it->second);
  }

  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path, std::string& why_not) override {
    if (unwritable.count(path) != 0) {
      why_not = kNoRight;
      return nullptr;
    }
    std::string& content = files[path];
    content.clear();
    return std::make_unique<Writer>(*this, path, &content);
  }

  // The new content stands apart until Close, and takes the file's place only when complete.
  std::unique_ptr<OutputFile> OpenForReplacing(const std::string& path, std::string& why_not) override {
    if (unwritable.count(path) != 0) {
      why_not = kNoRight;
      return nullptr;
    }
    return std::make_unique<Writer>(*this, path, nullptr);
  }

  std::string EnsureWritable(const std::string& path) override {
    if (unwritable.count(path) != 0) return kNoRight;
    files[path];
    return {};
  }

  std::string Remove(const std::string& path) override {
    if (unwritable.count(path) != 0 && Has(path)) return kNoRight;
    files.erase(path);
    return {};
  }

  // Every file held is a regular one, the unreadable ones too. A folder is there when a file is
  // in it; paths are taken as given, "." and all.
  bool IsRegularFile(const std::string& path) override { return Has(path); }
  bool Exists(const std::string& path) override { return Has(path) || !List(path).empty(); }
  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    if (!Has(path)) return std::nullopt;
    return At(path).size();
  }
  std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length, std::string& bytes) override {
    bytes.clear();
    if (!Has(path)) return kMissing;
    if (unreadable.count(path) != 0) return kNoRight;
    if (offset < At(path).size()) bytes = At(path).substr(offset, length);
    return {};
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
  class Reader : public InputFile {
   public:
    explicit Reader(std::string content) : content_(std::move(content)) {}
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t n = std::min(size, content_.size() - next_);
      std::memcpy(buffer, content_.data() + next_, n);
      next_ += n;
      return n;
    }

   private:
    std::string content_;
    std::size_t next_ = 0;
  };

  // Writes into the file's content at once, or, replacing (`target` null), into a content of its
  // own that Close puts in place.
  class Writer : public OutputFile {
   public:
    Writer(MemoryFileSystem& files, std::string path, std::string* target)
        : files_(files), path_(std::move(path)), target_(target != nullptr ? target : &pending_), replacing_(!target) {}
    void Write(std::string_view bytes) override {
      if (!failure_.empty()) return;
      if (files_.full.count(path_) != 0) {
        failure_ = kDiskFull;
        return;
      }
      target_->append(bytes);
    }
    std::string Close() override {
      if (failure_.empty() && files_.failing_close.count(path_) != 0) failure_ = kCloseFailed;
      if (failure_.empty() && replacing_) files_.files[path_] = pending_;
      return failure_;
    }

   private:
    MemoryFileSystem& files_;
    std::string path_;
    std::string pending_;
    std::string* target_;
    bool replacing_;
    std::string failure_;
  };
};

}  // namespace kelvarro::testing
