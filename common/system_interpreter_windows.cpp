// The screen clear through the Windows command interpreter.

#include <cstdlib>
#include <iostream>

#include "common/command_interpreter.h"

namespace kelvarro {

void CommandInterpreter::ClearScreen() {
  FlushStandardOutput();
  std::system(kClearScreenCommand);
}

}  // namespace kelvarro
