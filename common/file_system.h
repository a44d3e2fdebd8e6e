#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform_paths.h"

namespace kelvarro {

// A folder's lock, held until destroyed. The system lets it go when the process ends, however
// it ends, so that no lock outlives the run that took it.
class FolderLock {
 public:
  virtual ~FolderLock() = default;
};

// Where the programs' files live. Paths are relative to the current directory and written
// with backslashes, as the programs name them ("nandub\\multi.vcf"). A failure is told in the
// system's words ("Permission denied"); an empty text means none.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Whole files, and parts of one: each call opens, reads or writes, and closes, and returns ""
  // when it got there, or else the reason.
  //
  // The whole of the file into `contents`. A directory, a missing or unreadable file fails.
  virtual std::string ReadFile(const std::string& path, std::string& contents) = 0;
  // Up to `length` bytes of the regular file at `path` from `offset` on into `bytes`: fewer
  // only where the file ends first, none behind it. "" when it read, otherwise the reason; a
  // FIFO or a device is never read, so nothing waits on it.
  virtual std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length,
                               std::string& bytes) = 0;
  // Creates the file or cuts it to length zero, and puts `contents` in it. The reason when any
  // byte did not reach the disk; a full disk often shows only at the close, which is checked.
  virtual std::string WriteFile(const std::string& path, std::string_view contents) = 0;
  // For a file whose old content must survive until the new one is complete: the bytes go to a
  // new file beside it, which takes its place only when every byte reached the disk. On a
  // failure, or when the run ends before, `path` keeps what it had. A file that cannot be
  // written is never replaced, even where the folder would let a rename do it.
  virtual std::string Replace(const std::string& path, std::string_view contents) = 0;

  // Whether the program may write `path`: an existing file is left as it is, a missing one is
  // created and removed at once, so that nothing stands there until it is written. The reason
  // when it may not.
  virtual std::string EnsureWritable(const std::string& path) = 0;
  // Removes the file; a missing one is no failure. The reason when it stays.
  virtual std::string Remove(const std::string& path) = 0;
  // Whether a file that is neither a directory nor a device is at `path`, readable or not.
  virtual bool IsRegularFile(const std::string& path) = 0;
  // The size in bytes of the regular file at `path`; none for anything else (a folder, a FIFO,
  // a device) or where nothing stands.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
  // Whether anything at all stands at `path`: a file, a folder, a link (even a dangling one).
  virtual bool Exists(const std::string& path) = 0;
  // Whether a folder itself stands at `path`; a link to one is a link.
  virtual bool IsFolder(const std::string& path) = 0;
  // Why no new file can be made in the folder `path` (it is missing, not a folder, or may not be
  // written), found by making one whose name holds the process's id, exclusively, and removing
  // it at once; "" when one can.
  virtual std::string WhyFolderCannotBeWritten(const std::string& path) = 0;
  // Gives the file `from` the name `to`, where nothing may stand yet: nothing is ever replaced.
  // The reason when it keeps its name.
  virtual std::string Rename(const std::string& from, const std::string& to) = 0;
  // The names of what stands in the folder `path`, files and folders alike, without "." and
  // "..", in no particular order; none when the folder cannot be read.
  virtual std::vector<std::string> List(const std::string& path) = 0;
  // The current directory as Windows programs name it, in UTF-8 and ending in a backslash
  // (on POSIX as Wine shows it, Z:\\home\\...); "" when the system cannot tell it.
  virtual std::string WorkingFolder() = 0;
  // Takes the lock of the folder that holds the lock file `path`, which no program but this one
  // opens, and which may stay behind, empty. The lock is not inherited by the programs this one
  // starts. nullptr with `held_elsewhere` set when another process holds it; nullptr alone
  // when none can be taken, as in a folder that cannot be written, where none is needed.
  virtual std::unique_ptr<FolderLock> LockFolder(const std::string& path, bool& held_elsewhere) = 0;
  // Whether `folder` (UTF-8, as Windows programs name it) is the current directory, by what it
  // is rather than by its name (platform_paths.h).
  virtual platform::FolderMatch IsWorkingFolder(const std::string& folder) = 0;
  // What a Windows program finds at `path`: the exact name first, then, where the system keeps
  // names apart that differ only in the case of their letters (POSIX), every other one in any
  // part of the path, since Wine takes each of them for it. None when nothing is there.
  virtual std::vector<std::string> FindAnyCase(const std::string& path) = 0;
};

}  // namespace kelvarro
