#pragma once

#include "common/console.h"
#include "common/file_system.h"
#include "common/platform_paths.h"
#include "wizard/wizard_interpreter.h"

namespace kelvarro {

// The product's own home page, named in the wizard's farewell.
inline constexpr const char* kHomePage = "https://kelvarro.org/";

// One whole run of the wizard in the current directory (the install directory). The batch file
// names a folder that the interpreter cannot take as it is by the short form that
// `short_forms` gives (platform::SystemShortForms in the program). A file of the run that was not
// written (the listing, the list, the job script, the batch file) is told in one line at the
// step that failed, and no question follows. Returns the exit code: 0 after the farewell, 1
// after a failure message, when the input ends, or when memory runs out.
int RunWizard(Console& console, WizardInterpreter& interpreter, FileSystem& files, const ShortForms& short_forms);

}  // namespace kelvarro
