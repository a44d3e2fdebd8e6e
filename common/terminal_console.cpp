#include "terminal_console.h"

#include <iostream>

#include "platform.h"

namespace kelvarro {

TerminalConsole::TerminalConsole()
    : StreamConsole(std::cin, std::cout), keys_from_terminal_(platform::StdinIsTerminal()) {}

char TerminalConsole::ReadKey(bool echo) {
  if (!keys_from_terminal_) return StreamConsole::ReadKey(echo);
  std::cout.flush();
  const int key = platform::ReadTerminalKey(echo);
  if (key < 0) throw EndOfInput{};
  return static_cast<char>(key);
}

}  // namespace kelvarro
