#pragma once

// The only place where the operating system shows through. One implementation per platform
// (platform_posix.cpp, platform_windows.cpp), chosen by the build.

#include <cstddef>
#include <string>

namespace kelvarro::platform {

using FileHandle = int;
inline constexpr FileHandle kNoFile = -1;

// Paths are given as the programs name them, relative to the current directory and with
// backslashes ("temp\\menulst.tmp"); each platform maps them to its own form.

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

bool StdinIsTerminal();
bool StdoutIsTerminal();

// Waits for one key from the terminal on standard input, without Enter, and echoes it when
// asked. Returns the key's code (0..255), or -1 when no key can ever come.
int ReadTerminalKey(bool echo);

// Hands one command line to the command interpreter and waits until it has ended. Only
// "cls", "dir input\\*.vob > temp\\menulst.tmp" and "process.bat" are ever passed.
void RunCommandLine(const std::string& command_line);

}  // namespace kelvarro::platform
