#pragma once

// Files kept in memory, so that tests see the exact bytes a program writes.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/file_system.h"

namespace kelvarro::testing {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  // Paths that cannot be opened for writing (a read-only file, a missing directory).
  std::set<std::string> unwritable;
  // Paths that cannot be opened for reading although they may exist (a directory, no rights).
  std::set<std::string> unreadable;

  bool Has(const std::string& path) const { return files.count(path) != 0; }
  const std::string& At(const std::string& path) const { return files.at(path); }

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) != 0) return nullptr;
    return std::make_unique<Reader>(it->second);
  }

  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path) override {
    if (unwritable.count(path) != 0) return std::make_unique<Writer>(nullptr);
    std::string& content = files[path];
    content.clear();
    return std::make_unique<Writer>(&content);
  }

  // Every file held is a regular one, the unreadable ones too: no directories are modelled.
  bool IsRegularFile(const std::string& path) override { return Has(path); }

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

  class Writer : public OutputFile {
   public:
    explicit Writer(std::string* target) : target_(target) {}
    void Write(std::string_view bytes) override {
      if (target_ != nullptr) target_->append(bytes);
    }

   private:
    std::string* target_;
  };
};

}  // namespace kelvarro::testing
