// The Windows console, through the C runtime. Without a console (standard input is a pipe or
// a file) the console calls return at once, so callers read keys from the input stream then.

#include <conio.h>
#include <io.h>
#include <stdio.h>

#include "common/platform_terminal.h"

namespace kelvarro::platform {

bool StdinIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

bool StdoutIsTerminal() { return _isatty(_fileno(stdout)) != 0; }

int ReadTerminalKey(bool echo) {
  const int key = echo ? _getche() : _getch();
  return key < 0 ? -1 : (key & 0xFF);
}

}  // namespace kelvarro::platform
