// The screen clear where there is no "cls": the terminal's own clear sequence. It goes
// through standard output like any text, so it needs no flush of its own.

#include <iostream>

#include "common/command_interpreter.h"
#include "common/platform_terminal.h"

namespace kelvarro {

void ClearSystemScreen() {
  if (platform::StdoutIsTerminal()) std::cout << "\x1b[H\x1b[2J";
}

}  // namespace kelvarro
