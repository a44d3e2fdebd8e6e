// Only calls that POSIX and macOS both have.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>

#include "common/run_program.h"

extern char** environ;

namespace kelvarro::platform {
namespace {

// The environment of a started program: the programs' own, with WINEDEBUG=-all added where the
// user has not set WINEDEBUG, so that Wine's own diagnostics stay out of the dialogue. The
// programs' own environment is left as it is.
std::vector<char*> ChildEnvironment() {
  std::vector<char*> entries;
  static char quiet_wine[] = "WINEDEBUG=-all";
  bool user_set = false;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    user_set = user_set || std::string_view(*entry).rfind("WINEDEBUG=", 0) == 0;
    entries.push_back(*entry);
  }
  if (!user_set) entries.push_back(quiet_wine);
  entries.push_back(nullptr);
  return entries;
}

// `pipe_ends` nullptr: the program keeps the programs' own standard streams. Otherwise its input
// is nothing, its errors are discarded, and the pipe's writing end is its standard output
// only, so that the pipe is closed once it and whatever it started are gone. -1 with the reason
// in `error` when it could not be started, or when any part of the way it is to be started
// could not be set up.
pid_t Spawn(const std::string& path, const std::vector<std::string>& arguments, const int* pipe_ends, bool own_group,
            int& error) {
  posix_spawn_file_actions_t actions;
  error = posix_spawn_file_actions_init(&actions);
  if (error != 0) return -1;
  posix_spawnattr_t attributes;
  error = posix_spawnattr_init(&attributes);
  if (error != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return -1;
  }
  // Each setup call gives its error number; the first that fails stops the rest.
  const auto step = [&error](int result) {
    if (error == 0) error = result;
  };
  if (pipe_ends != nullptr) {
    step(posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0));
    step(posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO));
    step(posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0));
    step(posix_spawn_file_actions_addclose(&actions, pipe_ends[0]));
    step(posix_spawn_file_actions_addclose(&actions, pipe_ends[1]));
  }
  // A group of its own, so that the program can be ended with every process it started.
  if (own_group) {
    step(posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP));
    step(posix_spawnattr_setpgroup(&attributes, 0));
  }
  std::vector<std::string> copies = arguments;
  std::vector<char*> argv;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<char*> environment = ChildEnvironment();
  pid_t child = -1;
  if (error == 0) step(posix_spawn(&child, path.c_str(), &actions, &attributes, argv.data(), environment.data()));
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? child : -1;
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

// Once the program has ended, all it wrote is in the pipe, though the pipe may stay open.
void ReadRest(int from, std::string& output) {
  pollfd ready{from, POLLIN, 0};
  char buffer[4096];
  while (poll(&ready, 1, 0) > 0) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got <= 0) return;
    output.append(buffer, static_cast<std::size_t>(got));
  }
}

pid_t Reap(pid_t child, int& status, bool block) {
  pid_t ended = 0;
  do {
    ended = waitpid(child, &status, block ? 0 : WNOHANG);
  } while (ended < 0 && errno == EINTR);
  return ended;
}

}  // namespace

std::string FindOnPath(const std::string& program) {
  const char* const search = std::getenv("PATH");
  if (search == nullptr) return "";
  const std::string folders = search;
  for (std::size_t start = 0; start <= folders.size();) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string path = (end == start ? "." : folders.substr(start, end - start)) + "/" + program;
    struct stat found {};
    if (stat(path.c_str(), &found) == 0 && !S_ISDIR(found.st_mode) && access(path.c_str(), X_OK) == 0) return path;
    start = end + 1;
  }
  return "";
}

ProgramRun RunProgram(const std::vector<std::string>& arguments, Streams streams,
                      std::optional<std::chrono::milliseconds> bound) {
  ProgramRun run;
  std::cout.flush();
  const std::string path = FindOnPath(arguments.at(0));
  if (path.empty()) {
    run.not_started = "there is no " + arguments.at(0) + " on the PATH";
    return run;
  }
  const bool captured = streams == Streams::kCaptured;
  int ends[2] = {-1, -1};
  if (captured && pipe(ends) != 0) {
    run.not_started = std::strerror(errno);
    return run;
  }
  int error = 0;
  const pid_t child = Spawn(path, arguments, captured ? ends : nullptr, bound.has_value(), error);
  if (captured) close(ends[1]);
  if (child < 0) {
    if (captured) close(ends[0]);
    run.not_started = std::strerror(error);
    return run;
  }
  const auto deadline = std::chrono::steady_clock::now() + bound.value_or(std::chrono::milliseconds(0));
  bool open = captured;
  int status = 0;
  pid_t ended = 0;
  while (ended == 0 && (!bound || std::chrono::steady_clock::now() < deadline)) {
    open = open && ReadSome(ends[0], run.output, 100);
    ended = Reap(child, status, !open && !bound);
    if (!open && ended == 0) poll(nullptr, 0, 10);
  }
  if (open && ended != 0) ReadRest(ends[0], run.output);
  if (captured) close(ends[0]);
  if (ended == 0) {
    kill(-child, SIGKILL);
    Reap(child, status, true);
    run.outcome = ProgramRun::Outcome::kStopped;
    return run;
  }
  run.outcome = ProgramRun::Outcome::kEnded;
  run.exit_code = ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  return run;
}

}  // namespace kelvarro::platform
