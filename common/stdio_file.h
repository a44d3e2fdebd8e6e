#pragma once

// The disk's open files, through the C library's streams, which both platforms have: stdio's
// own buffer, and each failure in the C library's words.

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "common/file_system.h"

namespace kelvarro {

// errno in the C library's words; errno itself is left as it was.
std::string ErrnoReason();

// A stream open for reading in binary; closed when destroyed.
class StdioInputFile : public InputFile {
 public:
  explicit StdioInputFile(std::FILE* file) : file_(file) {}
  ~StdioInputFile() override { std::fclose(file_); }
  StdioInputFile(const StdioInputFile&) = delete;
  StdioInputFile& operator=(const StdioInputFile&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override { return std::fread(buffer, 1, size, file_); }

 private:
  std::FILE* file_;
};

// A stream open for writing in binary. After the first failed write the rest is dropped, and
// Close tells that failure, or else the flush's or the close's.
class StdioOutputFile : public OutputFile {
 public:
  explicit StdioOutputFile(std::FILE* file) : file_(file) {}
  ~StdioOutputFile() override;
  StdioOutputFile(const StdioOutputFile&) = delete;
  StdioOutputFile& operator=(const StdioOutputFile&) = delete;

  void Write(std::string_view bytes) override;
  std::string Close() override;

 private:
  std::FILE* file_;
  std::string failure_;
};

// Puts the complete file `from` in the place of `to` at once (native paths): the reason when
// it cannot.
using PutInPlace = std::string (*)(const std::string& from, const std::string& to);

// A new file written beside the one it replaces. It takes that one's place at Close only when
// every byte reached the disk; otherwise, and when Close is never called, it is removed and the
// old file is as it was.
class ReplacingOutputFile : public OutputFile {
 public:
  // `file` is open on `new_path`, which this file made; both paths are native.
  ReplacingOutputFile(std::FILE* file, std::string new_path, std::string path, PutInPlace put_in_place)
      : file_(file), new_path_(std::move(new_path)), path_(std::move(path)), put_in_place_(put_in_place) {}
  ~ReplacingOutputFile() override;
  ReplacingOutputFile(const ReplacingOutputFile&) = delete;
  ReplacingOutputFile& operator=(const ReplacingOutputFile&) = delete;

  void Write(std::string_view bytes) override { file_.Write(bytes); }
  std::string Close() override;

 private:
  StdioOutputFile file_;
  std::string new_path_;
  std::string path_;
  PutInPlace put_in_place_;
  std::string failure_;
  bool done_ = false;
};

}  // namespace kelvarro
