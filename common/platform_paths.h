#pragma once

// The other name the system keeps for a folder: its short 8.3 form. One implementation per
// platform (platform_paths_posix.cpp, platform_paths_windows.cpp), chosen by the build.

#include <chrono>
#include <string>

#include "common/folder_name.h"

namespace kelvarro::platform {

// The short form of an existing folder or file named in UTF-8 as Windows names it, for example
// "C:\\PROGRA~1\\kelvarro\\" for "C:\\Program Files\\kelvarro\\", with a trailing backslash
// kept. On Windows from the system; elsewhere from Wine's winepath, for the folder as Wine shows
// it to Windows programs (Z:\\home\\...). Where the volume keeps no 8.3 names, the long form
// comes back unchanged. Where there is none, the reason, for the user.
ShortForm ShortPathOf(const std::string& path);

// How long ShortPathOf waits for Wine's answer before it ends winepath and gives the reason:
// a first start in a new prefix takes 10 to 20 s on a two-core machine.
inline constexpr std::chrono::seconds kShortFormBound{60};

// ShortPathOf with a bound of the caller's (on Windows the answer comes at once).
ShortForm ShortPathOfWithin(const std::string& path, std::chrono::milliseconds bound);

// One line for the user before a lookup that may take a while (Wine's first start, where
// winepath is on the PATH); "" on Windows, where it does not, and where there is no winepath.
const char* ShortFormWaitNote();

// An absolute path of this system in UTF-8 as Windows programs name it: on Windows as it is;
// elsewhere as Wine shows it (/home/ann/k is Z:\\home\\ann\\k), a backslash inside a POSIX name
// written as |, which no Windows name holds, so that the folder rule refuses such a folder.
std::string WindowsName(const std::string& absolute);

// The current directory as Windows programs name it, in UTF-8 and ending in a backslash; ""
// when the system cannot tell it.
std::string WorkingFolder();

}  // namespace kelvarro::platform
