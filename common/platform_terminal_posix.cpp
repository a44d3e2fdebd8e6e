// The POSIX terminal. It leaves its line mode only for the one read of a key; the saved
// settings are put back right after the read, and also when a signal or exit interrupts it.

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "common/platform_terminal.h"

namespace kelvarro::platform {
namespace {

termios g_saved_terminal;
volatile std::sig_atomic_t g_terminal_raw = 0;

void RestoreTerminal() {
  if (g_terminal_raw) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_terminal);
    g_terminal_raw = 0;
  }
}

extern "C" void RestoreTerminalOnSignal(int signal_number) {
  RestoreTerminal();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

extern "C" void RestoreTerminalAtExit() { RestoreTerminal(); }

void InstallTerminalGuards() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  std::atexit(RestoreTerminalAtExit);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action {};
    action.sa_handler = RestoreTerminalOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace

bool StdinIsTerminal() { return isatty(STDIN_FILENO) == 1; }

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

int ReadTerminalKey(bool echo) {
  InstallTerminalGuards();
  termios saved {};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return -1;
  termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));  // ISIG stays: Ctrl-C still works
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  g_saved_terminal = saved;
  g_terminal_raw = 1;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  unsigned char key = 0;
  ssize_t n = 0;
  do {
    n = read(STDIN_FILENO, &key, 1);
  } while (n < 0 && errno == EINTR);
  RestoreTerminal();
  if (n != 1) return -1;
  if (echo) std::cout.put(static_cast<char>(key));
  return key;
}

}  // namespace kelvarro::platform
