#pragma once

// The terminal on standard input and output: one implementation per platform
// (platform_terminal_posix.cpp, platform_terminal_windows.cpp), chosen by the build.

namespace kelvarro::platform {

bool StdinIsTerminal();
bool StdoutIsTerminal();

// Waits for one key from the terminal on standard input, without Enter, and echoes it when
// asked. Returns the key's code (0..255), or -1 when no key can ever come. Standard output must
// have been flushed by the caller: the echo goes behind it.
int ReadTerminalKey(bool echo);

}  // namespace kelvarro::platform
