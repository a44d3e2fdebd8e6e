#pragma once

// An InputFile that hands out its text in pieces no larger than a given size, whatever the
// reader asks for, so that a reader's handling of short reads is put to the test.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace kelvarro::fuzz {

class PieceFile : public InputFile {
 public:
  // `sizes` gives the largest piece of each read in turn, cycling; 0 in it means no limit.
  PieceFile(std::string_view text, std::string_view sizes) : text_(text), sizes_(sizes) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t n = std::min(size, text_.size() - next_);
    if (!sizes_.empty()) {
      const std::size_t limit = static_cast<unsigned char>(sizes_[turn_++ % sizes_.size()]);
      if (limit != 0) n = std::min(n, limit);
    }
    std::copy_n(text_.data() + next_, n, buffer);
    next_ += n;
    return n;
  }

 private:
  std::string_view text_;
  std::string_view sizes_;
  std::size_t next_ = 0;
  std::size_t turn_ = 0;
};

// A file system holding one readable file, served in pieces; every other path is missing,
// and nothing can be written.
class PieceFileSystem : public FileSystem {
 public:
  PieceFileSystem(std::string path, std::string_view text, std::string_view sizes)
      : path_(std::move(path)), text_(text), sizes_(sizes) {}

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    if (path != path_) return nullptr;
    return std::make_unique<PieceFile>(text_, sizes_);
  }
  std::unique_ptr<OutputFile> OpenForWriting(const std::string&, std::string& why_not) override {
    why_not = kReadOnly;
    return nullptr;
  }
  std::unique_ptr<OutputFile> OpenForReplacing(const std::string&, std::string& why_not) override {
    why_not = kReadOnly;
    return nullptr;
  }
  std::string EnsureWritable(const std::string&) override { return kReadOnly; }
  std::string Remove(const std::string&) override { return kReadOnly; }
  bool IsRegularFile(const std::string& path) override { return path == path_; }
  bool Exists(const std::string& path) override { return path == path_; }
  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    if (path != path_) return std::nullopt;
    return text_.size();
  }
  std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length,
                       std::string& bytes) override {
    bytes.clear();
    if (path != path_) return "No such file or directory";
    if (offset < text_.size()) bytes = text_.substr(offset, length);
    return {};
  }
  std::string Rename(const std::string&, const std::string&) override { return kReadOnly; }
  std::vector<std::string> List(const std::string&) override { return {}; }
  std::string WorkingFolder() override { return ""; }

 private:
  static constexpr const char* kReadOnly = "Read-only file system";
  std::string path_;
  std::string_view text_;
  std::string_view sizes_;
};

}  // namespace kelvarro::fuzz
