#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace kelvarro {

// A file open for reading, as raw bytes; closed when destroyed.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; returns the count, 0 at the end.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A file open for writing; its bytes are all on disk once it is destroyed. Write failures are
// swallowed: the programs never report them.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual void Write(std::string_view bytes) = 0;
};

// Where the programs' files live. Paths are relative to the current directory and written
// with backslashes, as the programs name them ("nandub\\multi.vcf").
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // nullptr when the file cannot be opened for reading (missing, unreadable, a directory).
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
  // Creates the file or cuts it to length zero. Never nullptr: a file that cannot be created
  // yields an OutputFile that drops what it is given.
  virtual std::unique_ptr<OutputFile> OpenForWriting(const std::string& path) = 0;
  // Whether a file that is neither a directory nor a device is at `path`, readable or not.
  virtual bool IsRegularFile(const std::string& path) = 0;
};

}  // namespace kelvarro
