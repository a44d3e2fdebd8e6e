// POSIX file systems know a folder by one name only; Wine makes up the short form that Windows
// programs see, and its winepath tells it. A first start of Wine in a new prefix takes 10 to
// 20 s, which is paid only for a folder that needs the short form, and a Wine that never
// answers is not waited for beyond a bound. Only calls that POSIX and macOS both have.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string>

#include "common/command_interpreter.h"
#include "common/platform_paths.h"

extern char** environ;

namespace kelvarro::platform {
namespace {

constexpr const char* kNoWine = "Wine, which gives its short form, is not installed";

enum class Answer { kGiven, kNotStarted, kTooLate };

// Both ends closed in the child, which gets the writing end as its standard output only.
bool PipeClosedOnExec(int (&ends)[2]) {
  if (pipe(ends) != 0) return false;
  for (const int end : ends) {
    if (fcntl(end, F_SETFD, FD_CLOEXEC) != 0) {
      close(ends[0]);
      close(ends[1]);
      return false;
    }
  }
  return true;
}

pid_t SpawnWinepath(const std::string& path, int output_end) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output_end, STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  // A group of its own, so that winepath can be ended with every process it started.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  // Wine's own diagnostics are not wanted, unless the user asked for them.
  setenv("WINEDEBUG", "-all", 0);
  std::string program = "winepath";
  std::string flag = "-s";
  std::string argument = path;
  char* argv[] = {program.data(), flag.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "winepath", &actions, &attributes, argv, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? child : -1;
}

// Reads what is there to read within `wait_ms`; false once the writers are gone.
bool ReadSome(int from, std::string& output, int wait_ms) {
  pollfd ready{from, POLLIN, 0};
  const int count = poll(&ready, 1, wait_ms);
  if (count <= 0) return count == 0 || errno == EINTR;
  char buffer[4096];
  const ssize_t got = read(from, buffer, sizeof buffer);
  if (got > 0) output.append(buffer, static_cast<std::size_t>(got));
  return got > 0 || (got < 0 && errno == EINTR);
}

// Once winepath has ended, all it wrote is in the pipe, though the pipe may stay open.
void ReadRest(int from, std::string& output) {
  pollfd ready{from, POLLIN, 0};
  char buffer[4096];
  while (poll(&ready, 1, 0) > 0) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got <= 0) return;
    output.append(buffer, static_cast<std::size_t>(got));
  }
}

// The standard output of `winepath -s path` and its exit status. It is read until winepath
// has ended, not until the pipe closes: a Wine server that winepath started keeps it open. Its
// input is not the programs' own, which may hold the user's next answers.
Answer RunWinepath(const std::string& path, std::chrono::milliseconds bound, std::string& output, int& status) {
  // What the user was told before the wait is on the screen during it.
  FlushStandardOutput();
  int ends[2];
  if (!PipeClosedOnExec(ends)) return Answer::kNotStarted;
  const pid_t child = SpawnWinepath(path, ends[1]);
  close(ends[1]);
  if (child < 0) {
    close(ends[0]);
    return Answer::kNotStarted;
  }
  const auto deadline = std::chrono::steady_clock::now() + bound;
  bool open = true;
  int wait_status = 0;
  pid_t ended = 0;
  while (ended == 0 && std::chrono::steady_clock::now() < deadline) {
    open = open && ReadSome(ends[0], output, 100);
    ended = waitpid(child, &wait_status, WNOHANG);
    if (ended < 0 && errno == EINTR) ended = 0;
    if (!open && ended == 0) poll(nullptr, 0, 10);
  }
  if (open && ended > 0) ReadRest(ends[0], output);
  close(ends[0]);
  if (ended == 0) {
    kill(-child, SIGKILL);
    while (waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
    }
    return Answer::kTooLate;
  }
  status = ended > 0 && WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128;
  return Answer::kGiven;
}

// Wine answers a name that Windows cannot hold with nothing, or with a POSIX-looking path.
bool IsDrivePath(const std::string& path) { return path.size() >= 3 && path[1] == ':' && path[2] == '\\'; }

}  // namespace

ShortForm ShortPathOfWithin(const std::string& path, std::chrono::milliseconds bound) {
  ShortForm result;
  std::string output;
  int status = 0;
  switch (RunWinepath(path, bound, output, status)) {
    case Answer::kNotStarted:
      result.why_not = kNoWine;
      return result;
    case Answer::kTooLate:
      result.why_not = "Wine has not given its short form within " +
                       std::to_string(std::chrono::duration_cast<std::chrono::seconds>(bound).count()) +
                       " s, so it was stopped";
      return result;
    case Answer::kGiven:
      break;
  }
  const std::size_t end = output.find_first_of("\r\n");
  if (end != std::string::npos) output.resize(end);
  if (status != 0) {
    result.why_not = "Wine could not start to give its short form (exit code " + std::to_string(status) + ")";
  } else if (!IsDrivePath(output)) {
    result.why_not = "Wine gives no short form for it";
  } else {
    result.path = output;
  }
  return result;
}

ShortForm ShortPathOf(const std::string& path) { return ShortPathOfWithin(path, kShortFormBound); }

const char* ShortFormWaitNote() {
  // Where there is no winepath to wait for, setup says only that Wine is missing.
  const char* const search = std::getenv("PATH");
  std::string folders = search == nullptr ? "" : search;
  for (std::size_t start = 0; start <= folders.size();) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end == start ? "." : folders.substr(start, end - start);
    if (access((folder + "/winepath").c_str(), X_OK) == 0) {
      return "asking Wine for the install directory's short form (its first start in a new prefix takes a while)\n";
    }
    start = end + 1;
  }
  return "";
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
