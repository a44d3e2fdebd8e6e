// The wizard's commands through the real Windows command interpreter.

#include <cstdlib>

#include "wizard/wizard_interpreter.h"

namespace kelvarro {

void WizardSystemInterpreter::ListVobFiles() {
  FlushStandardOutput();
  std::system(kListVobFilesCommand);
}

void WizardSystemInterpreter::RunBatchFile() {
  FlushStandardOutput();
  std::system(kRunBatchFileCommand);
}

}  // namespace kelvarro
