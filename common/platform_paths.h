#pragma once

// The other name the system keeps for a folder: its short 8.3 form. One implementation per
// platform (platform_paths_posix.cpp, platform_paths_windows.cpp), chosen by the build.

#include <string>

#include "common/folder_name.h"

namespace kelvarro::platform {

// The short form of an existing folder or file named in UTF-8 as Windows names it, for example
// "C:\\PROGRA~1\\kelvarro\\" for "C:\\Program Files\\kelvarro\\", with a trailing backslash
// kept. On Windows from the system; elsewhere from Wine's winepath, for the folder as Wine shows
// it to Windows programs (Z:\\home\\...). Where the volume keeps no 8.3 names, the long form
// comes back unchanged. Where there is none, the reason, for the user.
ShortForm ShortPathOf(const std::string& path);

}  // namespace kelvarro::platform
