#pragma once

#include <functional>
#include <string>

#include "common/command_interpreter.h"
#include "common/console.h"
#include "common/file_system.h"
#include "common/folder_name.h"

namespace kelvarro {

// What setup asks of the platform about folder names (setup_platform.h gives the real ones).
struct FolderNaming {
  // A folder's short form (platform::ShortPathOf).
  ShortPathLookup short_path_of;
  // UTF-8 into the code page config.cfg is written in (platform::ToProgramCodePage).
  TextEncoder to_config_text;
  // A typed path as it is to be stored: in the programs' code page, and named as Windows
  // programs name it.
  std::function<std::string(const std::string&)> typed_path;
  // Shown before the short form is looked up, where that may take a while (one line or "").
  std::string short_form_wait;
};

// One whole run of setup in the current directory (the install directory): works out the
// install directory from `program_path` (in UTF-8; one that begins with a drive letter names
// the program's folder), or asks for it, asks for the decoder's IDCT and writes both to
// config.cfg. The folder goes in as the batch file can carry it (folder_name.h): by its short
// form where the command interpreter would cut it or config.cfg's code page lacks a letter;
// without one, or for a folder that Windows programs cannot enter, setup says why in one line
// and asks. A config.cfg that cannot be written is told in one line right after the banner,
// before any question; one whose writing fails, after the answer; then a key. Returns the exit
// code: 0 after the write; 1 when config.cfg could not be written, when the input ends at a
// question or when memory runs out, in which cases config.cfg keeps what it had.
int RunSetup(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
             const FolderNaming& naming);

}  // namespace kelvarro
