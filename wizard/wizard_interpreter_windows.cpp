// The wizard's commands through the real Windows command interpreter.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

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

// The interpreter's exit status is that of the batch file's last line; -1 with errno set is
// the C runtime's word that it could not start the interpreter.
BatchRun WizardSystemInterpreter::RunBatchFile() {
  FlushStandardOutput();
  errno = 0;
  const int status = std::system(kRunBatchFileCommand);
  if (status == -1 && errno != 0) return {std::strerror(errno), 0};
  return {"", status};
}

}  // namespace kelvarro
