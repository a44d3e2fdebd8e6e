// The screen clear where there is no "cls": the terminal's own clear sequence. It goes
// through standard output like any text, so it needs no flush of its own. A terminal of no
// known kind (TERM unset or empty) or one that cannot move the cursor (TERM=dumb, as in an
// editor's shell buffer) would show the sequence as text: there nothing is written, as
// `clear` writes nothing there.

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "common/command_interpreter.h"
#include "common/platform_terminal.h"

namespace kelvarro {

namespace {

bool TerminalCanClear() {
  const char* const kind = std::getenv("TERM");
  return kind != nullptr && *kind != '\0' && std::strcmp(kind, "dumb") != 0;
}

}  // namespace

void CommandInterpreter::ClearScreen() {
  if (platform::StdoutIsTerminal() && TerminalCanClear()) std::cout << "\x1b[H\x1b[2J";
}

}  // namespace kelvarro
