#include "common/command_interpreter.h"

#include <iostream>

namespace kelvarro {

// The standard stream is synchronised with C's stdout, so this flushes both.
void FlushStandardOutput() { std::cout.flush(); }

}  // namespace kelvarro
