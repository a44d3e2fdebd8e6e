// Wine's short form on POSIX, from a stand-in winepath in a later folder of the PATH: its wait
// is bounded, and it ends when winepath has, though a process it left behind keeps the
// answer's pipe open. The same stand-in names the folder in config.cfg.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>

#include "common/platform_paths.h"

namespace kelvarro {
namespace {

namespace fs = std::filesystem;
using std::chrono::steady_clock;

// A process that is gone, or ended and not yet reaped by its new parent.
bool Ended(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string fields;
  std::getline(stat, fields);
  const std::size_t state = fields.rfind(')');
  return !stat || (state != std::string::npos && fields.compare(state, 3, ") Z") == 0);
}

bool EndsWithin(pid_t pid, std::chrono::seconds bound) {
  const auto deadline = steady_clock::now() + bound;
  while (!Ended(pid) && steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return Ended(pid);
}

TEST(ShortFormPosix, WinepathIsEndedAtTheBoundAndNotWaitedForBeyondItsEnd) {
  const fs::path dir = fs::temp_directory_path() / ("kelvarro-winepath-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string saved_path = getenv("PATH");
  setenv("PATH", ("/nonexistent:" + dir.string() + ":" + saved_path).c_str(), 1);
  const platform::SystemShortForms short_forms(std::chrono::seconds(2));
  const fs::path sleeper = dir / "sleeper";
  const struct {
    std::string after_sleeper;  // what the stand-in does once a sleeper holds its output open
    ShortForm expected;
    bool sleeper_ended;
  } cases[] = {
      {"wait", {"", "Wine has not given its short form within 2 s, so it was stopped"}, true},
      {"printf 'Z:\\\\A~1\\\\\\r\\n'", {"Z:\\A~1\\", ""}, false},
  };
  for (const auto& c : cases) {
    std::ofstream(dir / "winepath") << "#!/bin/sh\nsleep 600 &\necho $! > '" << sleeper.string() << "'\n"
                                    << c.after_sleeper << "\n";
    chmod((dir / "winepath").c_str(), 0755);
    fs::remove(sleeper);
    const auto started = steady_clock::now();
    const ShortForm got = short_forms.Of("Z:\\a b\\");
    // Far below the sleeper's 600 s, however loaded the machine.
    EXPECT_LT(steady_clock::now() - started, std::chrono::seconds(30)) << c.after_sleeper;
    EXPECT_EQ(got.path, c.expected.path);
    EXPECT_EQ(got.why_not, c.expected.why_not);
    pid_t pid = 0;
    std::ifstream(sleeper) >> pid;
    ASSERT_GT(pid, 0);
    EXPECT_EQ(EndsWithin(pid, std::chrono::seconds(c.sleeper_ended ? 5 : 0)), c.sleeper_ended);
    kill(pid, SIGKILL);
  }
  // An empty entry names the current folder; where no folder has a winepath that can be run,
  // nothing is waited for.
  const fs::path here = fs::current_path();
  fs::current_path(dir);
  setenv("PATH", "/nonexistent:", 1);
  EXPECT_NE(short_forms.WaitNote(), "");
  fs::current_path(here);
  EXPECT_EQ(short_forms.WaitNote(), "");
  chmod((dir / "winepath").c_str(), 0644);
  setenv("PATH", dir.c_str(), 1);
  EXPECT_EQ(short_forms.WaitNote(), "");
  setenv("PATH", saved_path.c_str(), 1);
  fs::remove_all(dir);
}

// The folder config.cfg names is this one when the stand-in winepath leads here through a link,
// and another when it names a folder beside it on the same file system, or none.
TEST(ShortFormPosix, TheWorkingFolderIsKnownByWhatStandsThereNotByItsName) {
  using Outcome = platform::FolderMatch::Outcome;
  const fs::path dir = fs::temp_directory_path() / ("kelvarro-identity-" + std::to_string(getpid()));
  for (const char* folder : {"here", "other"}) fs::create_directories(dir / folder);
  fs::create_directory_symlink(dir / "here", dir / "link");
  const std::string saved_path = getenv("PATH");
  setenv("PATH", (dir.string() + ":" + saved_path).c_str(), 1);
  const fs::path was = fs::current_path();
  fs::current_path(dir / "here");
  for (const auto& [answer, outcome] :
       {std::pair{"link", Outcome::kSame}, {"other", Outcome::kOther}, {"gone", Outcome::kOther}}) {
    std::ofstream(dir / "winepath") << "#!/bin/sh\necho '" << (dir / answer).string() << "/'\n";
    chmod((dir / "winepath").c_str(), 0755);
    EXPECT_EQ(platform::IsWorkingFolder("Z:\\k\\").outcome, outcome) << answer;
  }
  fs::current_path(was);
  setenv("PATH", saved_path.c_str(), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kelvarro
