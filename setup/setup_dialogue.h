#pragma once

#include <functional>
#include <string>

#include "common/command_interpreter.h"
#include "common/console.h"
#include "common/file_system.h"

namespace kelvarro {

// The short form of a folder, "" when there is none (platform::ShortPathOf in the programs).
using ShortPathLookup = std::function<std::string(const std::string&)>;

// One whole run of setup in the current directory (the install directory): works out the
// install directory from `program_path` (or asks for it), asks for the decoder's IDCT and
// writes both to config.cfg. The wizard reads config.cfg word by word, so a worked-out
// directory with a blank is written in its short form; without one, setup says so and asks.
// Returns the exit code: 0 after the write, 1 when the input ends at a question, in which case
// config.cfg is left empty, or when memory runs out.
int RunSetup(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
             const ShortPathLookup& short_path_of);

}  // namespace kelvarro
