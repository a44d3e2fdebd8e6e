// POSIX file systems know a folder by one name only; Wine makes up the short form that Windows
// programs see, and its winepath tells it. A first start of Wine in a new prefix takes 10 to
// 20 s, which is paid only for a folder that needs the short form, and a Wine that never
// answers is not waited for beyond a bound. Only calls that POSIX and macOS both have.

#include <sys/stat.h>
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

// What winepath is asked, and how the reasons name it.
struct Question {
  const char* option;
  const char* gives;  // "Wine, which gives its short form, is not installed"
  const char* given;  // "Wine has not given its short form within 60 s"
  const char* give;   // "Wine could not start to give its short form"
};
constexpr Question kShortFormQuestion{"-s", "gives its short form", "given its short form", "give its short form"};
constexpr Question kWhereQuestion{"-u", "tells where it is", "told where it is", "tell where it is"};

// The first line of `winepath OPTION path`, or "" and why there is none. Its input is not the programs' own, which may
// hold the user's next answers.
std::string AskWine(const Question& question, const std::string& path, std::chrono::milliseconds bound,
                    std::string& why_not) {
  ProgramRun run = RunProgram({"winepath", question.option, path}, Streams::kCaptured, bound);
  switch (run.outcome) {
    case ProgramRun::Outcome::kNotStarted:
      why_not = std::string("Wine, which ") + question.gives + ", is not installed";
      return "";
    case ProgramRun::Outcome::kStopped:
      why_not = std::string("Wine has not ") + question.given + " within " +
                std::to_string(std::chrono::duration_cast<std::chrono::seconds>(bound).count()) +
                " s, so it was stopped";
      return "";
    case ProgramRun::Outcome::kEnded:
      break;
  }
  std::string& output = run.output;
  const std::size_t end = output.find_first_of("\r\n");
  if (end != std::string::npos) output.resize(end);
  if (run.exit_code != 0) {
    why_not =
        std::string("Wine could not start to ") + question.give + " (exit code " + std::to_string(run.exit_code) + ")";
    return "";
  }
  return output;
}

}  // namespace

ShortForm SystemShortForms::Of(const std::string& path) const {
  ShortForm result;
  const std::string answer = AskWine(kShortFormQuestion, path, bound_, result.why_not);
  if (!result.why_not.empty()) return result;
  if (!IsDrivePath(answer)) {
    result.why_not = "Wine gives no short form for it";
  } else {
    result.path = answer;
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

// Wine folds case and gives a path even for a folder that is not there: only the file system
// tells what stands at it.
FolderMatch IsWorkingFolder(const std::string& folder) {
  FolderMatch match;
  const std::string where = AskWine(kWhereQuestion, folder, kShortFormBound, match.why_unknown);
  if (!match.why_unknown.empty()) {
    match.outcome = FolderMatch::Outcome::kUnknown;
    return match;
  }
  struct stat there {};
  struct stat here {};
  if (!where.empty() && stat(where.c_str(), &there) == 0 && stat(".", &here) == 0 && there.st_dev == here.st_dev &&
      there.st_ino == here.st_ino) {
    match.outcome = FolderMatch::Outcome::kSame;
  }
  return match;
}

}  // namespace kelvarro::platform
