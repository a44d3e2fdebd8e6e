// The wizard's commands where there is no Windows command interpreter. The listing is written
// by the wizard itself (dir_listing_posix.cpp); the batch file needs a Windows command
// interpreter, and Wine brings one.

#include <string>

#include "common/run_program.h"
#include "wizard/dir_listing.h"
#include "wizard/wizard_interpreter.h"

namespace kelvarro {

std::optional<std::string> WizardSystemInterpreter::ListVobFiles() {
  FlushStandardOutput();
  return WriteVobListing(files_);
}

std::string WizardSystemInterpreter::WhyBatchFilesCannotRun() {
  if (!platform::FindOnPath("wine").empty()) return "";
  return "here it needs Wine, and there is no wine on the PATH. please install Wine (eg. apt-get install wine)";
}

// The batch file writes to the wizard's terminal and reads from its input, as on Windows.
// Wine's cmd ends with the status of the batch file's last line.
BatchRun WizardSystemInterpreter::RunBatchFile() {
  const platform::ProgramRun run =
      platform::RunProgram({"wine", "cmd", "/c", kRunBatchFileCommand}, platform::Streams::kShared, std::nullopt);
  return {run.not_started, run.exit_code};
}

}  // namespace kelvarro
