#include "command_interpreter.h"

#include <cstdio>
#include <iostream>

#include "platform.h"

namespace kelvarro {

void SystemInterpreter::Run(const std::string& command_line) {
  std::cout.flush();
  std::fflush(stdout);
  platform::RunCommandLine(command_line);
}

}  // namespace kelvarro
