#pragma once

// The operating system's file calls: one implementation per platform
// (platform_files_posix.cpp, platform_files_windows.cpp), chosen by the build.

#include <cstddef>
#include <string>

namespace kelvarro::platform {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// Paths are given as the programs name them, relative to the current directory and with
// backslashes ("dir\\file.ext"); each platform maps them to its own form.

// Opens an existing regular file for reading, in binary mode. kNoFile when the file is
// missing, cannot be read, or is a directory.
FileHandle OpenFileForReading(const std::string& path);

// Creates the file, or cuts an existing one to length zero, for writing in binary mode
// (mode 0664 where there are permission bits). kNoFile on failure.
FileHandle OpenFileForWriting(const std::string& path);

// Reads up to `size` bytes; returns the count, 0 at the end of the file or on error.
std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size);

// Writes all bytes; false when any could not be written.
bool WriteFile(FileHandle file, const char* bytes, std::size_t size);

void CloseFile(FileHandle file);

// Whether `path` names an existing regular file (not a directory, not a device), whether or
// not it can be read. Symbolic links are followed.
bool IsRegularFile(const std::string& path);

}  // namespace kelvarro::platform
