// POSIX file systems know a folder by one name only; Wine makes up the short form that Windows
// programs see, and its winepath tells it. A first start of Wine in a new prefix takes 10 to
// 20 s, which is paid only for a folder that needs the short form, and a Wine that never
// answers is not waited for beyond a bound. Only calls that POSIX and macOS both have.

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "common/platform_paths.h"
#include "common/run_program.h"

namespace kelvarro::platform {
namespace {

// Wine answers a name that Windows cannot hold with nothing, or with a POSIX-looking path.
bool IsDrivePath(const std::string& path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }

}  // namespace

// The answer is the first line of `winepath -s path`. Its input is not the programs' own,
// which may hold the user's next answers.
ShortForm SystemShortForms::Of(const std::string& path) const {
  ShortForm result;
  ProgramRun run = RunProgram({"winepath", "-s", path}, Streams::kCaptured, bound_);
  switch (run.outcome) {
    case ProgramRun::Outcome::kNotStarted:
      result.why_not = "Wine, which gives its short form, is not installed";
      return result;
    case ProgramRun::Outcome::kStopped:
      result.why_not = "Wine has not given its short form within " +
                       std::to_string(std::chrono::duration_cast<std::chrono::seconds>(bound_).count()) +
                       " s, so it was stopped";
      return result;
    case ProgramRun::Outcome::kEnded:
      break;
  }
  std::string& output = run.output;
  const std::size_t end = output.find_first_of("\r\n");
  if (end != std::string::npos) output.resize(end);
  if (run.exit_code != 0) {
    result.why_not = "Wine could not start to give its short form (exit code " + std::to_string(run.exit_code) + ")";
  } else if (!IsDrivePath(output)) {
    result.why_not = "Wine gives no short form for it";
  } else {
    result.path = output;
  }
  return result;
}

// Where there is no winepath to wait for, setup says only that Wine is missing.
std::string SystemShortForms::WaitNote() const {
  if (FindOnPath("winepath").empty()) return "";
  return "asking Wine for the install directory's short form (its first start in a new prefix takes a while)\n";
}

std::string WindowsName(const std::string& absolute) {
  std::string name = "Z:" + absolute;
  for (std::size_t i = 2; i < name.size(); ++i) {
    if (name[i] == '\\') name[i] = '|';
    if (name[i] == '/') name[i] = '\\';
  }
  return name;
}

std::string WorkingFolder() {
  char* const here = getcwd(nullptr, 0);
  if (here == nullptr) return "";
  std::string folder = here;
  std::free(here);
  if (folder.back() != '/') folder.push_back('/');
  return WindowsName(folder);
}

}  // namespace kelvarro::platform
