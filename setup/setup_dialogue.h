#pragma once

#include <string>

#include "common/command_interpreter.h"
#include "common/console.h"
#include "common/file_system.h"
#include "common/platform_paths.h"

namespace kelvarro {

// One whole run of setup in the current directory (the install directory): works out the
// install directory from `program_path` (in UTF-8; one that begins with a drive letter names
// the program's folder), or asks for it, asks for the decoder's IDCT and writes both to
// config.cfg. A typed folder gets a final backslash where it lacks one. Either goes in as the
// batch file can carry it (folder_name.h): by its short form from `short_forms`, after its
// wait note, where the command interpreter would cut it or config.cfg's code page lacks a
// letter; without one, or for a folder that Windows programs cannot enter, setup says why in
// one line and asks (again). A config.cfg that cannot be written is told in one line right
// after the banner, before any question; one whose writing fails, after the answer; then a
// key. Returns the exit code: 0 after the write; 1 when config.cfg could not be written, when
// the input ends at a question or when memory runs out, in which cases config.cfg keeps what
// it had, and none is left where there was none.
int RunSetup(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
             const ShortForms& short_forms);

}  // namespace kelvarro
