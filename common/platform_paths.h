#pragma once

// The file system's other names for a folder: one implementation per platform
// (platform_paths_posix.cpp, platform_paths_windows.cpp), chosen by the build.

#include <string>

namespace kelvarro::platform {

// The short 8.3 form of an existing folder or file, named in the ANSI code page as the programs
// get their paths (for example "C:\\PROGRA~1\\kelvarro\\" for "C:\\Program Files\\kelvarro\\"),
// with a trailing backslash kept. "" when it cannot be had: always on POSIX; on Windows for a
// path that does not exist or is too long for the ANSI call (MAX_PATH). Where the volume keeps
// no 8.3 names, the long form comes back unchanged, blanks and all.
std::string ShortPathOf(const std::string& path);

}  // namespace kelvarro::platform
