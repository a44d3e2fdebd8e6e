#include "job_shell.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace kelvarro::testing {
namespace {

// A shell hands the terminal on from the background, and no key typed at its job is for it.
constexpr int kShellIgnores[] = {SIGTTOU, SIGTTIN, SIGTSTP, SIGINT, SIGQUIT};

[[noreturn]] void StartJob(const char* program, char* const argv[]) {
  setpgid(0, 0);
  tcsetpgrp(STDIN_FILENO, getpid());  // set by both, so that the job never reads from behind
  for (int signal_number : kShellIgnores) signal(signal_number, SIG_DFL);
  execv(program, argv);
  _exit(127);
}

[[noreturn]] void EndAs(int status) {
  if (WIFEXITED(status)) _exit(WEXITSTATUS(status));
  const int signal_number = WTERMSIG(status);
  signal(signal_number, SIG_DFL);
  kill(getpid(), signal_number);
  _exit(128 + signal_number);
}

}  // namespace

void RunAsJob(const char* program, char* const argv[], int report_fd, int command_fd) {
  for (int signal_number : kShellIgnores) signal(signal_number, SIG_IGN);
  const pid_t job = fork();
  if (job == 0) StartJob(program, argv);
  if (job < 0) _exit(126);
  setpgid(job, job);
  tcsetpgrp(STDIN_FILENO, job);
  if (write(report_fd, &job, sizeof job) != static_cast<ssize_t>(sizeof job)) {
    kill(-job, SIGKILL);
    _exit(125);
  }
  for (;;) {
    int status = 0;
    if (waitpid(job, &status, WUNTRACED) < 0) {
      if (errno == EINTR) continue;
      _exit(126);
    }
    if (!WIFSTOPPED(status)) EndAs(status);
    tcsetpgrp(STDIN_FILENO, getpgrp());
    const auto stop_signal = static_cast<unsigned char>(WSTOPSIG(status));
    char command = 0;
    if (write(report_fd, &stop_signal, 1) != 1 || read(command_fd, &command, 1) != 1) {
      kill(-job, SIGKILL);
      _exit(125);
    }
    if (command == kContinueInForeground) tcsetpgrp(STDIN_FILENO, job);
    kill(-job, SIGCONT);  // the job is awake when this returns, so the report below is true
    if (write(report_fd, &kCommandCarriedOut, 1) != 1) {
      kill(-job, SIGKILL);
      _exit(125);
    }
  }
}

}  // namespace kelvarro::testing
