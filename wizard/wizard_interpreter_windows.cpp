// The wizard's commands through the real Windows command interpreter.

#include <cstdlib>

#include "wizard/wizard_interpreter.h"

namespace kelvarro {

// cmd tells a failed redirection only on the screen; the wizard sees it in the listing.
std::optional<std::string> WizardSystemInterpreter::ListVobFiles() {
  FlushStandardOutput();
  std::system(kListVobFilesCommand);
  return std::nullopt;
}

// Every Windows has its command interpreter.
std::string WizardSystemInterpreter::WhyBatchFilesCannotRun() { return ""; }

void WizardSystemInterpreter::RunBatchFile() {
  FlushStandardOutput();
  std::system(kRunBatchFileCommand);
}

}  // namespace kelvarro
