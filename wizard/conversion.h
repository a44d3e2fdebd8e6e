#pragma once

// The conversion itself: process.bat run only where it can do its work, and its outcome told.
// The batch file's bytes are fixed and test nothing, so the wizard does it around the run, as a
// build tool does around a chain of steps whose outputs are the next ones' inputs.

#include <optional>
#include <string>

#include "common/config_file.h"
#include "common/console.h"
#include "common/file_system.h"
#include "wizard/encoding_choices.h"
#include "wizard/wizard_interpreter.h"

namespace kelvarro {

// Runs process.bat, as written for `config` and `choices`, when it can make the movie here:
//  - the interpreter can run a batch file at all, config.cfg names the folder the wizard runs
//    in (its name ends in a backslash, and it is that very folder, by whatever name), and every
//    tool is in place;
//  - temp\ and output\ are folders a new file can be made in, and no folder stands in the
//    movie's place;
//  - only then is a finished movie of an earlier run moved aside to the first free
//    output\output-N.avi, said in one line, and the earlier run's intermediate files are
//    removed, so that no step can take them for its input.
// Files are found as Wine finds them: on POSIX in any case of their letters, every one of them.
// Afterwards each step's file must be there and not empty, in order, and the batch file must
// have ended with exit status 0. Nothing when output\output.avi was made by this run; otherwise
// the line that says what stopped it, and the run ends with it.
std::optional<std::string> RunConversion(Console& console, WizardInterpreter& interpreter, FileSystem& files,
                                         const WizardConfig& config, const EncodingChoices& choices);

}  // namespace kelvarro
