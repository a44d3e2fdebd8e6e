#pragma once

// The operating system's file calls: one implementation per platform
// (platform_files_posix.cpp, platform_files_windows.cpp), chosen by the build.

#include <cstddef>
#include <string>
#include <vector>

namespace kelvarro::platform {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// Paths are given as the programs name them, relative to the current directory and with
// backslashes ("dir\\file.ext"); each platform maps them to its own form. A failure is told in
// the system's words; an empty text means none.

// Opens an existing regular file for reading, in binary mode. kNoFile when the file is
// missing, cannot be read, or is a directory.
FileHandle OpenFileForReading(const std::string& path);

// Creates the file, or cuts an existing one to length zero, for writing in binary mode
// (mode 0664 where there are permission bits). kNoFile on failure, with the reason in
// `why_not`; errno still holds the failure's number then.
FileHandle OpenFileForWriting(const std::string& path, std::string& why_not);

// Opens the file for writing and closes it again, changing nothing in it. A missing file is
// created empty when `create` says so, and is otherwise no failure.
std::string CheckWritable(const std::string& path, bool create);

// Whether a rename may put a new file in the place of `path`: nothing is there, or a plain
// file (not a link, whose target the user meant to be written, nor a device).
bool IsReplaceable(const std::string& path);

// Puts the file `from` in the place of `to`, at once.
std::string PutInPlace(const std::string& from, const std::string& to);

// Removes the file; a missing one is no failure.
std::string RemoveFile(const std::string& path);

// Reads up to `size` bytes; returns the count, 0 at the end of the file or on error.
std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size);

// Writes all bytes.
std::string WriteFile(FileHandle file, const char* bytes, std::size_t size);

// Closes the file; a failure here can mean that written bytes never reached the disk.
std::string CloseFile(FileHandle file);

// Whether `path` names an existing regular file (not a directory, not a device), whether or
// not it can be read. Symbolic links are followed.
bool IsRegularFile(const std::string& path);

// Whether anything stands at `path`; links are not followed.
bool Exists(const std::string& path);

// Gives `from` the name `to`; fails, replacing nothing, where something stands at `to`.
std::string RenameFile(const std::string& from, const std::string& to);

// The names in the folder, without "." and ".."; none when it cannot be read.
std::vector<std::string> ListFolder(const std::string& path);

}  // namespace kelvarro::platform
