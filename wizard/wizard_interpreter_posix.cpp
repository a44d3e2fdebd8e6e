// The wizard's commands where there is no Windows command interpreter. The listing is written
// by the wizard itself (vob_listing_posix.cpp); the batch file needs a Windows command
// interpreter, and Wine brings one.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "wizard/dir_listing.h"
#include "wizard/wizard_interpreter.h"

extern char** environ;

namespace kelvarro {
namespace {

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  const std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::optional<std::string> WizardSystemInterpreter::ListVobFiles() {
  FlushStandardOutput();
  return WriteVobListing(files_);
}

std::string WizardSystemInterpreter::WhyBatchFilesCannotRun() {
  if (OnPath("wine")) return "";
  return "here it needs Wine, and there is no wine on the PATH. please install Wine (eg. apt-get install wine)";
}

void WizardSystemInterpreter::RunBatchFile() {
  FlushStandardOutput();
  // The user sees the batch file's own output, not Wine's diagnostics, unless asked for them.
  setenv("WINEDEBUG", "-all", 0);
  std::string wine = "wine";
  std::string cmd = "cmd";
  std::string slash_c = "/c";
  std::string batch = kRunBatchFileCommand;
  char* argv[] = {wine.data(), cmd.data(), slash_c.data(), batch.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "wine", nullptr, nullptr, argv, environ) != 0) return;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace kelvarro
