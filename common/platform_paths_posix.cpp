// POSIX file systems know a folder by one name only; Wine makes up the short form that Windows
// programs see, and its winepath tells it. A first start of Wine may take some seconds, which
// is paid only for a folder that needs the short form.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "common/platform_paths.h"

extern char** environ;

namespace kelvarro::platform {
namespace {

constexpr const char* kNoWine = "Wine, which gives its short form, is not installed";

// The whole standard output of `winepath -s path`, with its exit status; false when it could
// not be started. Its input is not the programs' own, which may hold the user's next answers.
bool RunWinepath(const std::string& path, std::string& output, int& status) {
  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  // Wine's own diagnostics are not wanted, unless the user asked for them.
  setenv("WINEDEBUG", "-all", 0);
  std::string program = "winepath";
  std::string flag = "-s";
  std::string argument = path;
  char* argv[] = {program.data(), flag.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "winepath", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t count = read(pipe_ends[0], buffer, sizeof buffer);
      if (count > 0) {
        output.append(buffer, static_cast<std::size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        break;
      }
    }
  }
  close(pipe_ends[0]);
  if (spawned != 0) return false;
  int wait_status = 0;
  while (waitpid(child, &wait_status, 0) < 0 && errno == EINTR) {
  }
  status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128;
  return true;
}

}  // namespace

ShortForm ShortPathOf(const std::string& path) {
  ShortForm result;
  std::string output;
  int status = 0;
  if (!RunWinepath(path, output, status)) {
    result.why_not = kNoWine;
    return result;
  }
  const std::size_t end = output.find_first_of("\r\n");
  if (end != std::string::npos) output.resize(end);
  if (status != 0) {
    result.why_not = "Wine could not start to give its short form (exit code " + std::to_string(status) + ")";
  } else if (output.empty()) {
    result.why_not = "Wine gives no short form for it";
  } else {
    result.path = output;
  }
  return result;
}

}  // namespace kelvarro::platform
