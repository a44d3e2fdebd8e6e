// The POSIX terminal. It leaves its line mode only for the one read of a key. The modes it
// found are given back right after the read, and also when a signal or exit interrupts it.
// A stop (Ctrl-Z) gives them back too, before the program stops, so that the shell finds its
// own terminal; on continuing in the foreground a read still waiting takes key mode again.
// The handlers use async-signal-safe calls only.

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "common/platform_terminal.h"

namespace kelvarro::platform {
namespace {

// Changed only while the guarded signals are held back, or inside their handlers, which hold
// back each other.
termios g_saved_terminal;
volatile std::sig_atomic_t g_terminal_raw = 0;
volatile std::sig_atomic_t g_key_read_pending = 0;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

sigset_t GuardedSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal_number : kEndingSignals) sigaddset(&set, signal_number);
  sigaddset(&set, SIGTSTP);
  sigaddset(&set, SIGCONT);
  // A mode change from the background would stop the program in the middle of a handler.
  sigaddset(&set, SIGTTOU);
  return set;
}

// Holds the guarded signals back for its lifetime.
class SignalsHeld {
 public:
  SignalsHeld() {
    const sigset_t set = GuardedSignals();
    sigprocmask(SIG_BLOCK, &set, &previous_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

// The terminal belongs to this program's process group, or to no job control at all.
bool OwnsTerminal() {
  const pid_t foreground = tcgetpgrp(STDIN_FILENO);
  return foreground < 0 || foreground == getpgrp();
}

void RestoreTerminal() {
  if (g_terminal_raw) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_terminal);
    g_terminal_raw = 0;
  }
}

// Key mode for a read that is waiting, taken from the modes the terminal has now. A program
// in the background leaves the terminal alone: its read stops it, and continuing it in the
// foreground comes back here.
void EnterKeyMode() {
  if (!g_key_read_pending || g_terminal_raw || !OwnsTerminal()) return;
  if (tcgetattr(STDIN_FILENO, &g_saved_terminal) != 0) return;
  termios raw = g_saved_terminal;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));  // ISIG stays: Ctrl-C and Ctrl-Z still work
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  g_terminal_raw = 1;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

void Install(int signal_number, void (*handler)(int), int flags) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_mask = GuardedSignals();
  action.sa_flags = flags;
  sigaction(signal_number, &action, nullptr);
}

extern "C" void RestoreTerminalOnSignal(int signal_number) {
  RestoreTerminal();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);  // delivered, with the default action, once the handler returns
}

// Stops the program with the default action, after giving the terminal back. Execution goes
// on here once the program is continued.
extern "C" void StopWithTerminalRestored(int) {
  const int saved_errno = errno;
  RestoreTerminal();
  Install(SIGTSTP, SIG_DFL, 0);
  std::raise(SIGTSTP);  // held back until it is let through below
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigset_t previous;
  sigprocmask(SIG_UNBLOCK, &stop, &previous);  // the program stops here
  sigprocmask(SIG_SETMASK, &previous, nullptr);
  Install(SIGTSTP, StopWithTerminalRestored, SA_RESTART);
  // Where a stop is refused (an orphaned process group), no SIGCONT follows.
  EnterKeyMode();
  errno = saved_errno;
}

extern "C" void EnterKeyModeOnContinue(int) {
  const int saved_errno = errno;
  EnterKeyMode();
  errno = saved_errno;
}

extern "C" void RestoreTerminalAtExit() { RestoreTerminal(); }

void InstallTerminalGuards() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  std::atexit(RestoreTerminalAtExit);
  for (int signal_number : kEndingSignals) Install(signal_number, RestoreTerminalOnSignal, 0);
  // A stop must not break a line being typed at a number prompt: interrupted calls resume.
  Install(SIGTSTP, StopWithTerminalRestored, SA_RESTART);
  Install(SIGCONT, EnterKeyModeOnContinue, SA_RESTART);
}

}  // namespace

bool StdinIsTerminal() { return isatty(STDIN_FILENO) == 1; }

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

int ReadTerminalKey(bool echo) {
  InstallTerminalGuards();
  {
    termios current{};
    if (tcgetattr(STDIN_FILENO, &current) != 0) return -1;
    SignalsHeld held;
    g_key_read_pending = 1;
    EnterKeyMode();
  }
  unsigned char key = 0;
  ssize_t n = 0;
  do {
    n = read(STDIN_FILENO, &key, 1);
  } while (n < 0 && errno == EINTR);
  {
    SignalsHeld held;
    g_key_read_pending = 0;
    RestoreTerminal();
  }
  if (n != 1) return -1;
  if (echo) std::cout.put(static_cast<char>(key));
  return key;
}

}  // namespace kelvarro::platform
