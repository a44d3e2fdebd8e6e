#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvarro {

// A file open for reading, as raw bytes; closed when destroyed.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; returns the count, 0 at the end.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A file open for writing. Every failure is kept and told by Close, the one place a writer
// looks: a full disk often shows only there.
class OutputFile {
 public:
  // Closes a file whose Close was not called, telling nothing: the run was abandoned.
  virtual ~OutputFile() = default;
  // Hands bytes on towards the disk. After a failed write the rest is dropped.
  virtual void Write(std::string_view bytes) = 0;
  // Puts the last bytes on disk and closes the file. Empty when every byte reached the disk;
  // otherwise the first failure, of a write or of the close, in the system's words.
  virtual std::string Close() = 0;
};

// Where the programs' files live. Paths are relative to the current directory and written
// with backslashes, as the programs name them ("nandub\\multi.vcf"). A failure is told in the
// system's words ("Permission denied"); an empty text means none.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // nullptr when the file cannot be opened for reading (missing, unreadable, a directory).
  virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
  // Creates the file or cuts it to length zero. nullptr when it cannot, with the reason in
  // `why_not`.
  virtual std::unique_ptr<OutputFile> OpenForWriting(const std::string& path, std::string& why_not) = 0;
  // For a file whose old content must survive until the new one is complete: the bytes go to a
  // new file beside it, which takes its place at Close only when every byte reached the disk.
  // Until then, and when Close fails or is never called, `path` keeps what it had. A file that
  // cannot be written is never replaced, even where the folder would let a rename do it:
  // nullptr, with the reason in `why_not`.
  virtual std::unique_ptr<OutputFile> OpenForReplacing(const std::string& path, std::string& why_not) = 0;
  // Whether the program may write `path`: an existing file is left as it is, a missing one is
  // created empty. The reason when it may not.
  virtual std::string EnsureWritable(const std::string& path) = 0;
  // Removes the file; a missing one is no failure. The reason when it stays.
  virtual std::string Remove(const std::string& path) = 0;
  // Whether a file that is neither a directory nor a device is at `path`, readable or not.
  virtual bool IsRegularFile(const std::string& path) = 0;
  // The size in bytes of the regular file at `path`; none for anything else (a folder, a FIFO,
  // a device) or where nothing stands.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Reads up to `length` bytes of the regular file at `path` from `offset` on into `bytes`:
  // fewer at the end of the file, none behind it. "" when it read, otherwise the reason; a
  // FIFO or a device is never opened, so nothing waits on it.
  virtual std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length,
                               std::string& bytes) = 0;
  // Whether anything at all stands at `path`: a file, a folder, a link (even a dangling one).
  virtual bool Exists(const std::string& path) = 0;
  // Gives the file `from` the name `to`, where nothing may stand yet: nothing is ever replaced.
  // The reason when it keeps its name.
  virtual std::string Rename(const std::string& from, const std::string& to) = 0;
  // The names of what stands in the folder `path`, files and folders alike, without "." and
  // "..", in no particular order; none when the folder cannot be read.
  virtual std::vector<std::string> List(const std::string& path) = 0;
  // The current directory as Windows programs name it, in UTF-8 and ending in a backslash
  // (on POSIX as Wine shows it, Z:\\home\\...); "" when the system cannot tell it.
  virtual std::string WorkingFolder() = 0;
};

}  // namespace kelvarro
