#include "common/terminal_console.h"

#include <cstdio>
#include <iostream>

#include "common/command_interpreter.h"
#include "common/platform_terminal.h"

namespace kelvarro {

TerminalConsole::TerminalConsole()
    : StreamConsole(std::cin, std::cout), keys_from_terminal_(platform::StdinIsTerminal()) {
  // From a pipe or a file, take only the bytes that are used, so that programs run one after
  // another can share one scripted input, as a shell's read does. Must precede any read.
  if (!keys_from_terminal_) std::setvbuf(stdin, nullptr, _IONBF, 0);
}

char TerminalConsole::ReadKey(bool echo) {
  if (!keys_from_terminal_) return StreamConsole::ReadKey(echo);
  FlushStandardOutput();  // the raw read bypasses the stream, and with it the stream's flush
  const int key = platform::ReadTerminalKey(echo);
  if (key < 0) throw EndOfInput{};
  return static_cast<char>(key);
}

}  // namespace kelvarro
