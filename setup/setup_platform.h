#pragma once

// How the platform names setup's own path and a typed path, as Windows programs must see them:
// the batch file and the tools are Windows programs, on other systems run by Wine. One
// implementation per platform (setup_platform_posix.cpp, setup_platform_windows.cpp), chosen by
// the build.

#include <string>

namespace kelvarro::platform {

// The program's own path in UTF-8, as the system hands it over. On Windows from the wide
// argument vector, so that a folder beyond the ANSI code page keeps its letters. Elsewhere a
// path (one that holds a slash) is made absolute and named as Wine names it to Windows
// programs, drive Z: for the root ("./setup" in /home/ann/k/ gives "Z:\\home\\ann\\k\\setup"),
// with a backslash inside a POSIX name written as |, which no Windows name holds; a bare
// name, as the shell hands it over when the program was found on the PATH, says nothing
// about the folder and stays as it is.
std::string ProgramPath(int argc, char** argv);

// A path typed at setup's question, in UTF-8 as Windows programs name it. On Windows, typed at
// a console, converted from the console's input code page; from a pipe, from the ANSI one
// (as it came where it is not valid there). Elsewhere a path that begins with a slash is named
// as Wine names it ("/home/ann/k/" gives "Z:\\home\\ann\\k\\"), any other as typed.
std::string TypedPath(const std::string& typed);

}  // namespace kelvarro::platform
